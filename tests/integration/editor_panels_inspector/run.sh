# The entity inspector in the running editor: select an entity in the "Level"
# panel, add a RigidBody through "add" / "add component", open its header and
# type a restitution, pick a sprite texture whose file was deleted after the
# list was read (the sprite shows the fallback picture, the name is kept), then
# leave the editor, which writes the level to levels/.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png crate 8 8 2040ff
qm_png gone 8 8 00ff00
qm_png tile 16 16 ffff00
level="$QM_GAME/levels/veltrane_splash.json"

# GUI positions on the 1920x1080 screen: the "Editor" window sits at (50, 25)
# with the default style and font (rows 23 pixels apart in the panel, 17 in
# popups, which open at the cursor).

qm_start_in_editor

qm_click 75 109    # "crate" in the entity list
qm_click 72 366    # "add"
qm_click 110 466   # "RigidBody", the sixth entry of "add component"
qm_click 100 393   # the "RigidBody" header (before "Sprite")
qm_click 200 439   # "restitution"
timeout 10 xdotool key ctrl+a type 0.25 || fail "typing"
qm_key Return
qm_click 100 462   # the "Sprite" header
qm_click 110 485   # "select texture": the list of textures/*.png is read now
qm_screenshot "$QM_WORK/popup.png"
rm "$QM_GAME/textures/gone.png"
qm_click 140 568   # "gone", the fifth entry
qm_screenshot "$QM_WORK/inspector.png"
python3 "$QM_TEST_DIR/check.py" picture "$QM_WORK/inspector.png" || fail "picture check"

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
