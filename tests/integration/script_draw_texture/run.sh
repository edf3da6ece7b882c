# A script draws a picture with lb_graphics_draw from "PostDraw": it comes out
# upright (its first PNG row at the top), centred on the given world position,
# at the given size, and a larger world y is further down the screen.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png split 8 8 0000ff 0 0 8 4 ff0000   # top half red, bottom half blue
qm_start
qm_focus
qm_wait_line "probe: level loaded" 30
sleep 2
qm_alive || fail "the game ended by itself"
qm_screenshot "$QM_WORK/shot.png"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
