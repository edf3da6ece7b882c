# The game played through as a newcomer would, in two runs. The title offers
# New game, Options, Quit; New game shows the hint and the hero where the camera
# looks; walking east the camera follows; the gate home stays shut while a
# lantern is cold; lanterns light when the hero comes near; a door leads to the
# hollow, beside its door back; Restart level (pause menu) puts him back there;
# the pause menu, and quitting asks first and saves. The second run's title
# offers Continue first, which lands where he stood with the lanterns still
# lit; once all three burn the gate opens, through it the ending shows the
# time, and Enter returns to the title. Screenshots are checked at each step.
source "$QM_LIB"
qm_content game

check() { qm_see "$QM_WORK/$1.png" "$QM_DIR/game_common/check.py" "$@"; }
# where: "<level> <player x> <player y> <camera x> <camera y>", from the probe.
where() {
    qm_key F2
    qm_last "probe: at " | awk '{print $3, $5, $6, $8, $9}'
}
hero() {  # hero: checks the hero is drawn where the probe says
    read -r _ px py cx cy <<< "$(where)"
    check player "$(awk -v p="$px" -v c="$cx" 'BEGIN {print int(p - c)}')" "$(awk -v p="$py" -v c="$cy" 'BEGIN {print int(p - c)}')"
}
near() {  # near <x1> <y1> <x2> <y2> <pixels>
    awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v r="$5" 'BEGIN {dx = a - c; dy = b - d; exit !(dx * dx + dy * dy <= r * r)}'
}

qm_ready
check title-menu 3
qm_key Return
qm_wait_line "probe: in veltrane_clearing, lanterns 0" 30
check hint
hero
read -r _ px _ cx _ <<< "$(where)"
qm_hold Right 3
read -r _ px2 _ cx2 _ <<< "$(where)"
awk -v a="$px" -v b="$px2" -v c="$cx" -v d="$cx2" 'BEGIN {exit !(b > a + 120 && d > c + 60)}' ||
    fail "the hero walked from $px to $px2, the camera from $cx to $cx2"
hero

qm_key F8
qm_hold Up 1.5
qm_has "Door: to veltrane_home" && fail "the shut gate let the hero through"
qm_key F4
qm_wait_line "Lantern lit: clearing, 1 of 3" 10
qm_key F9
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
qm_wait_line "Door: to veltrane_hollow" 20
timeout 10 xdotool keyup Right
qm_wait_line "probe: in veltrane_hollow, lanterns 1" 30
read -r level hx hy _ _ <<< "$(where)"
awk -v x="$hx" 'BEGIN {exit !(x < -280)}' || fail "the hero did not arrive by the west door: x $hx"

qm_hold Down 0.6
qm_hold Right 0.8
read -r _ mx my _ _ <<< "$(where)"
near "$hx" "$hy" "$mx" "$my" 20 && fail "the hero did not move away from the door: $mx $my"
n=$(qm_lines)
qm_escape "probe: paused"
qm_key Down                   # Restart level
qm_key Return
qm_wait_line "probe: unpaused" 10 "$n"
read -r level rx ry _ _ <<< "$(where)"
[ "$level" = veltrane_hollow ] && near "$hx" "$hy" "$rx" "$ry" 1 || fail "Restart level put the hero at $level $rx $ry"
hero
qm_key F4
qm_wait_line "Lantern lit: hollow, 2 of 3" 10
read -r _ sx sy _ _ <<< "$(where)"

qm_escape "probe: paused"
check pause-menu
qm_key Up                     # wraps round to "Quit game"
qm_key Return
check quit-question
qm_key y
qm_wait_exit 30
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
for text in '"last_level" : "veltrane_hollow"' '"lanterns" : "clearing,hollow"'; do
    grep -qF "$text" "$QM_SAVE/save_file.json" || fail "record: $(cat "$QM_SAVE/save_file.json")"
done
[ -f "$QM_SAVE/veltrane_clearing.json" ] && [ -f "$QM_SAVE/veltrane_hollow.json" ] || fail "no saved copies: $(ls "$QM_SAVE")"

qm_ready
check title-menu 4            # Continue, New game, Options, Quit
qm_key Return
qm_wait_line "probe: in veltrane_hollow, lanterns 2" 30
read -r _ x y _ _ <<< "$(where)"
near "$sx" "$sy" "$x" "$y" 2 || fail "Continue put the hero at $x $y, not where he stood ($sx $sy)"
qm_key F6
qm_wait_line "probe: in veltrane_shore, lanterns 2" 30
qm_key F4
qm_wait_line "Lantern lit: shore, 3 of 3" 10
qm_key F5
qm_wait_line "probe: in veltrane_hollow, lanterns 3" 30
qm_key F7
qm_wait_line "probe: in veltrane_clearing, lanterns 3" 30
qm_key F8
timeout 10 xdotool keydown --clearmodifiers Up || fail "could not press Up"
qm_wait_line "Door: to veltrane_home" 10
timeout 10 xdotool keyup Up
qm_wait_line "The end, time " 30
qm_frame
check ending
qm_key Return
qm_wait_line "probe: in nil" 30
grep -h "Lua Error" "$QM_WORK"/stdout* && fail "a script failed"
exit 0
