# The lit scene: lights, a shadow, the tile map, the composition at scale 4 with
# its letterbox, and one marker in each of the three sprite passes.
source "$QM_LIB"
qm_content
qm_debug_textures
python3 "$QM_TEST_DIR/scene.py" "$QM_GAME/levels/veltrane_splash.json" || fail "could not write the level"
# marker: 8x8, top-left quarter red, the rest green (up/down, left/right).
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
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
