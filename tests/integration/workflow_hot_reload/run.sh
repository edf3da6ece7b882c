# While the game runs: F12 saves the window's picture (twice in a second, two
# files), showing a script's drawing upright, in place and at size and the
# "debug" picture of a missing texture; a texture, a shader (and a broken one),
# the scripts (saved in steps: one rebuild, a component's field kept) and the
# level file each reload without a restart.
source "$QM_LIB"
qm_content
qm_png split 8 8 0000ff 0 0 8 4 ff0000
qm_ready
qm_wait_line "probe: counter starts at 5" 5
first_id=$(qm_last "probe: texture " | cut -d' ' -f3)

qm_key F12
qm_wait_line "Screenshot saved: " 5
path=$(qm_last "Screenshot saved: " | cut -c 19-)
[[ "$path" == "$QM_SAVE/screenshots/Screenshot "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]" "[0-9][0-9]-[0-9][0-9]-[0-9][0-9].png ]] ||
    fail "unexpected path: $path"
[ "$(identify -format '%m %wx%h' "$path")" = "PNG 1920x1080" ] || fail "not a 1920x1080 PNG: $(identify "$path")"
qm_check check.py split "$path"
qm_screenshot "$QM_WORK/screen.png"
differing=$(compare -metric AE -fuzz 3% "$path" "$QM_WORK/screen.png" null: 2>&1)
[ "$differing" -lt 100 ] 2>/dev/null || fail "the picture differs from the screen in $differing pixels"
qm_key F12 F12   # a picture is taken once a frame: the presses in frames of their own
qm_poll 5 eval '[ "$(ls "$QM_SAVE/screenshots" | grep -c "\.png$")" -eq 3 ]' ||
    fail "three presses, files: $(ls "$QM_SAVE/screenshots")"

qm_png split.new 4 2 ffff00 && mv "$QM_GAME/textures/split.new.png" "$QM_GAME/textures/split.png"
qm_wait_line "probe: texture $first_id 4x2" 5
qm_wait_line 'Reloaded texture "split"' 1
qm_frame
qm_screenshot "$QM_WORK/yellow.png"
qm_check check.py yellow "$QM_WORK/yellow.png"

# The forward program paints everything green; a broken one is reported and the last good one stays.
frag="$QM_GAME/shaders/forward.frag"
cp "$frag" "$QM_WORK/forward.frag"
cat > "$frag" <<'GLSL'
#version 330 core
in vec2 uv;
uniform sampler2D in_texture;
uniform vec4 tint;
out vec4 color;
void main() { color = vec4(0.0, 1.0, 0.0, texture(in_texture, uv).a * tint.a); }
GLSL
qm_wait_line "Reloaded shader shaders/forward.frag" 5
printf '#version 330 core\nvoid main() { this is not glsl; }\n' > "$frag"
qm_wait_line "Shader compilation error of type: FRAGMENT|" 5
qm_wait_line "Keeping the previous program of shaders/forward.vs and shaders/forward.frag." 1
qm_frame
qm_screenshot "$QM_WORK/green.png"
qm_check check.py green "$QM_WORK/green.png"
qm_has "Reloaded shader shaders/forward.frag (0" && fail "a broken shader counted as reloaded"
cp "$QM_WORK/forward.frag" "$frag"
qm_poll 5 eval '[ "$(qm_count "Reloaded shader shaders/forward.frag (1 programs)")" -ge 2 ]' || fail "the shader came not back"

probe="$QM_GAME/lua/autorun/probe.lua"
sed 's/script version 1/script version 2/' "$probe" > "$QM_WORK/probe2.lua"
head -c 100 "$QM_WORK/probe2.lua" > "$probe"
sleep 0.05
tail -c +101 "$QM_WORK/probe2.lua" | head -c 200 >> "$probe"
sleep 0.05
tail -c +301 "$QM_WORK/probe2.lua" >> "$probe"
qm_wait_line "probe: script version 2" 5
qm_wait_line "Reloaded scripts" 1
qm_poll 5 eval '[ "$(qm_count "probe: 1 counters")" -ge 2 ]' || fail "the level did not come back after the scripts"
qm_frame
[ "$(qm_count "Reloaded scripts")" -eq 1 ] || fail "one burst gave more than one script reload"
[ "$(qm_count "probe: script version 2")" -eq 1 ] || fail "the new script ran more than once"
starts=$(qm_last "probe: counter starts at" | awk '{print $5}')
[ "$starts" -gt 5 ] || fail "the counter's field was not kept across the rebuild (starts at $starts)"

python3 - "$QM_GAME/levels/veltrane_splash.json" <<'PY'
import json, sys
level = json.load(open(sys.argv[1]))
level["entities"].append({"name": "second", "components": [{"__component_name": "Counter", "count": 40}]})
json.dump(level, open(sys.argv[1], "w"))
PY
qm_wait_line 'Reloaded level "veltrane_splash"' 5
qm_wait_line "probe: 2 counters" 5
qm_wait_line "probe: counter starts at 40" 1
