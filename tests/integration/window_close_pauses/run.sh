# The window's close button while playing: the game pauses, the scripts get
# "PauseMenuPaused" then "PauseMenuConfirmClose", and the window stays open.
# Closing again while paused only asks again. The scripts quit on confirmation.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_start
qm_focus
qm_resume_startup_pause
wid=$(timeout 10 xdotool search --name '^Quillmere$' | head -n 1)
[ -n "$wid" ] || fail "no game window"
count() { grep -cF -- "$1" "$QM_WORK/stdout"; }

timeout 10 python3 "$QM_TEST_DIR/wm_delete.py" "$wid" || fail "could not send the close request"
qm_wait_line "probe: confirm close" 10
[ "$(count "probe: paused true")" -ge 1 ] || fail "the close button did not pause the game"
# Paused before the confirmation was asked for.
tail -n 2 <(grep -F "probe:" "$QM_WORK/stdout") | tr '\n' '|' | grep -qxF "probe: paused true|probe: confirm close|" ||
    fail "events out of order: $(grep -F "probe:" "$QM_WORK/stdout" | tail -n 3 | tr '\n' '|')"
sleep 1
qm_alive || fail "the game quit on the close button"
timeout 10 xdotool search --name '^Quillmere$' >/dev/null || fail "the window is gone"

# Already paused: only the confirmation is raised again.
paused=$(count "probe: paused")
timeout 10 python3 "$QM_TEST_DIR/wm_delete.py" "$wid" || fail "could not send the close request"
for _ in $(seq 1 100); do [ "$(count "probe: confirm close")" -ge 2 ] && break; sleep 0.1; done
[ "$(count "probe: confirm close")" -eq 2 ] || fail "the second close request was not confirmed once"
[ "$(count "probe: paused")" -eq "$paused" ] || fail "the pause menu opened again while open"
qm_alive || fail "the game quit on the second close request"

qm_key q
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
exit 0
