# "save level and reload assets" in the editor's "Level" panel writes the
# level to levels/, runs every script again in a fresh Lua state, reads every
# texture from disk again and loads the level back; the mark of unsaved
# changes in the menu bar goes with the save.
#
# The stone at world (40, 0) is window pixel (1120, 540) on the 1920x1080
# screen (scene scaled by 4, camera at the origin); its 8x8 picture hangs
# below that point, 32 pixels wide and high.
source "$QM_LIB"
qm_content
# The probe component the editor tests share (reports its entity's position).
cp -r "$QM_REPO/tests/integration/editor_common/lua/." "$QM_GAME/lua/"
qm_debug_textures
qm_png paint 8 8 ff0000
level="$QM_GAME/levels/veltrane_splash.json"

lines() { wc -l < "$QM_WORK/stdout"; }
after() {
    for _ in $(seq 1 $(( $3 * 10 ))); do
        tail -n +$(( $1 + 1 )) "$QM_WORK/stdout" | grep -qxF -- "$2" && return 0
        qm_alive || fail "the game ended while waiting for: $2"
        sleep 0.1
    done
    fail "no line within $3 s: $2"
}
mouse() { timeout 10 xdotool "$@" || fail "xdotool $*"; sleep 0.3; }
# unsaved_mark <picture>: whether the menu bar shows the orange text.
unsaved_mark() {
    python3 - "$1" <<'PY'
import os, sys
sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image
image = qm_image.load(sys.argv[1])
orange = qm_image.near((255, 191, 51), 50)
hits = sum(1 for y in range(26, 46) for x in range(240, 440) if orange(image.at(x, y)))
sys.exit(0 if hits > 20 else 1)
PY
}

qm_start
qm_focus
qm_resume_startup_pause
n=$(lines)
timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
after "$n" "probe: removed stone#1" 15
after "$n" "probe: stone#1 40 0" 15

n=$(lines)
mouse mousemove 1120 545
mouse mousedown 1
mouse mousemove 1160 585
mouse mousemove 1200 625
mouse mouseup 1
after "$n" "probe: stone#1 60 20" 5
mouse mousemove 1700 900
sleep 0.5
qm_screenshot "$QM_WORK/moved.png"
unsaved_mark "$QM_WORK/moved.png" || fail "no mark of unsaved changes after a move"

# The picture changes on disk; only a reload of the textures shows it.
qm_png paint 8 8 0000ff
n=$(lines)
mouse mousemove 200 84
mouse click 1
mouse mousemove 1700 900
after "$n" "probe: scripts started" 15
after "$n" "probe: stone#1 60 20" 15
python3 -c 'import json,sys; e=json.load(open(sys.argv[1]))["entities"]; sys.exit(0 if [(x["name"], x["pos"]["x"], x["pos"]["y"]) for x in e] == [("stone", 60, 20)] else 1)' "$level" ||
    fail "the level was not saved with the move: $(cat "$level")"
sleep 1
qm_screenshot "$QM_WORK/reloaded.png"
unsaved_mark "$QM_WORK/reloaded.png" && fail "the mark of unsaved changes stayed after saving"
python3 - "$QM_WORK/reloaded.png" <<'PY' || fail "picture check"
import os, sys
sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image
image = qm_image.load(sys.argv[1])
# World (60, 20) is window (1200, 620): the picture spans x 1184..1215, y 620..651.
centre = image.at(1200, 640)
if not qm_image.near((0, 0, 255), 60)(centre):
    sys.exit(f"the stone shows {centre} at (1200, 640), not the new blue picture")
print("the stone shows the picture read again from disk")
PY
qm_stop
exit 0
