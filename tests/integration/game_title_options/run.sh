# Options chosen on the title, before any play, are kept: sound switched off
# there and the game quit from the title, the next run starts without sound.
# Writing them must not make the title offer Continue: there is no game to
# continue yet.
source "$QM_LIB"
qm_content
for d in levels textures lua; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"
save="$HOME/Documents/Quillmere"
settle() {
    qm_wait_line "probe: level loaded" 40
    sleep 2.5
    if grep -qF "probe: paused" "$out"; then
        qm_key Escape
        qm_wait_line "probe: unpaused" 10
    fi
}

qm_start
qm_focus
settle
grep -qF "probe: level loaded, fullscreen true, music muted false, all muted false" "$out" || fail "defaults: $(grep "level loaded" "$out")"
qm_key Down
qm_key Return      # Options
qm_key Down
qm_key Down
qm_key Return      # All sound: ON -> OFF
qm_key Down
qm_key Return      # Back, to the title menu
qm_key Up          # Quit
qm_key Return
qm_key y
qm_wait_exit 30
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
grep -q '"option_sound" : 0' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json" 2>&1)"
grep -q '"option_music" : 1' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"

mv "$out" "$QM_WORK/stdout.first"
qm_start
qm_focus
settle
grep -qF "probe: level loaded, fullscreen true, music muted false, all muted true" "$out" ||
    fail "the option did not come back: $(grep "level loaded" "$out")"
qm_screenshot "$QM_WORK/title.png"
python3 "$QM_REPO/tests/integration/game_common/check.py" "$QM_WORK/title.png" title-menu 3 ||
    fail "the title offers more than New game, Options, Quit"
grep -q "Lua Error" "$QM_WORK/stdout.first" "$out" && fail "a script failed: $(grep -h "Lua Error" "$QM_WORK"/stdout* | head -n 3)"
qm_stop
exit 0
