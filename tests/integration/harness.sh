#!/usr/bin/env bash
# Runs one integration test: tests/integration/harness.sh <test dir> <game exe>.
# The test gets a private X server (1920x1080x24, on a display number the
# server picks itself, so tests run side by side), a private scratch folder
# that is also $HOME (saves never land in the real Documents folder), and a
# time limit. Whatever happens, every process it started and the X server are
# killed afterwards; the scratch folder is kept only on failure.
set -u
test_dir=$(cd "$1" && pwd)
name=$(basename "$test_dir")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d "/tmp/qm_it_${name}_XXXXXX")
mkdir -p "$work/home"
: > "$work/pids"
status=1

cleanup() {
    while read -r pid; do kill -9 "$pid" 2>/dev/null; done < "$work/pids"
    kill "$xvfb" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$xvfb" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$xvfb" 2>/dev/null
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "integration.$name: FAILED (status $status); files kept in $work" >&2
        for f in stdout stderr; do [ -s "$work/$f" ] && { echo "--- game $f:" >&2; tail -n 40 "$work/$f" >&2; }; done
    fi
}
trap cleanup EXIT

# -displayfd: the server writes its display number to fd 3 once it accepts
# connections, so no guessing and no start-up race.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "integration.$name: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }

export DISPLAY=":$(tr -d '[:space:]' < "$work/display")" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export QM_EXE=$(realpath "$2") QM_WORK="$work" QM_TEST_DIR="$test_dir" QM_LIB="$here/lib.sh" QM_TOOLS="$here/qm_image.py"
export QM_REPO=$(cd "$here/../.." && pwd)
export PATH="$here/bin:$PATH"  # xdotool through bin/xdotool, which retries a refused connection
export ALSOFT_DRIVERS=null  # no sound device in the test machine
# A test that needs longer (packaging runs external tools) names its limit in TIME_LIMIT.
limit=$(cat "$test_dir/TIME_LIMIT" 2>/dev/null || echo 300)
timeout --kill-after=5 "$limit" bash "$test_dir/run.sh"
status=$?
[ "$status" -eq 124 ] || [ "$status" -eq 137 ] && echo "integration.$name: run.sh exceeded its time limit" >&2
exit "$status"
