# The letterbox: on a 1920x1200 screen the 498:280 view is 1920x1080 with black
# bars of 60 rows above and below, although the tile map lies under them. The
# harness's screen is 16:9, so this test brings its own X server.
source "$QM_LIB"
Xvfb -displayfd 4 -screen 0 1920x1200x24 -nolisten tcp 4>"$QM_WORK/display2" >"$QM_WORK/xvfb2.log" 2>&1 &
echo $! >> "$QM_WORK/pids"
for _ in $(seq 1 100); do [ -s "$QM_WORK/display2" ] && break; sleep 0.1; done
[ -s "$QM_WORK/display2" ] || fail "the 1920x1200 X server did not start"
export DISPLAY=":$(tr -d '[:space:]' < "$QM_WORK/display2")"
qm_content
qm_debug_textures
scene_dir="$QM_TEST_DIR/../lit_scene"
python3 "$scene_dir/scene.py" "$QM_GAME/levels/veltrane_splash.json" || fail "could not write the level"
qm_png marker 8 8 00ff00 0 0 4 4 ff0000
qm_png strip_a 160 8 c0c0c0
qm_png strip_b 120 8 c0c0c0
qm_png tile 16 16 ffff00
qm_start
qm_focus
sleep 3
qm_alive || fail "the game ended by itself"
qm_screenshot "$QM_WORK/shot.png"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" "$scene_dir" || fail "picture check"
