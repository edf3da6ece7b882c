# On a 1920x1200 screen (its own X server) the view is the 1920x1080 picture
# between black bars of 60 rows, though the tile map lies under them.
source "$QM_LIB"
Xvfb -displayfd 4 -screen 0 1920x1200x24 -nolisten tcp 4>"$QM_WORK/display2" 2>/dev/null &
echo $! >> "$QM_WORK/pids"
qm_poll 10 test -s "$QM_WORK/display2" || fail "the 1920x1200 X server did not start"
export DISPLAY=":$(tr -d '[:space:]' < "$QM_WORK/display2")"
pictures="$QM_DIR/render_pictures"
qm_content
cp -r "$pictures/textures" "$pictures/lua" "$QM_GAME/"
cp "$pictures/levels/sprites.json" "$QM_GAME/levels/veltrane_splash.json"
qm_ready
qm_wait_line "probe: settled" 20
qm_frame
qm_screenshot "$QM_WORK/shot.png"
timeout 60 python3 "$pictures/compare.py" "$QM_WORK/shot.png" "$pictures/sprites.png" 1920x1080+0+60 ||
    fail "the view is not the 16:9 picture"
python3 - "$QM_WORK/shot.png" <<'PY' || fail "the bars are not black"
import sys, qm_image
sys.exit(any(qm_image.load(sys.argv[1], f"1920x60+0+{y}").data.strip(b"\0") for y in (0, 1140)))
PY
