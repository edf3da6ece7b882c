#!/usr/bin/env bash
# The source folders are floors, each built only on the floors below it:
#
#   core -> ecs -> graphics -> physics -> sound -> level -> scripting -> editor -> engine
#
# A file includes files of its own folder and of folders further left, never
# of one further right: core/ is the foundation and includes no other folder of
# ours, engine/ drives everything and nothing includes it. Where a lower floor
# needs something of a higher one, the higher one hands it down at start (a
# callback, a small interface, a plain value). Tests, benchmarks, fuzzers and
# tools may include anything.
#
# Usage: check-layers.sh [ROOT]   (ROOT: the source tree; this script's by
# default). Prints every include against the order as file:line:text and fails
# when there is one.
floors=(core ecs graphics physics sound level scripting editor engine)

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"'

cd "${1:-$(dirname "$0")/..}" || exit 1
status=0
for ((i = 0; i < ${#floors[@]}; i++)); do
    floor=${floors[i]}
    # A path that climbs with ../ could reach anywhere, so it counts as up.
    up='[^"]*\.\./'
    above=$(IFS='|'; echo "${floors[*]:i+1}")
    [ -n "$above" ] && up="$up|($above)/"
    bad=$(grep -rnE --include='*.h' --include='*.cpp' "$include($up)" "$floor" | sort)
    if [ -n "$bad" ]; then
        below=$(echo "${floors[*]:0:i}" | sed 's/ /, /g')
        echo "$floor/ may include only itself${below:+ and $below}:"
        echo "$bad"
        status=1
    fi
done

[ $status -eq 0 ] && echo "layers: ok"
exit $status
