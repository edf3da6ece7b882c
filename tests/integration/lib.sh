# Helpers for integration tests; run.sh sources "$QM_LIB". Every wait polls its
# condition under a time limit (tests run side by side on a loaded machine),
# and every process started here is recorded so the harness kills it.
QM_GAME="$QM_WORK/game"
QM_OUT="$QM_WORK/stdout"
QM_SAVE="$HOME/Documents/Quillmere"
QM_DIR=$(dirname "$QM_LIB")
export PYTHONPATH="$QM_DIR"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# qm_content [game]: the content folder: the engine's shaders and Lua layer, the
# shared probe (common/lua), with "game" the game's own content, then what the
# test folder brings (levels/, textures/, lua/, audio/, Audio/).
qm_content() {
    mkdir -p "$QM_GAME"/{levels,textures,shaders,lua,audio,Audio}
    cp -r "$QM_REPO/game/shaders/." "$QM_GAME/shaders/"
    cp -r "$QM_REPO/game/lua/engine" "$QM_GAME/lua/"
    if [ "${1:-}" = game ]; then
        for d in levels textures lua audio Audio; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
        cp -r "$QM_DIR/game_common/lua/." "$QM_GAME/lua/"
    fi
    # The pictures every sprite falls back to, in known colours (magenta).
    [ -f "$QM_GAME/textures/debug.png" ] || cp "$QM_DIR"/common/textures/* "$QM_GAME/textures/"
    cp -r "$QM_DIR/common/lua/." "$QM_GAME/lua/"
    for s in levels textures lua audio Audio; do [ -d "$QM_TEST_DIR/$s" ] && cp -r "$QM_TEST_DIR/$s/." "$QM_GAME/$s/"; done
    # The engine does not start without the bank lists and the cue table.
    touch "$QM_GAME/audio/bankFiles.txt" "$QM_GAME/audio/stringFiles.txt"
    [ -f "$QM_GAME/Audio/SoundStorage.json" ] || echo '{"Sounds":{"Cue Number":0}}' > "$QM_GAME/Audio/SoundStorage.json"
}

# qm_png <name> <width> <height> <colour> [x0 y0 x1 y1 colour]...: textures/<name>.png.
qm_png() {
    local name=$1
    shift
    python3 "$QM_TOOLS" png "$QM_GAME/textures/$name.png" "$@" || fail "could not write $name.png"
}

# qm_start [options...]: the game in the content folder, its output in $QM_OUT
# and $QM_WORK/stderr; an earlier run's output is kept, numbered.
qm_start() {
    [ -f "$QM_OUT" ] && mv "$QM_OUT" "$QM_OUT.$(ls "$QM_WORK" | grep -c '^stdout')"
    (cd "$QM_GAME" && exec "$QM_EXE" "$@" >"$QM_OUT" 2>"$QM_WORK/stderr") &
    QM_PID=$!
    echo "$QM_PID" >> "$QM_WORK/pids"
}

qm_alive() { kill -0 "$QM_PID" 2>/dev/null; }
qm_stop() { kill "$QM_PID" 2>/dev/null; qm_poll 5 eval '! qm_alive' || kill -9 "$QM_PID" 2>/dev/null; return 0; }
qm_lines() { wc -l < "$QM_OUT"; }
qm_count() { grep -cF -- "$1" "$QM_OUT"; }
qm_has() { tail -n +$(( ${2:-0} + 1 )) "$QM_OUT" | grep -qF -- "$1"; }  # <text> [after this many lines]
qm_last() { grep -F -- "$1" "$QM_OUT" | tail -n 1; }

# qm_poll <seconds> <command...>: runs the command every 0.1 s until it succeeds.
qm_poll() {
    local limit=$(( $1 * 10 ))
    shift
    for _ in $(seq 1 "$limit"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# qm_wait_line <text> <seconds> [lines]: a line holding text among those after
# the first [lines]; fails when the game ends first.
qm_wait_line() {
    for _ in $(seq 1 $(( $2 * 10 ))); do
        qm_has "$1" "${3:-0}" && return 0
        qm_alive || fail "the game ended while waiting for: $1"
        sleep 0.1
    done
    fail "no line within $2 s: $1"
}

# qm_wait_exit <seconds>: the game ends by itself; sets QM_STATUS.
qm_wait_exit() {
    qm_poll "$1" eval '! qm_alive' || fail "the game did not end within $1 s"
    wait "$QM_PID"
    QM_STATUS=$?
}

# qm_window [name]: the window's id once it is mapped and holds the focus (a bare
# X server focuses nothing, and the game pauses itself without the focus).
qm_window() {
    local wid
    wid=$(timeout 40 xdotool search --sync --name "^${1:-Quillmere}\$" | head -n 1)
    [ -n "$wid" ] || fail "no window ${1:-Quillmere}"
    qm_poll 15 timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null || fail "could not focus ${1:-Quillmere}"
    echo "$wid"
}

qm_size() {
    timeout 10 xdotool search --name '^Quillmere$' getwindowgeometry --shell | awk -F= '/^WIDTH/ {w=$2} /^HEIGHT/ {h=$2} END {print w "x" h}'
}
qm_wait_size() {
    local want=$1
    qm_poll 10 eval '[ "$(qm_size)" = "$want" ]' || fail "window is $(qm_size), expected $want"
}

# qm_frame: returns once the game has run a frame since (the probe answers the
# Pause key with "probe: tick"), or has ended.
qm_frame() {
    local n
    n=$(qm_count "probe: tick")
    timeout 10 xdotool key Pause || fail "could not press Pause"
    qm_poll 10 eval '[ "$(qm_count "probe: tick")" -gt "$n" ] || ! qm_alive' || fail "the game runs no frames"
}

# qm_key <keysym>...: each pressed and released, and seen by the game.
qm_key() {
    for k in "$@"; do
        timeout 10 xdotool key --clearmodifiers "$k" || fail "could not press $k"
        qm_frame
    done
}

qm_hold() {  # qm_hold <key> <seconds>
    timeout 10 xdotool keydown --clearmodifiers "$1" || fail "could not press $1"
    sleep "$2"
    timeout 10 xdotool keyup "$1"
    qm_frame
}

# qm_ready [options...]: starts the game, focuses it, and closes the pause menu
# if the game paused itself before the focus came.
qm_ready() {
    qm_start "$@"
    qm_window > /dev/null
    qm_wait_line "probe: level loaded" 40
    qm_frame
    qm_has "probe: paused" && qm_escape "probe: unpaused"
    return 0
}

# qm_escape <line>: Escape, then the line it brings.
qm_escape() {
    local n
    n=$(qm_lines)
    timeout 10 xdotool key Escape || fail "could not press Escape"
    qm_wait_line "$1" 10 "$n"
}

# qm_editor [line]: opens or leaves the editor, whose every switch reloads the
# level, and waits for the line ("LevelLoad" is raised outside the editor only).
qm_editor() {
    local n
    n=$(qm_lines)
    timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
    qm_wait_line "${1:-probe: level loaded}" 20 "$n"
    qm_frame
}

# qm_click <x> <y>: the pointer to window pixel (x, y), a frame to see it hover,
# then a click, seen by the game.
qm_click() {
    timeout 10 xdotool mousemove "$1" "$2" || fail "mousemove"
    qm_frame
    timeout 10 xdotool click 1 || fail "click"
    qm_frame
    QM_CLICKED="$1 $2"
}

# qm_click_gui <window> <dx> <dy>: clicks (dx, dy) from the corner of the GUI's
# window, which the probe asks the GUI for (Scroll Lock).
qm_click_gui() {
    local name=$1 n
    n=$(qm_count "probe: window $name ")
    timeout 10 xdotool key Scroll_Lock || fail "could not press Scroll Lock"
    qm_poll 10 eval '[ "$(qm_count "probe: window $name ")" -gt "$n" ]' || fail "no GUI window $name"
    read -r x y <<< "$(qm_last "probe: window $name " | awk '{print $4, $5}')"
    qm_click $(( x + $2 )) $(( y + $3 ))
}

# qm_click_entry <n>: the n-th entry of the popup the last click opened (popups
# open at the cursor; entries are 17 pixels apart with the default style).
qm_click_entry() {
    read -r x y <<< "$QM_CLICKED"
    qm_click $(( x + 30 )) $(( y + 15 + 17 * ($1 - 1) ))
}

# qm_screen <world x> <world y>: the window pixel, with the camera at the origin
# on a 1920x1080 screen (the scene scaled by 4).
qm_screen() { echo "$(( 960 + 4 * $1 )) $(( 540 + 4 * $2 ))"; }

# qm_screenshot <file>: the screen, once a frame has passed since the last
# frame that saw what came before, so that frame is shown.
qm_screenshot() {
    qm_frame
    timeout 30 bash -c 'xwd -root -silent | convert xwd:- png:"$1"' _ "$1" && [ -s "$1" ] || fail "screenshot failed"
}

# qm_check <script.py> <args...>: a check of the test folder.
qm_check() { timeout 60 python3 "$QM_TEST_DIR/$1" "${@:2}" || fail "$*"; }

# qm_see <picture> <script.py> <args...>: polls for 10 s until a screenshot
# passes the check (drawing may fade in).
qm_see() {
    for _ in $(seq 1 20); do
        qm_screenshot "$1"
        timeout 60 python3 "$2" "$1" "${@:3}" > "$QM_WORK/check.txt" 2>&1 && return 0
        sleep 0.2
    done
    fail "$1: $(cat "$QM_WORK/check.txt")"
}

# qm_expect_crash <text>: the crash dialog shows, Return answers it, the game
# ends with status 0 and standard error holds the message with <text>.
qm_expect_crash() {
    qm_window "Unrecoverable Exception" > /dev/null
    timeout 10 xdotool key --clearmodifiers Return || fail "could not press Return"
    qm_wait_exit 15
    [ "$QM_STATUS" -eq 0 ] && grep -qF -- "$1" "$QM_WORK/stderr" && grep -qF "Please report" "$QM_WORK/stderr" ||
        fail "exit status $QM_STATUS, standard error: $(cat "$QM_WORK/stderr")"
}

# qm_audio_capture: before qm_start, OpenAL's wave writer mixes into
# $QM_WORK/out.wav (in real time) instead of the silent null driver.
qm_audio_capture() {
    printf '[wave]\nfile = %s\n' "$QM_WORK/out.wav" > "$QM_WORK/alsoft.conf"
    export ALSOFT_DRIVERS=wave ALSOFT_CONF="$QM_WORK/alsoft.conf"
}
