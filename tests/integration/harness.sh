#!/usr/bin/env bash
# Runs one integration test: tests/integration/harness.sh <test dir> <game exe>.
#
# Gives the test a private X server (1920x1080x24, on a display number the
# server picks itself), a private scratch folder that is also $HOME (so saves
# land there, never in the real Documents folder), and runs the test's run.sh
# under a time limit. Whatever happens, every process the test started and the
# X server are killed afterwards. The scratch folder is kept only on failure.
#
# A test folder holding a file PENDING is reported as pending (with the file's
# text) and passes: it waits for a subsystem that has not landed yet.
set -u

test_dir=$(cd "$1" && pwd)
exe=$(realpath "$2")
name=$(basename "$test_dir")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -f "$test_dir/PENDING" ]; then
    echo "integration.$name: pending: $(cat "$test_dir/PENDING")"
    exit 0
fi

work=$(mktemp -d "/tmp/qm_it_${name}_XXXXXX")
mkdir -p "$work/home"
: > "$work/pids"
xvfb_pid=""
status=1

cleanup() {
    # Processes the test started (the game, dialogs it opened die with the server).
    while read -r pid; do
        [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    done < "$work/pids"
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        for _ in $(seq 1 50); do kill -0 "$xvfb_pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$xvfb_pid" 2>/dev/null
    fi
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "integration.$name: FAILED (status $status); files kept in $work" >&2
        for f in stdout stderr; do
            [ -s "$work/$f" ] && { echo "--- game $f:" >&2; tail -n 40 "$work/$f" >&2; }
        done
    fi
}
trap cleanup EXIT

# -displayfd: the server takes the first free display number and writes it to
# fd 3 once it accepts connections, so no guessing and no startup race.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "integration.$name: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export HOME="$work/home"
export XDG_CONFIG_HOME="$work/home/.config"
export QM_EXE="$exe" QM_WORK="$work" QM_TEST_DIR="$test_dir"
export QM_LIB="$here/lib.sh" QM_TOOLS="$here/qm_image.py"
export QM_REPO=$(cd "$here/../.." && pwd)
# No sound device in the test machine.
export ALSOFT_DRIVERS=null

# A test that needs longer (packaging runs external tools) names its limit in TIME_LIMIT.
limit=$(cat "$test_dir/TIME_LIMIT" 2>/dev/null || echo 100)
timeout --kill-after=5 "$limit" bash "$test_dir/run.sh"
status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "integration.$name: run.sh exceeded its time limit" >&2
fi
exit "$status"
