# The console's copy of the log: the grave-accent key opens the console, a click
# on "Save copy to Documents/Quillmere" writes "Console Log<seconds>.txt" into
# the save folder with every log line.
#
# Where the button is, with Dear ImGui's default style and font (13 px text,
# 19 px title bar and buttons, 8 px window padding, 4 px item spacing): the
# console opens at (50, 25) with size 600 x 300, its content ends 8 px above
# the bottom edge (y 317) and the button takes the last 19 px, y 298..316,
# starting at x 58.
source "$QM_LIB"
qm_content
qm_debug_textures
save="$HOME/Documents/Quillmere"

qm_start
qm_focus
qm_resume_startup_pause
before=$(date +%s)
qm_key grave
timeout 10 xdotool mousemove 90 307 click 1 || fail "could not click"
after=$(date +%s)
for _ in $(seq 1 50); do
    ls "$save"/"Console Log"*.txt >/dev/null 2>&1 && break
    sleep 0.1
done
copy=$(ls "$save"/"Console Log"*.txt 2>/dev/null | head -n 1)
[ -n "$copy" ] || fail "no console copy in the save folder: $(ls "$save" 2>/dev/null)"
seconds=$(basename "$copy" .txt)
seconds=${seconds#Console Log}
[ "$seconds" -ge "$before" ] && [ "$seconds" -le $((after + 5)) ] || fail "copy named for $seconds, clicked between $before and $after"
grep -qxF "probe: 100%d literal" "$copy" || fail "the copy lacks the printed line: $(cat "$copy")"
grep -qxF "probe: level loaded" "$copy" || fail "the copy lacks the level line"
# Every line of the copy is a line the game printed, in the same order.
grep -F "probe:" "$copy" > "$QM_WORK/copy_probe"
grep -F "probe:" "$QM_WORK/stdout" | head -n "$(wc -l < "$QM_WORK/copy_probe")" > "$QM_WORK/out_probe"
cmp -s "$QM_WORK/copy_probe" "$QM_WORK/out_probe" || fail "the copy's lines differ from the game's output"
qm_alive || fail "the game ended"
qm_stop
exit 0
