# Helpers for integration tests; run.sh sources "$QM_LIB". Every step that
# waits has a time limit, and every process started here is recorded so the
# harness kills it.

QM_GAME="$QM_WORK/game"   # the game's working directory
QM_PID=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The content folder: levels/, textures/ and lua/ from the test folder (when it
# has them), the shaders of the game and its Lua engine layer.
qm_content() {
    mkdir -p "$QM_GAME/levels" "$QM_GAME/textures" "$QM_GAME/shaders"
    cp -r "$QM_REPO/game/shaders/." "$QM_GAME/shaders/" 2>/dev/null
    [ -d "$QM_TEST_DIR/levels" ] && cp -r "$QM_TEST_DIR/levels/." "$QM_GAME/levels/"
    [ -d "$QM_TEST_DIR/textures" ] && cp -r "$QM_TEST_DIR/textures/." "$QM_GAME/textures/"
    # The engine's Lua layer (start-up script, FFI declarations), without the
    # game's own scripts; a test's lua/ folder adds or replaces scripts.
    mkdir -p "$QM_GAME/lua/engine"
    cp -r "$QM_REPO/game/lua/engine/." "$QM_GAME/lua/engine/"
    [ -d "$QM_TEST_DIR/lua" ] && cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
    # Audio: the test's own audio/ and Audio/ when it has them, else empty bank
    # lists and an empty cue table (the engine does not start without them).
    mkdir -p "$QM_GAME/audio" "$QM_GAME/Audio"
    [ -d "$QM_TEST_DIR/audio" ] && cp -r "$QM_TEST_DIR/audio/." "$QM_GAME/audio/"
    [ -d "$QM_TEST_DIR/Audio" ] && cp -r "$QM_TEST_DIR/Audio/." "$QM_GAME/Audio/"
    [ -f "$QM_GAME/audio/bankFiles.txt" ] || : > "$QM_GAME/audio/bankFiles.txt"
    [ -f "$QM_GAME/audio/stringFiles.txt" ] || : > "$QM_GAME/audio/stringFiles.txt"
    [ -f "$QM_GAME/Audio/SoundStorage.json" ] || echo '{"Sounds":{"Cue Number":0}}' > "$QM_GAME/Audio/SoundStorage.json"
    return 0
}

# qm_png <name> <width> <height> <colour> [x0 y0 x1 y1 colour]...: writes
# textures/<name>.png filled with colour, then each rectangle (end exclusive).
qm_png() {
    local name=$1
    shift
    python3 "$QM_TOOLS" png "$QM_GAME/textures/$name.png" "$@" || fail "could not write $name.png"
}

# The three pictures every sprite falls back to, in known colours.
qm_debug_textures() {
    qm_png debug 8 8 ff00ff
    qm_png debug_nm 8 8 8080ff
    qm_png debug_sm 8 8 000000
}

# Starts the game in the content folder, output to $QM_WORK/stdout and stderr.
qm_start() {
    (cd "$QM_GAME" && exec "$QM_EXE" >"$QM_WORK/stdout" 2>"$QM_WORK/stderr") &
    QM_PID=$!
    echo "$QM_PID" >> "$QM_WORK/pids"
}

qm_alive() { kill -0 "$QM_PID" 2>/dev/null; }

# A bare X server gives no window the focus; the game would pause itself. Finds
# the game window and focuses it.
qm_focus() {
    local wid
    wid=$(timeout 30 xdotool search --sync --name '^Quillmere$' | head -n 1)
    [ -n "$wid" ] || fail "the game window did not appear"
    # The window is named before it is mapped, and an unmapped window cannot
    # take the focus: retry for a while.
    for _ in $(seq 1 50); do
        timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null && return 0
        sleep 0.2
    done
    fail "could not focus the game window"
}

# qm_screenshot <file.png>: the whole screen.
qm_screenshot() {
    timeout 30 bash -c 'xwd -root -silent | convert xwd:- png:"$1"' _ "$1" || fail "screenshot failed"
    [ -s "$1" ] || fail "empty screenshot"
}

# Ends the game (no script can quit it yet): TERM, then KILL after 5 s.
qm_stop() {
    qm_alive || return 0
    kill "$QM_PID" 2>/dev/null
    for _ in $(seq 1 50); do qm_alive || return 0; sleep 0.1; done
    kill -9 "$QM_PID" 2>/dev/null
}

# qm_wait_exit <seconds>: waits for the game to end; sets QM_STATUS.
qm_wait_exit() {
    local limit=$(( $1 * 10 ))
    for _ in $(seq 1 "$limit"); do qm_alive || break; sleep 0.1; done
    qm_alive && fail "the game did not end within $1 s"
    wait "$QM_PID"
    QM_STATUS=$?
}

# qm_expect_crash <text>: the game must show the crash dialog, end with status
# 0 once it is answered with Return, and have written the message with <text>
# to standard error.
qm_expect_crash() {
    local wid
    wid=$(timeout 40 xdotool search --sync --name '^Unrecoverable Exception$' | head -n 1)
    [ -n "$wid" ] || fail "no crash dialog appeared"
    local focused=""
    for _ in $(seq 1 50); do
        timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null && { focused=1; break; }
        sleep 0.2
    done
    [ -n "$focused" ] || fail "could not focus the crash dialog"
    timeout 10 xdotool key --clearmodifiers Return || fail "could not press Return"
    qm_wait_exit 15
    [ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS, expected 0"
    grep -qF -- "$1" "$QM_WORK/stderr" || fail "standard error lacks: $1"
    grep -qF "Please report the circumstances of this error, and the above message, to a member of Team Cendrith." \
        "$QM_WORK/stderr" || fail "standard error lacks the report request"
}

# qm_wait_line <text> <seconds>: waits until the game's standard output holds
# a line containing text; fails when the game ends first or time runs out.
qm_wait_line() {
    for _ in $(seq 1 $(( $2 * 10 ))); do
        grep -qF -- "$1" "$QM_WORK/stdout" && return 0
        qm_alive || fail "the game ended while waiting for: $1"
        sleep 0.1
    done
    fail "no line within $2 s: $1"
}

# qm_key <keysym>: one key press and release, then a short wait so the game
# sees it in a frame of its own.
qm_key() {
    timeout 10 xdotool key --clearmodifiers "$1" || fail "could not press $1"
    sleep 0.4
}

# qm_resume_startup_pause: the window has no focus before the first frame, so
# the game usually starts with the pause menu open (the focus check runs before
# the level loads). Needs a script printing "probe: level loaded",
# "probe: paused" and "probe: unpaused"; closes the menu with Escape if open.
# Optional: how long to wait for the level (s, default 30) and how long to let
# it settle before looking for the menu (s, default 0).
qm_resume_startup_pause() {
    qm_wait_line "probe: level loaded" "${1:-30}"
    sleep "${2:-0}"
    if grep -qF "probe: paused" "$QM_WORK/stdout"; then
        qm_key Escape
        qm_wait_line "probe: unpaused" 10
    fi
}

# --- Audio capture -----------------------------------------------------------
# qm_audio_capture_env: call before qm_start. The game's OpenAL then mixes into
# $QM_WORK/out.wav (OpenAL Soft's wave writer, in real time from the moment the
# game opens its audio device) instead of the silent null driver. Read it with
# the functions below; times are seconds from the start of the capture.
qm_audio_capture_env() {
    QM_AUDIO_WAV="$QM_WORK/out.wav"
    printf '[wave]\nfile = %s\n' "$QM_AUDIO_WAV" > "$QM_WORK/alsoft.conf"
    export ALSOFT_DRIVERS=wave ALSOFT_CONF="$QM_WORK/alsoft.conf"
}

qm_audio_py() {
    [ -s "$QM_AUDIO_WAV" ] || fail "no audio capture at ${QM_AUDIO_WAV:-(qm_audio_capture_env not called)}"
    timeout 60 python3 "$(dirname "$QM_LIB")/qm_audio.py" "$@"
}

# qm_audio_now: the capture's length so far, to mark when something was done.
qm_audio_now() { qm_audio_py info "$QM_AUDIO_WAV" | awk '{print $NF}'; }

# qm_audio_rms <start> <end>: prints the RMS (0..1 full scale) of that span.
qm_audio_rms() { qm_audio_py rms "$QM_AUDIO_WAV" "$1" "$2" || fail "could not read the audio capture"; }

# qm_audio_levels [window]: prints "<start> <rms>" per window (default 0.1 s).
qm_audio_levels() { qm_audio_py levels "$QM_AUDIO_WAV" "${1:-0.1}" || fail "could not read the audio capture"; }

# qm_audio_expect_audible / qm_audio_expect_silent <start> <end>: the span's RMS
# is above 0.001 / below 0.0001 (the null mix is exactly 0).
qm_audio_expect_audible() {
    local rms
    rms=$(qm_audio_rms "$1" "$2")
    awk -v r="$rms" 'BEGIN { exit !(r > 0.001) }' || fail "silent from $1 s to $2 s (rms $rms)"
}
qm_audio_expect_silent() {
    local rms
    rms=$(qm_audio_rms "$1" "$2")
    awk -v r="$rms" 'BEGIN { exit !(r < 0.0001) }' || fail "not silent from $1 s to $2 s (rms $rms)"
}

# qm_click <x> <y>: moves the pointer to window pixel (x, y) and clicks the left
# button, with pauses long enough for the GUI to see the hover and the press.
# qm_start_in_editor: starts the game, focuses it, leaves the start-up pause
# and opens the editor with Ctrl+Shift+F8.
qm_start_in_editor() {
    qm_start
    qm_focus
    qm_resume_startup_pause
    timeout 10 xdotool key ctrl+shift+F8 || fail "could not open the editor"
    sleep 2
    qm_alive || fail "the game ended on opening the editor"
}

qm_click() {
    timeout 10 xdotool mousemove "$1" "$2" || fail "mousemove"
    sleep 0.4
    timeout 10 xdotool click 1 || fail "click"
    sleep 0.6
}
