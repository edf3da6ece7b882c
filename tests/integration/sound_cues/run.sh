# Sound cues as heard: the captured mix, measured per tone (the emitter's hum
# 300 Hz, music "Title" 400 Hz and "Forest" 600 Hz, effect "Tone" 500 Hz),
# against the script's timetable.
source "$QM_LIB"
qm_content
mkdir -p "$QM_GAME/audio/music" "$QM_GAME/audio/sfx"
for t in music/title:400 music/forest:600 sfx/hum:300 sfx/tone:500; do
    python3 "$QM_DIR/qm_audio.py" tone "$QM_GAME/audio/${t%:*}.wav" 1 "${t#*:}" || fail "could not write $t"
done
qm_audio_capture
qm_ready
qm_wait_exit 40
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
qm_has "probe: muted true" || fail "lb_sounds_all_muted did not follow the mute"
grep "^error" "$QM_OUT" && fail "the audio system reported an error"
qm_check check.py "$QM_WORK/out.wav"
