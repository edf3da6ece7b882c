# exploratory
source "$QM_LIB"
qm_content
qm_debug_textures
qm_png blue 8 8 0000ff
qm_png green 8 8 00ff00
qm_png cyan 8 8 00ffff
qm_png white 8 8 ffffff
qm_start
qm_focus
qm_resume_startup_pause
timeout 10 xdotool key --clearmodifiers ctrl+shift+F8
sleep 1.5
mkdir -p /tmp/ec_shots
qm_screenshot /tmp/ec_shots/open.png
xdotool mousemove 1120 545; sleep 0.3
xdotool mousedown 1; sleep 0.3
xdotool mousemove 1160 585; sleep 0.3
xdotool mousemove 1200 625; sleep 0.5
xdotool mouseup 1; sleep 0.5
qm_screenshot /tmp/ec_shots/drag.png
cp "$QM_WORK/stdout" /tmp/ec_shots/stdout.txt
cp "$QM_WORK/stderr" /tmp/ec_shots/stderr.txt
qm_stop
