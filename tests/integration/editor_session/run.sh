# A designer's session in the editor, with the mouse and keys, at the places the
# entities' probes report (world (x, y) is window (960 + 4x, 540 + 4y)): drag
# alpha and undo that with Z, drag beta and duplicate it with D, delete gamma,
# box-select delta, epsilon and zeta with Shift+drag, and look at the screen.
# "save level and reload assets" writes the level, runs the scripts again and
# reads every texture anew. Typing a new name into the "level" field reaches
# none of the editor's key commands (D duplicates, C creates, Q and E zoom, Z
# undoes), and leaving the editor writes the level under that name, keeps the
# old file and plays the new one; a visit without edits writes the same bytes.
source "$QM_LIB"
qm_content
for c in blue:0000ff green:00ff00 cyan:00ffff white:ffffff yellow:ffff00 grey:808080; do qm_png "${c%:*}" 8 8 "${c#*:}"; done

# at <label#id> [dy]: the window pixel of the entity as its probe last reported it.
at() { qm_last "probe: $1 " | awk -v dy="${2:-0}" '{print 960 + 4 * $3, 540 + 4 * $4 + dy}'; }
# drag <x> <y> <dx> <dy>: the left button held from (x, y) over (dx, dy), in two steps.
drag() {
    timeout 10 xdotool mousemove "$1" "$2" || fail "mousemove"
    qm_frame
    timeout 10 xdotool mousedown 1 || fail "mousedown"
    qm_frame
    timeout 10 xdotool mousemove $(( $1 + $3 / 2 )) $(( $2 + $4 / 2 )) || fail "mousemove"
    qm_frame
    timeout 10 xdotool mousemove $(( $1 + $3 )) $(( $2 + $4 )) || fail "mousemove"
    qm_frame
    timeout 10 xdotool mouseup 1 || fail "mouseup"
    qm_frame
}

qm_ready
qm_editor "probe: zeta#6 120 40"
n=$(qm_lines)
drag $(at alpha#1 5) 80 80       # grabbed 5 pixels below its position
qm_wait_line "probe: alpha#1 60 20" 5 "$n"
qm_key z
qm_wait_line "probe: alpha#1 40 0" 5 "$n"
drag $(at beta#2 5) 40 -120
qm_wait_line "probe: beta#2 90 -30" 5 "$n"
qm_key d
qm_wait_line "probe: beta#7 90 -30" 5 "$n"
qm_click $(at gamma#3 5)
qm_key Delete
qm_wait_line "probe: removed gamma#3" 5 "$n"
timeout 10 xdotool keydown shift || fail "shift"
drag $(qm_screen 70 -10) 240 240
timeout 10 xdotool keyup shift mousemove 1700 900
qm_frame
qm_screenshot "$QM_WORK/editor.png"
qm_check check.py editor "$QM_WORK/editor.png"

# A picture changed on disk shows once the assets are reloaded; the copy,
# numbered 7, comes back sixth, in file order.
qm_png blue 8 8 ff0000
n=$(qm_lines)
qm_click_gui Editor 150 59       # "save level and reload assets"
qm_wait_line "probe: scripts started" 15 "$n"
qm_wait_line "probe: beta#6 90 -30" 15 "$n"
timeout 10 xdotool mousemove 1700 900
qm_frame
qm_screenshot "$QM_WORK/saved.png"
qm_check check.py saved "$QM_WORK/saved.png"
qm_check check.py level "$QM_GAME/levels/veltrane_splash.json"

sha1sum "$QM_GAME/levels/veltrane_splash.json" > "$QM_WORK/old.sha"
n=$(qm_lines)
qm_click $(at beta#2 5)
qm_click_gui Editor 150 36       # the "level" field
timeout 10 xdotool keydown ctrl keydown a || fail "ctrl+a"
qm_frame    # the GUI reads held keys once a frame
timeout 10 xdotool keyup a keyup ctrl type --delay 60 "quiet_copse_dz" || fail "typing"
qm_click 1700 900
qm_has "#7 " "$n" && fail "a key typed into the field reached the editor"
qm_editor
new="$QM_GAME/levels/quiet_copse_dz.json"
qm_check check.py level "$new"
sha1sum -c --quiet "$QM_WORK/old.sha" || fail "the level under the old name changed"
cp "$new" "$QM_WORK/first_save.json"
qm_editor "probe: beta#6 90 -30"
qm_editor
cmp -s "$new" "$QM_WORK/first_save.json" || fail "a visit without edits changed the level: $(diff "$QM_WORK/first_save.json" "$new")"
ls "$QM_GAME/levels" | grep '\.tmp' && fail "temporary files left"
exit 0
