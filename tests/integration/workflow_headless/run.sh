# The headless runner: no X display at all, a fixed dt of 1/60 s, the exit
# status of the game logic (a quit, a script error, a "Lua Error" line, the
# crash path), saves written, and --frames as a limit.
source "$QM_LIB"
qm_content
save="$HOME/Documents/Quillmere/save_file.json"

# run <mode> [options...]: a headless run with its output in $QM_WORK/out and
# $QM_WORK/err and its status in $status.
run() {
    echo "$1" > "$QM_GAME/mode"
    shift
    rm -f "$save"
    (cd "$QM_GAME" && exec env -u DISPLAY timeout 30 "$QM_EXE" --headless "$@" >"$QM_WORK/out" 2>"$QM_WORK/err")
    status=$?
}

run quit --frames 1000
[ "$status" -eq 0 ] || fail "quit: status $status: $(cat "$QM_WORK/err")"
grep -qxF "test: 120 frames, 2.000000 s, dt 0.016666668" "$QM_WORK/out" || fail "quit: frame line: $(cat "$QM_WORK/out")"
grep -qxF "test: unloaded after 120 frames" "$QM_WORK/out" || fail "quit: no unload after the quit"
[ ! -s "$QM_WORK/err" ] || fail "quit: standard error: $(cat "$QM_WORK/err")"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1])); sys.exit(not (r["frames"] == 120 and r["last_level"] == "veltrane_splash"))' \
    "$save" || fail "quit: save record: $(cat "$save")"

run run --frames 45
[ "$status" -eq 0 ] || fail "frame limit: status $status"
grep -qxF "test: unloaded after 45 frames" "$QM_WORK/out" || fail "frame limit: $(cat "$QM_WORK/out")"

run error
[ "$status" -eq 1 ] || fail "script error: status $status"
grep -qF "Script error, ending the headless run: lua/autorun/game_test.lua:18: the game logic broke" "$QM_WORK/err" \
    || fail "script error: standard error: $(cat "$QM_WORK/err")"
grep -qxF "test: unloaded after 30 frames" "$QM_WORK/out" || fail "script error: the run went on: $(cat "$QM_WORK/out")"

run lua_error --frames 1000
[ "$status" -eq 1 ] || fail "Lua Error line: status $status"
grep -qxF "Script error, ending the headless run: Lua Error: lb_serialize_number called while nothing is being saved" \
    "$QM_WORK/err" || fail "Lua Error line: standard error: $(cat "$QM_WORK/err")"
grep -qxF "test: unloaded after 30 frames" "$QM_WORK/out" || fail "Lua Error line: the run went on"

# The crash path: no start-up script is fatal; no dialog, status 1.
mv "$QM_GAME/lua/engine/init.lua" "$QM_GAME/lua/engine/init.lua.away"
run quit
[ "$status" -eq 1 ] || fail "crash: status $status"
grep -qF "Error loading lua init file!" "$QM_WORK/err" || fail "crash: standard error: $(cat "$QM_WORK/err")"
grep -qF "Please report the circumstances of this error" "$QM_WORK/err" || fail "crash: no report text"
mv "$QM_GAME/lua/engine/init.lua.away" "$QM_GAME/lua/engine/init.lua"
echo "headless runs: quit, frame limit, script error, Lua Error line, crash"
