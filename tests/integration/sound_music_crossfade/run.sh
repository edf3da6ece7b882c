# Music cues cross-fade: a script plays one music cue, then another; the mix
# captured by OpenAL's wave writer is measured per tone (440 Hz and 660 Hz):
# the first falls as the second rises, each over about a second.
source "$QM_LIB"
source "$QM_REPO/tests/integration/sound_common/capture.sh"
qm_content
qm_debug_textures
qm_tone music/title.wav 1 440
qm_tone music/forest.wav 1 660
qm_sound_run 40
grep -q "^error" "$QM_WORK/stdout" && fail "the audio system reported an error"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/out.wav" || fail "cross-fade check"
exit 0
