# Options from the pause menu: full screen becomes a window at once, music is
# switched off; both are kept in the save record, so the next run starts
# windowed and without music. The options page names each setting's state.
source "$QM_LIB"
qm_content
for d in levels textures lua; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"
save="$HOME/Documents/Quillmere"
size() {  # the game window's size as WIDTHxHEIGHT
    timeout 10 xdotool search --name '^Quillmere$' getwindowgeometry --shell 2>/dev/null |
        awk -F= '/^WIDTH/ {w=$2} /^HEIGHT/ {h=$2} END {print w "x" h}'
}
wait_size() {  # wait_size <WxH>
    for _ in $(seq 1 50); do [ "$(size)" = "$1" ] && return 0; sleep 0.1; done
    fail "window is $(size), expected $1"
}
settle() { qm_resume_startup_pause 40 2.5; }

qm_start
qm_focus
settle
grep -qF "probe: level loaded, fullscreen true, music muted false, all muted false" "$out" || fail "defaults: $(grep "level loaded" "$out")"
wait_size 1920x1080
qm_key Return
qm_wait_line "Level entered, visit 1" 30
qm_key Escape
qm_wait_line "probe: paused" 10
qm_key Down
qm_key Down
qm_key Return      # Options
qm_key Return      # Full screen: ON -> WINDOW
wait_size 1280x720
qm_focus
qm_key Down
qm_key Return      # Music: ON -> OFF
qm_key Down
qm_key Down
qm_key Return      # Back, to the pause menu
qm_key Up          # Quit game
qm_key Return
qm_key y
qm_wait_exit 30
grep -q '"option_fullscreen" : 0' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
grep -q '"option_music" : 0' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
grep -q '"option_sound" : 1' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"

mv "$out" "$QM_WORK/stdout.first"
qm_start
qm_focus
qm_wait_line "probe: level loaded" 40
grep -qF "probe: level loaded, fullscreen false, music muted true, all muted false" "$out" ||
    fail "the options did not come back: $(grep "level loaded" "$out")"
wait_size 1280x720
qm_stop
exit 0
