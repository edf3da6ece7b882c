# Scripts switch between full screen and the 1280 x 720 window. The close
# button pauses the game, then asks the scripts ("PauseMenuConfirmClose"); the
# window stays; while paused it only asks. The scripts quit on confirmation.
source "$QM_LIB"
qm_content
qm_ready
qm_wait_size 1920x1080
qm_key w
qm_wait_line "probe: fullscreen false" 5
qm_wait_size 1280x720
wid=$(qm_window)
qm_key f
qm_wait_line "probe: fullscreen true" 5
qm_wait_size 1920x1080

paused=$(qm_count "probe: paused")
python3 "$QM_TEST_DIR/wm_delete.py" "$wid" || fail "could not send the close request"
qm_wait_line "probe: confirm close" 10
[ "$(grep "probe:" "$QM_OUT" | tail -n 2 | tr '\n' '|')" = "probe: paused true|probe: confirm close|" ] ||
    fail "not paused before the confirmation: $(grep "probe:" "$QM_OUT" | tail -n 3 | tr '\n' '|')"
python3 "$QM_TEST_DIR/wm_delete.py" "$wid" || fail "could not send the close request"
qm_poll 10 eval '[ "$(qm_count "probe: confirm close")" -eq 2 ]' || fail "the second close request was not confirmed"
qm_frame
[ "$(qm_count "probe: paused")" -eq $(( paused + 1 )) ] || fail "the pause menu opened again while open"
[ "$(qm_count "probe: confirm close")" -eq 2 ] || fail "a close request was confirmed twice"
timeout 10 xdotool search --name '^Quillmere$' >/dev/null || fail "the window is gone"
qm_key q
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
