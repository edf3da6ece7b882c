# The first level is shown: two sprites of known colours at known places,
# upright and hanging below their position (+y is down), neither mirrored.
source "$QM_LIB"
qm_content
qm_debug_textures
# marker: 8x8, top-left quarter red, the rest green (tells up from down and
# left from right). block: 8x4 blue, drawn in the lit scene.
qm_png marker 8 8 00ff00 0 0 4 4 ff0000
qm_png block 8 4 0000ff
qm_start
qm_focus
sleep 3
qm_alive || fail "the game ended by itself"
qm_screenshot "$QM_WORK/shot.png"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
