# A sprite whose texture file does not exist shows the "debug" picture and the
# game keeps running.
source "$QM_LIB"
qm_content
qm_debug_textures   # debug.png is plain magenta here
qm_start
qm_focus
sleep 3
qm_alive || fail "the game ended on a missing texture"
qm_screenshot "$QM_WORK/shot.png"
sleep 1
qm_alive || fail "the game ended on a missing texture"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
