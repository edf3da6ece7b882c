# The lighting settings edited live: in the "Graphics" panel the global
# ambient intensity is typed down to 0 and the lit sprite, lit by nothing
# else, goes dark in the next frames; leaving the editor writes the new value
# into the level's "graphics" object.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png slab 8 8 c0c0c0
level="$QM_GAME/levels/veltrane_splash.json"

# GUI positions on the 1920x1080 screen: the "Editor" window sits at (50, 25)
# with the default style and font.

qm_start_in_editor

qm_click 243 35    # "Graphics" in the menu bar
qm_screenshot "$QM_WORK/before.png"
qm_click 220 158   # "global ambient intensity"
timeout 10 xdotool key ctrl+a type 0 || fail "typing"
qm_key Return
timeout 10 xdotool mousemove 1700 900
sleep 1
qm_screenshot "$QM_WORK/after.png"
python3 "$QM_TEST_DIR/check.py" pictures "$QM_WORK/before.png" "$QM_WORK/after.png" || fail "picture check"

# Leaving the editor writes the level to levels/, replacing the file whole.
cp "$level" "$QM_WORK/level.before"
timeout 10 xdotool key ctrl+shift+F8 || fail "could not leave the editor"
for _ in $(seq 1 100); do
    cmp -s "$level" "$QM_WORK/level.before" || break
    sleep 0.1
done
qm_alive || fail "the game ended on leaving the editor"
qm_stop
python3 "$QM_TEST_DIR/check.py" level "$level" || fail "level check"
