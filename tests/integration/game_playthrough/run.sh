# The game played through as a newcomer would: the title menu, New game, the
# hint, a walk along the path to the first door (the camera following), the
# second level, Restart level from the pause menu (back at the door he came
# in by), the pause menu, quitting with its question; then a second run
# whose title offers Continue, which lands in the second level where the player
# stood. Screenshots at each step are checked for what must be on them.
source "$QM_LIB"
qm_content
for d in levels textures lua audio Audio; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
save="$HOME/Documents/Quillmere"
out="$QM_WORK/stdout"
shots="$QM_WORK/shots"
mkdir -p "$shots"

check() {  # check <shot name> <what> [numbers]
    local name=$1
    shift
    qm_screenshot "$shots/$name.png"
    python3 "$QM_REPO/tests/integration/game_common/check.py" "$shots/$name.png" "$@" || fail "screenshot $name: $*"
}
hold() {  # hold <key> <seconds>
    timeout 10 xdotool keydown --clearmodifiers "$1" || fail "could not press $1"
    sleep "$2"
    timeout 10 xdotool keyup "$1"
    sleep 0.3
}
# where: "<level> <player x> <player y> <camera x> <camera y>" (F2 asks the probe).
where() {
    local before
    before=$(grep -c "probe: at " "$out")
    qm_key F2
    for _ in $(seq 1 50); do
        [ "$(grep -c "probe: at " "$out")" -gt "$before" ] && break
        sleep 0.1
    done
    grep "probe: at " "$out" | tail -n 1 | awk '{print $3, $5, $6, $8, $9}'
}
# The window has no focus before its first frame and the game pauses itself
# shortly after; close that pause menu once it has had the chance to open.
settle() {
    qm_wait_line "probe: level loaded" 40
    sleep 2.5
    if grep -qF "probe: paused" "$out"; then
        qm_key Escape
        qm_wait_line "probe: unpaused" 10
    fi
}

qm_start
qm_focus
settle
check title title-menu 3      # New game, Options, Quit: no Continue without a save

qm_key Return
qm_wait_line "Level entered, visit 1" 30
qm_wait_line "probe: level loaded veltrane_clearing" 10
sleep 1
check start hint
read -r level px py cx cy <<< "$(where)"
[ "$level" = veltrane_clearing ] || fail "New game opened $level"
# the hero stands where the camera looks, a little off it
check hero player "$(awk -v p="$px" -v c="$cx" 'BEGIN {print int(p - c)}')" \
    "$(awk -v p="$py" -v c="$cy" 'BEGIN {print int(p - c)}')"

# Along the path to the east: the camera follows the hero.
hold Right 3
read -r level px2 py2 cx2 cy2 <<< "$(where)"
awk -v a="$px" -v b="$px2" 'BEGIN {exit !(b > a + 120)}' || fail "the hero did not walk: $px -> $px2"
awk -v a="$cx" -v b="$cx2" 'BEGIN {exit !(b > a + 60)}' || fail "the camera did not follow: $cx -> $cx2"
check walked player "$(awk -v p="$px2" -v c="$cx2" 'BEGIN {print int(p - c)}')" \
    "$(awk -v p="$py2" -v c="$cy2" 'BEGIN {print int(p - c)}')"

# On to the door: the second level loads, the hero beside its door back.
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
qm_wait_line "Door: to veltrane_hollow" 20
timeout 10 xdotool keyup Right
qm_wait_line "Level entered, visit 2" 30
qm_wait_line "probe: level loaded veltrane_hollow" 10
sleep 1
read -r level hx hy _ _ <<< "$(where)"
[ "$level" = veltrane_hollow ] || fail "the door led to $level"
awk -v x="$hx" 'BEGIN {exit !(x < -280)}' || fail "the hero did not arrive by the west door: x $hx"
wait_more() {  # wait_more <text> <count>: until more than count lines hold text
    for _ in $(seq 1 100); do
        [ "$(grep -c -- "$1" "$out")" -gt "$2" ] && return 0
        sleep 0.1
    done
    fail "no new line: $1"
}
near() {  # near <x1> <y1> <x2> <y2> <pixels>
    awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v r="$5" 'BEGIN {dx = a - c; dy = b - d; exit !(dx * dx + dy * dy <= r * r)}'
}

# Restart level: from the pause menu, the hero is back where he entered the
# level, the camera on him again, and the game runs on.
hold Down 0.6
hold Right 0.8
read -r level mx my _ _ <<< "$(where)"
near "$hx" "$hy" "$mx" "$my" 20 && fail "the hero did not move away from the door: $mx $my"
paused=$(grep -c "probe: paused" "$out")
unpaused=$(grep -c "probe: unpaused" "$out")
qm_key Escape
wait_more "probe: paused" "$paused"
qm_key Down                   # Restart level
qm_key Return
wait_more "probe: unpaused" "$unpaused"
sleep 0.5
read -r level rx ry rcx rcy <<< "$(where)"
[ "$level" = veltrane_hollow ] || fail "Restart level left for $level"
near "$hx" "$hy" "$rx" "$ry" 1 || fail "Restart level put the hero at $rx $ry, not at the door ($hx $hy)"
check restarted player "$(awk -v p="$rx" -v c="$rcx" 'BEGIN {print int(p - c)}')" \
    "$(awk -v p="$ry" -v c="$rcy" 'BEGIN {print int(p - c)}')"
hold Down 0.6
read -r level hx hy hcx hcy <<< "$(where)"
near "$rx" "$ry" "$hx" "$hy" 20 && fail "after Restart level the hero does not walk: $hx $hy"

# The pause menu, then quitting from it asks first.
qm_key Escape
qm_wait_line "probe: paused" 10
check pause pause-menu
qm_key Up                     # wraps round to "Quit game"
qm_key Return
check question quit-question
qm_key y
qm_wait_exit 30
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
grep -q '"last_level" : "veltrane_hollow"' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
[ -f "$save/veltrane_clearing.json" ] || fail "no saved copy of the level left through the door"
[ -f "$save/veltrane_hollow.json" ] || fail "no saved copy of the level quit in"

# Second run: Continue is offered first and chosen; the hero is back where he stood.
mv "$out" "$QM_WORK/stdout.first"
qm_start
qm_focus
settle
check title2 title-menu 4     # Continue, New game, Options, Quit
qm_key Return
qm_wait_line "probe: level loaded veltrane_hollow" 30
sleep 1
read -r level x y _ _ <<< "$(where)"
[ "$level" = veltrane_hollow ] || fail "Continue opened $level"
awk -v a="$hx" -v b="$x" -v c="$hy" -v d="$y" 'BEGIN {dx = a - b; dy = c - d; exit !(dx * dx + dy * dy < 4)}' ||
    fail "Continue put the hero at $x $y, not where he stood ($hx $hy)"
grep -q "Lua Error" "$QM_WORK/stdout.first" "$out" && fail "a script failed: $(grep -h "Lua Error" "$QM_WORK"/stdout* | head -n 3)"
qm_stop
exit 0
