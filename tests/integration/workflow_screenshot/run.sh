# F12 writes the window's picture as a PNG into the save folder under
# screenshots/, named with the date and time, and prints its path; the file is
# a PNG of the window's size showing what the screen shows; a second press
# within the same second makes a second file instead of replacing the first.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png split 8 8 0000ff 0 0 8 4 ff0000
qm_start
qm_focus
qm_wait_line "probe: level loaded" 30
sleep 1.5
qm_key F12
qm_wait_line "Screenshot saved: " 5
path=$(grep -o "Screenshot saved: .*" "$QM_WORK/stdout" | head -n 1 | cut -c 19-)
case "$path" in
"$HOME/Documents/Quillmere/screenshots/Screenshot "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]" "[0-9][0-9]-[0-9][0-9]-[0-9][0-9]".png") ;;
*) fail "unexpected path: $path" ;;
esac
[ -f "$path" ] || fail "no file at $path"
[ "$(identify -format '%m %wx%h' "$path")" = "PNG 1920x1080" ] || fail "not a 1920x1080 PNG: $(identify "$path")"
qm_screenshot "$QM_WORK/screen.png"
differing=$(compare -metric AE -fuzz 3% "$path" "$QM_WORK/screen.png" null: 2>&1)
[ "$differing" -lt 100 ] 2>/dev/null || fail "the picture differs from the screen in $differing pixels"

qm_key F12
qm_key F12
for _ in $(seq 1 50); do [ "$(grep -c "Screenshot saved: " "$QM_WORK/stdout")" -ge 3 ] && break; sleep 0.1; done
[ "$(ls "$HOME/Documents/Quillmere/screenshots" | grep -c '\.png$')" -eq 3 ] ||
    fail "three presses, files: $(ls "$HOME/Documents/Quillmere/screenshots")"
qm_alive || fail "the game ended"
qm_stop
