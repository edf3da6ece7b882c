# Two bodies collide in a running level. The "mover" box slides right at 20
# units/s into a static "wall" box; with restitution 0 each contact halves its
# speed and pushes it back out, so it comes to rest touching the wall's left
# side. A ghost box on a parallel track hits an identical wall and, being a
# ghost, is never pushed: it passes through. The outcome is read from where the
# sprites end up; a small script only reports the pause state to wait on.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png mover 8 8 ff0000
qm_png wall 8 8 00ff00
qm_png ghost 8 8 0000ff

qm_start
qm_focus
qm_resume_startup_pause
# Bodies are 8 units from the walls at 20 units/s: at rest well within 5 s.
sleep 5
qm_alive || fail "the game ended by itself"
grep -qF "probe: paused" <(sed -n '/probe: unpaused/,$p' "$QM_WORK/stdout") && fail "the game paused again while running"
qm_screenshot "$QM_WORK/shot.png"
qm_stop
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/shot.png" || fail "picture check"
