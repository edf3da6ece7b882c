# Loading a broken level from the editor's "load" list keeps the editor on the
# level it had and prints one line with the parser's own text; nothing on disk
# changes: neither the level being edited nor the broken file nor the save
# folder.
source "$QM_LIB"
qm_content
# The probe component the editor tests share (reports its entity's position).
cp -r "$QM_REPO/tests/integration/editor_common/lua/." "$QM_GAME/lua/"
qm_debug_textures
save="$HOME/Documents/Quillmere"
snapshot() { (cd "$QM_GAME/levels" && sha1sum ./*; [ -d "$save" ] && cd "$save" && sha1sum ./* 2>/dev/null) ; }

qm_start
qm_focus
qm_resume_startup_pause
timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
# The editor reloads the level: the probe goes and comes back.
qm_wait_line "probe: removed stone#1" 15
sleep 1
snapshot > "$QM_WORK/before.txt"
# The "load" button of the "Level" panel, then the first entry of its popup,
# which opens at the cursor: the names come sorted, "a_broken" first.
timeout 10 xdotool mousemove 75 84 click 1 || fail "could not click load"
sleep 1
timeout 10 xdotool mousemove 110 99 click 1 || fail "could not choose the level"
qm_wait_line 'Level "a_broken" was not loaded: ' 10
grep -F 'Level "a_broken" was not loaded: ' "$QM_WORK/stdout" | grep -qF "Line 4, Column 1" ||
    fail "the line lacks the parser's text"
sleep 1
qm_alive || fail "the game ended"
snapshot > "$QM_WORK/after.txt"
cmp -s "$QM_WORK/before.txt" "$QM_WORK/after.txt" || fail "files changed: $(diff "$QM_WORK/before.txt" "$QM_WORK/after.txt")"
qm_stop
exit 0
