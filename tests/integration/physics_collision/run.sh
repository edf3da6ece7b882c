# Two bodies collide in a running level. The "mover" box slides right at 20
# units/s into a static "wall" box; with restitution 0 each contact halves its
# speed and pushes it back out, so it comes to rest touching the wall's left
# side. A ghost box on a parallel track hits an identical wall and, being a
# ghost, is never pushed: it passes through. Scripts cannot be used to watch the
# collision events yet, so the outcome is read from where the sprites end up.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png mover 8 8 ff0000
qm_png wall 8 8 00ff00
qm_png ghost 8 8 0000ff
qm_start
qm_focus
# The game paused itself while it had no focus; Escape closes the pause menu.
sleep 1
timeout 10 xdotool key --clearmodifiers Escape || fail "could not press Escape"
sleep 5
qm_alive || fail "the game ended by itself"
qm_screenshot "$QM_WORK/shot.png"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
