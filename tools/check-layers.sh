#!/usr/bin/env bash
# The folders are layers: core/ is the foundation and includes no other folder
# of ours; engine/ drives everything and no subsystem includes it. Tests,
# benchmarks, fuzzers and tools may include anything. Prints each offending
# include and fails when there is one.
cd "$(dirname "$0")/.." || exit 1
status=0

bad=$(grep -rn --include='*.h' --include='*.cpp' '^#include "' core | grep -v '#include "core/')
if [ -n "$bad" ]; then
    echo "core/ must include only core/:"
    echo "$bad"
    status=1
fi

bad=$(grep -rn --include='*.h' --include='*.cpp' '^#include "engine/' core ecs level graphics physics scripting sound editor)
if [ -n "$bad" ]; then
    echo "only engine/ itself may include engine/:"
    echo "$bad"
    status=1
fi

[ $status -eq 0 ] && echo "layers: ok"
exit $status
