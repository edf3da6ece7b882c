# Painting tiles in the running editor: in the "Tiles" panel choose the brush
# "tile", drag a stroke across the level, erase one cell of it with the brush
# "empty tile", leave the editor, and read the "tiles" string of the level it
# writes to levels/.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png tile 16 16 ffff00
level="$QM_GAME/levels/veltrane_splash.json"

# GUI positions on the 1920x1080 screen: the "Editor" window sits at (50, 25)
# with the default style and font. The level is drawn at scale 4 with world
# (0, 0) at the screen centre (960, 540).

qm_start_in_editor

qm_click 181 35    # "Tiles" in the menu bar
qm_click 72 423    # brush "tile", below "empty tile"
# A stroke along world y = 5 from x = 60 to x = 135: cells 3 to 8 of row 0.
# Each step is shorter than a cell and lasts several frames, so every cell
# under the path is painted.
timeout 10 xdotool mousemove 1200 560 || fail "mousemove"
sleep 0.4
timeout 10 xdotool mousedown 1 || fail "mousedown"
for x in $(seq 1200 20 1500); do
    timeout 10 xdotool mousemove "$x" 560 || fail "mousemove"
    sleep 0.3
done
sleep 0.3
timeout 10 xdotool mouseup 1 || fail "mouseup"
sleep 0.5
qm_click 80 406    # brush "empty tile"
qm_click 1300 560  # world x = 85: cell 5 is erased
timeout 10 xdotool mousemove 1700 900
sleep 0.5
qm_screenshot "$QM_WORK/tiles.png"
python3 "$QM_TEST_DIR/check.py" picture "$QM_WORK/tiles.png" || fail "picture check"

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
