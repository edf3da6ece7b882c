# The real executable's options: --help, --version, wrong ones (usage, status
# 2); headless runs (no display, dt 1/60 s, saves written, the status of a
# quit, a script error, a "Lua Error" line, the crash) with --content, --level
# and --frames; --windowed and --no-watch; with a display, the crash message
# in a dialog.
source "$QM_LIB"
qm_content
record="$QM_SAVE/save_file.json"
mkdir -p "$QM_WORK/elsewhere"

# run <mode> <options...>: from an empty folder (only --content finds the
# content) without a display; output in $QM_WORK/out and err, status in $status.
run() {
    echo "$1" > "$QM_GAME/mode"
    shift
    rm -f "$record"
    (cd "$QM_WORK/elsewhere" && exec env -u DISPLAY timeout 30 "$QM_EXE" "$@" >"$QM_WORK/out" 2>"$QM_WORK/err")
    status=$?
}
# expect <status> <out|err> <text>: the status, and the output holding the text.
expect() {
    [ "$status" -eq "$1" ] && grep -qF -- "$3" "$QM_WORK/$2" ||
        fail "status $status, expected $1 and \"$3\" in $2: $(head -n 3 "$QM_WORK/$2")"
}

run quit --help
expect 0 out "Usage: quillmere [options]"
run quit --version
expect 0 out "Quillmere 0.1"
run quit --headless --windowed
expect 2 err "quillmere: options --headless and --windowed exclude each other"
grep -qxF "Usage: quillmere [options]" "$QM_WORK/err" && [ ! -s "$QM_WORK/out" ] || fail "no usage on standard error alone"
run quit --content "$QM_WORK/nowhere" --headless
expect 2 err "quillmere: cannot use \"$QM_WORK/nowhere\" as the content folder: No such file or directory"
run quit --content "$QM_GAME" --level attic --headless
expect 2 err 'quillmere: no level "attic": levels/attic.json is not a file'

run quit --content "$QM_GAME" --level cellar --headless --frames 1000
expect 0 out "test: 120 frames, 2.000000 s, dt 0.016666668"
expect 0 out "test: unloaded after 120 frames"
[ ! -s "$QM_WORK/err" ] || fail "quit: standard error: $(cat "$QM_WORK/err")"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1])); sys.exit(not (r["frames"] == 120 and r["last_level"] == "cellar"))' \
    "$record" || fail "quit: save record: $(cat "$record")"
run run --content "$QM_GAME" --headless --frames 45
expect 0 out "test: unloaded after 45 frames"
grep -q '"last_level" : "veltrane_splash"' "$record" || fail "the first level is not veltrane_splash: $(cat "$record")"
run error --content "$QM_GAME" --headless
expect 1 err "Script error, ending the headless run: lua/autorun/game_test.lua:18: the game logic broke"
expect 1 out "test: unloaded after 30 frames"
run lua_error --content "$QM_GAME" --headless --frames 1000
expect 1 err "Script error, ending the headless run: Lua Error: lb_serialize_number called while nothing is being saved"
expect 1 out "test: unloaded after 30 frames"
mv "$QM_GAME/lua/engine/init.lua" "$QM_WORK/init.lua"
run quit --content "$QM_GAME" --headless
expect 1 err "Error loading lua init file!"
expect 1 err "Please report the circumstances of this error"
mv "$QM_WORK/init.lua" "$QM_GAME/lua/engine/init.lua"

echo run > "$QM_GAME/mode"
qm_start --windowed --no-watch
qm_wait_line "probe: level loaded" 30
qm_wait_size 1280x720
echo 'lb.print("probe: reloaded anyway")' >> "$QM_GAME/lua/autorun/game_test.lua"
sleep 1.5
qm_has "Reloaded" && fail "--no-watch: a script was reloaded"
qm_has "probe: reloaded anyway" && fail "--no-watch: a script ran again"
# With a display the crash message also shows in a dialog; answering it ends the game.
qm_stop
mv "$QM_GAME/lua/engine/init.lua" "$QM_WORK/init.lua"
qm_start --windowed --no-watch
qm_expect_crash "Error loading lua init file!"
exit 0
