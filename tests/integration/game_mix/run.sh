# The game as it is heard: its own levels, scripts and audio, the mix captured
# through OpenAL's wave writer. The title (its theme, the campfire, the pond,
# the crickets), a walk in the clearing and a door into the hollow: the audio
# system reports no error (every bank, file and cue loads), and the mix sounds
# throughout, never clips and never blares.
source "$QM_LIB"
source "$QM_REPO/tests/integration/sound_common/capture.sh"
qm_content
for d in levels textures lua audio Audio; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_REPO/tests/integration/game_common/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"

qm_audio_capture_env
qm_start
qm_focus
qm_resume_startup_pause
sleep 5
qm_key Return
qm_wait_line "Level entered, visit 1" 20
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
sleep 2
timeout 10 xdotool keyup Right
qm_key F9
qm_wait_line "probe: by the door" 5
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
sleep 1
timeout 10 xdotool keyup Right
qm_wait_line "Level entered, visit 2" 20
sleep 4
qm_stop
grep -E "^error|Doesn't exist|couldn't find|Attempted" "$out" && fail "the audio system reported a problem"
python3 "$QM_TEST_DIR/mix.py" "$QM_WORK/out.wav" || fail "the captured mix"
exit 0
