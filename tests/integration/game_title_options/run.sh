# Options chosen on the title, before any play, are kept: sound switched off
# there and the game quit from the title, the next run starts without sound.
# Writing them must not make the title offer Continue: there is no game to
# continue yet. Then, after a game quit in the clearing, music switched off on
# the title is kept too, and Continue still leads into the clearing.
source "$QM_LIB"
qm_content
for d in levels textures lua; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"
save="$HOME/Documents/Quillmere"
settle() { qm_resume_startup_pause 40 2.5; }

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

# With a game to continue, an option changed on the title keeps it: the
# record still leads Continue into the level last played.
qm_key Return      # New game
qm_wait_line "Level entered, visit 1" 30
sleep 0.5
qm_key Escape
qm_wait_line "probe: paused" 10
qm_key Up          # Quit game
qm_key Return
qm_key y
qm_wait_exit 30
mv "$out" "$QM_WORK/stdout.second"
qm_start
qm_focus
settle
qm_key Down        # Continue is first now: New game, then Options
qm_key Down
qm_key Return      # Options
qm_key Down
qm_key Return      # Music: ON -> OFF
qm_key Down
qm_key Down
qm_key Return      # Back
qm_key Up          # Quit
qm_key Return
qm_key y
qm_wait_exit 30
grep -q '"option_music" : 0' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
mv "$out" "$QM_WORK/stdout.third"
qm_start
qm_focus
settle
grep -qF "probe: level loaded, fullscreen true, music muted true, all muted true" "$out" ||
    fail "the options did not come back: $(grep "level loaded" "$out")"
qm_screenshot "$QM_WORK/title4.png"
python3 "$QM_REPO/tests/integration/game_common/check.py" "$QM_WORK/title4.png" title-menu 4 ||
    fail "the title does not offer Continue"
qm_key Return      # Continue
qm_wait_line "Level entered, visit 2" 30
grep -q "Lua Error" "$QM_WORK"/stdout* && fail "a script failed: $(grep -h "Lua Error" "$QM_WORK"/stdout* | head -n 3)"
qm_stop
exit 0
