# Picture test: the "depth_range" scene of render_common/scenes.py must come out as
# expected.png (within 1 per channel).
source "$QM_LIB"
source "$QM_TEST_DIR/../render_common/pictures.sh"
qm_render_content
python3 "$QM_PICTURES/scenes.py" depth_range "$QM_GAME/levels/veltrane_splash.json" "$QM_GAME/textures" \
    || fail "could not write the level"
qm_render_shot "$QM_WORK/shot.png"
qm_render_compare "$QM_WORK/shot.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "depth order check"
