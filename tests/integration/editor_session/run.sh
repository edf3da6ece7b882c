# A designer's session in the editor, driven with the mouse and keys: open it
# (Ctrl+Shift+F8), drag an entity and undo that with Z, drag another and
# duplicate it with D, delete a third, box-select three more with Shift+drag,
# look at the screen, then leave. Leaving writes the level to levels/ and the
# game reloads it from there; saving it again after another visit gives the
# same bytes.
#
# Each entity of the level carries a "Probe" script component that prints its
# position whenever it changes and its removal. With the camera at (0, 0) on a
# 1920x1080 screen the scene is scaled by 4 and world (x, y) is window pixel
# (960 + 4x, 540 + 4y).
source "$QM_LIB"
qm_content
# The probe component the editor tests share (reports its entity's position).
cp -r "$QM_REPO/tests/integration/editor_common/lua/." "$QM_GAME/lua/"
qm_debug_textures
qm_png blue 8 8 0000ff
qm_png green 8 8 00ff00
qm_png cyan 8 8 00ffff
qm_png white 8 8 ffffff
qm_png yellow 8 8 ffff00
qm_png grey 8 8 808080
level="$QM_GAME/levels/veltrane_splash.json"
cp "$level" "$QM_WORK/authored.json"

lines() { wc -l < "$QM_WORK/stdout"; }
# after <line count> <exact line> <seconds>: waits for the line among those
# printed after the first <line count> lines.
after() {
    for _ in $(seq 1 $(( $3 * 10 ))); do
        tail -n +$(( $1 + 1 )) "$QM_WORK/stdout" | grep -qxF -- "$2" && return 0
        qm_alive || fail "the game ended while waiting for: $2"
        sleep 0.1
    done
    fail "no line within $3 s: $2"
}
mouse() { timeout 10 xdotool "$@" || fail "xdotool $*"; sleep 0.3; }
# drag <x0> <y0> <x1> <y1>: left button, in two steps so frames see it move.
drag() {
    mouse mousemove "$1" "$2"
    mouse mousedown 1
    mouse mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 ))
    mouse mousemove "$3" "$4"
    mouse mouseup 1
}
# toggle_editor <last probe removed> <last probe back>: every switch reloads
# the level, so each probe goes and comes back.
toggle_editor() {
    local n
    n=$(lines)
    timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
    after "$n" "probe: removed $1" 15
    after "$n" "probe: $2" 15
}

qm_start
qm_focus
qm_resume_startup_pause
toggle_editor "zeta#6" "zeta#6 120 40"

# Grab alpha 5 pixels below its position and drag it by (80, 80) pixels.
n=$(lines)
drag 1120 545 1200 625
after "$n" "probe: alpha#1 60 20" 5
n=$(lines)
qm_key z
after "$n" "probe: alpha#1 40 0" 5

n=$(lines)
drag 1280 545 1320 425
after "$n" "probe: beta#2 90 -30" 5
n=$(lines)
qm_key d
after "$n" "probe: beta#7 90 -30" 5

n=$(lines)
mouse mousemove 1120 705
mouse click 1
qm_key Delete
after "$n" "probe: removed gamma#3" 5

# Shift+drag from world (70, -10) to (130, 50): delta, epsilon and zeta.
mouse keydown shift
drag 1240 500 1480 740
mouse keyup shift
mouse mousemove 1700 900
sleep 0.5
qm_screenshot "$QM_WORK/editor.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/editor.png" || fail "picture check"

# The copy was numbered 7; reloaded in file order it is the sixth entity.
n=$(lines)
toggle_editor "beta#7" "beta#6 90 -30"
after "$n" "probe: beta#2 90 -30" 5
after "$n" "probe: alpha#1 40 0" 5
python3 "$QM_TEST_DIR/check_level.py" "$level" || fail "level file check"
cp "$level" "$QM_WORK/first_save.json"

# Into the editor and out again: the level comes back from the file and is
# written again unchanged.
toggle_editor "beta#6" "beta#6 90 -30"
toggle_editor "beta#6" "beta#6 90 -30"
cmp -s "$level" "$QM_WORK/first_save.json" || fail "the level changed on a visit without edits: $(diff "$QM_WORK/first_save.json" "$level")"
ls "$QM_GAME/levels" | grep -q '\.tmp' && fail "temporary files left: $(ls "$QM_GAME/levels")"
qm_stop
exit 0
