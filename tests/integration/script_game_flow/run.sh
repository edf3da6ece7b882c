# The game itself: the title screen leads into the first level, the pause menu
# opens and closes on Escape, quitting from it asks first, and leaving writes the
# save record and a saved copy of the level being left; a second run continues
# from that record.
source "$QM_LIB"
qm_content
cp -r "$QM_REPO/game/levels/." "$QM_GAME/levels/"
cp -r "$QM_REPO/game/textures/." "$QM_GAME/textures/"
cp -r "$QM_REPO/game/lua/." "$QM_GAME/lua/"
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
save="$HOME/Documents/Quillmere"

wait_line() {  # wait_line <text> <seconds>
    for _ in $(seq 1 $(( $2 * 10 ))); do
        grep -qF -- "$1" "$QM_WORK/stdout" && return 0
        qm_alive || fail "the game ended while waiting for: $1"
        sleep 0.1
    done
    fail "no line: $1"
}
key() { timeout 10 xdotool key --clearmodifiers "$1" || fail "could not press $1"; sleep 0.4; }

qm_start
qm_focus
wait_line "probe: level loaded, title true, save false" 30
# The window starts without the focus, which opens the pause menu: close it.
grep -qF "probe: paused" "$QM_WORK/stdout" && { key Escape; wait_line "probe: unpaused" 10; }
key Return
wait_line "Level entered, visit 1" 20
key Escape
wait_line "probe: paused true" 10
key Escape
wait_line "probe: unpaused false" 10
key Escape
wait_line "probe: paused true" 10
key Down
key Return
key y
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
[ -f "$save/save_file.json" ] || fail "no save record"
grep -q '"last_level" : "veltrane_clearing"' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
grep -q '"visits" : 1' "$save/save_file.json" || fail "visits not kept: $(cat "$save/save_file.json")"
[ -f "$save/veltrane_clearing.json" ] || fail "no saved copy of the level being left"

# Second run: "C" on the title continues from the record.
mv "$QM_WORK/stdout" "$QM_WORK/stdout.first"
qm_start
qm_focus
wait_line "probe: level loaded, title true, save true" 30
grep -qF "probe: paused" "$QM_WORK/stdout" && { key Escape; wait_line "probe: unpaused" 10; }
key c
wait_line "Level entered, visit 2" 20
# Leaving the title wrote nothing: the record still names the level played,
# and no saved copy of the title exists.
grep -q '"last_level" : "veltrane_clearing"' "$save/save_file.json" || fail "record after continue: $(cat "$save/save_file.json")"
[ -e "$save/veltrane_splash.json" ] && fail "the title was saved"
key Escape
wait_line "probe: paused true" 10
key Down
key Return
key y
qm_wait_exit 20
grep -q '"visits" : 2' "$save/save_file.json" || fail "visits after continuing: $(cat "$save/save_file.json")"

# Third run: continue, then the game is killed; a fourth run still continues
# into the level played, not the title.
mv "$QM_WORK/stdout" "$QM_WORK/stdout.second"
qm_start
qm_focus
wait_line "probe: level loaded, title true, save true" 30
grep -qF "probe: paused" "$QM_WORK/stdout" && { key Escape; wait_line "probe: unpaused" 10; }
key c
wait_line "Level entered, visit 3" 20
kill -9 "$QM_PID"
wait "$QM_PID" 2>/dev/null
grep -q '"last_level" : "veltrane_clearing"' "$save/save_file.json" || fail "record after the kill: $(cat "$save/save_file.json")"
exit 0
