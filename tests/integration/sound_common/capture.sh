# Sourced by the sound_* tests after lib.sh. Not a test by itself (no run.sh).

QM_SOUND_COMMON="$QM_REPO/tests/integration/sound_common"

# qm_tone <file under audio/> <seconds> <hz>: a sine tone for the test's bank.
qm_tone() {
    mkdir -p "$(dirname "$QM_GAME/audio/$1")"
    python3 "$QM_SOUND_COMMON/wav_levels.py" tone "$QM_GAME/audio/$1" "$2" "$3" || fail "could not write $1"
}

# qm_sound_run <seconds>: starts the game with its mix captured into
# $QM_WORK/out.wav (qm_audio_capture_env), focuses it, leaves the start-up
# pause, and waits for the script to quit it; the exit must be clean and the
# capture present.
qm_sound_run() {
    qm_audio_capture_env
    qm_start
    qm_focus
    qm_resume_startup_pause
    qm_wait_exit "$1"
    [ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
    grep -qF "probe: done" "$QM_WORK/stdout" || fail "the script did not finish"
    [ -s "$QM_WORK/out.wav" ] || fail "no sound was captured"
}
