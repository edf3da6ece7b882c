# The options, kept in the save record over three runs. Chosen on the title
# before any play: all sound off, then Quit; the next run starts without sound,
# and the title still offers no Continue. From the pause menu: full screen
# becomes the 1280 x 720 window at once, music goes off; the third run starts
# windowed, without music and sound, and Continue leads into the game.
source "$QM_LIB"
qm_content game
record="$QM_SAVE/save_file.json"

options() { qm_last "probe: in " | cut -d, -f3-; }

qm_ready
[ "$(options)" = " fullscreen true, music muted false, all muted false" ] || fail "defaults: $(options)"
qm_wait_size 1920x1080
qm_key Down Return          # Options: Full screen, Music, All sound, Back
qm_key Down Down Return     # All sound: ON -> OFF
qm_key Down Return Up Return y  # Back, then Quit on the title
qm_wait_exit 30
grep -q '"option_sound" : 0' "$record" && grep -q '"option_music" : 1' "$record" || fail "record: $(cat "$record")"

qm_ready
[ "$(options)" = " fullscreen true, music muted false, all muted true" ] || fail "after the title's options: $(options)"
qm_see "$QM_WORK/title.png" "$QM_DIR/game_common/check.py" title-menu 3
qm_key Return             # New game
qm_wait_line "Level entered, visit 1" 30
qm_escape "probe: paused"
qm_key Down Down Return     # Options
qm_key Return             # Full screen: ON -> WINDOW
qm_wait_size 1280x720
qm_window > /dev/null
qm_key Down Return          # Music: ON -> OFF
qm_key Down Down Return Up Return y   # Back to the pause menu, Quit game
qm_wait_exit 30
for text in '"option_fullscreen" : 0' '"option_music" : 0' '"option_sound" : 0'; do
    grep -qF "$text" "$record" || fail "record: $(cat "$record")"
done

qm_ready
[ "$(options)" = " fullscreen false, music muted true, all muted true" ] || fail "the options did not come back: $(options)"
qm_wait_size 1280x720
qm_key Return             # Continue
qm_wait_line "Level entered, visit 2" 30
grep -h "Lua Error" "$QM_WORK"/stdout* && fail "a script failed"
exit 0
