# Picture test: the "free_only" scene of render_common/scenes.py must come out as
# expected.png (within 1 per channel).
source "$QM_LIB"
source "$QM_TEST_DIR/../render_common/pictures.sh"
qm_render_content
python3 "$QM_PICTURES/scenes.py" free_only "$QM_GAME/levels/veltrane_splash.json" "$QM_GAME/textures" \
    || fail "could not write the level"
cp "$QM_PICTURES/free_camera.lua" "$QM_GAME/lua/autorun/" || fail "could not copy the camera script"
qm_render_shot "$QM_WORK/shot.png"
qm_render_compare "$QM_WORK/shot.png"
