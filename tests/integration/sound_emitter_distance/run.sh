# A sound emitter heard from three distances: inside its enclosed distance,
# inside its fall-off, and beyond it. The mix captured by OpenAL's wave writer
# must get quieter at each step.
source "$QM_LIB"
source "$QM_REPO/tests/integration/sound_common/capture.sh"
qm_content
qm_debug_textures
qm_tone sfx/hum.wav 1 440
qm_sound_run 40
grep -q "^error" "$QM_WORK/stdout" && fail "the audio system reported an error"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/out.wav" || fail "distance check"
exit 0
