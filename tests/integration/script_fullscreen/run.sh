# Scripts switch between full screen and a window: the flag they read follows,
# and the game window takes the monitor's size or the 1280 x 720 window.
source "$QM_LIB"
qm_content
qm_debug_textures
size() {  # the game window's size as WIDTHxHEIGHT
    timeout 10 xdotool search --name '^Quillmere$' getwindowgeometry --shell 2>/dev/null |
        awk -F= '/^WIDTH/ {w=$2} /^HEIGHT/ {h=$2} END {print w "x" h}'
}
wait_size() {  # wait_size <WxH>
    for _ in $(seq 1 50); do [ "$(size)" = "$1" ] && return 0; sleep 0.1; done
    fail "window is $(size), expected $1"
}

qm_start
qm_focus
qm_wait_line "probe: level loaded, fullscreen true" 30
wait_size 1920x1080

qm_key w
qm_wait_line "probe: windowed, fullscreen false" 10
wait_size 1280x720

qm_focus
qm_key f
qm_wait_line "probe: full screen, fullscreen true" 10
wait_size 1920x1080
qm_alive || fail "the game ended"
qm_stop
exit 0
