# A script plays a looping effect cue, then mutes the master bus, then quits.
# The real mix, captured by OpenAL's wave writer, must hold the tone for about
# the playing phase and then pure silence.
source "$QM_LIB"
source "$QM_REPO/tests/integration/sound_common/capture.sh"
qm_content
qm_debug_textures
qm_tone sfx/tone.wav 1 440
qm_sound_run 40
grep -qF "probe: muted true" "$QM_WORK/stdout" || fail "lb_sounds_all_muted did not follow the mute"
grep -q "^error" "$QM_WORK/stdout" && fail "the audio system reported an error"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/out.wav" || fail "sound check"
exit 0
