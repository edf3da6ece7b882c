# Hot reload while the game runs: a texture, a shader (and a broken one), the
# scripts (written in several steps: one reload) and the level file each take
# effect without a restart; the player's place (a script component's field)
# survives the scripts' rebuild.
source "$QM_LIB"

# wait_count <text> <n> <seconds>: standard output holds at least n lines with text.
wait_count() {
    for _ in $(seq 1 $(( $3 * 10 ))); do
        [ "$(grep -cF -- "$1" "$QM_WORK/stdout")" -ge "$2" ] && return 0
        sleep 0.1
    done
    fail "fewer than $2 lines within $3 s: $1"
}

qm_content
qm_debug_textures
qm_png split 8 8 ff0000
qm_start
qm_focus
qm_wait_line "probe: level loaded with 1 counters" 30
qm_wait_line "probe: counter starts at 5" 5
qm_wait_line "probe: texture " 5
first_id=$(grep -o "probe: texture [0-9]* 8x8" "$QM_WORK/stdout" | head -n 1 | cut -d' ' -f3)
[ -n "$first_id" ] || fail "no first texture line"
sleep 0.5
qm_screenshot "$QM_WORK/red.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/red.png" red || fail "start picture"

# Texture: a new picture and a new size under the same handle.
python3 "$QM_TOOLS" png "$QM_WORK/split.png" 4 2 ffff00 && mv "$QM_WORK/split.png" "$QM_GAME/textures/split.png"
qm_wait_line "probe: texture $first_id 4x2" 3
qm_wait_line 'Reloaded texture "split"' 1
sleep 0.3
qm_screenshot "$QM_WORK/yellow.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/yellow.png" yellow || fail "picture after the texture change"

# Shader: the forward program now paints everything green.
cp "$QM_GAME/shaders/forward.frag" "$QM_WORK/forward.frag.orig"
cat > "$QM_GAME/shaders/forward.frag" <<'GLSL'
#version 330 core
in vec2 uv;
uniform sampler2D in_texture;
uniform vec4 tint;
out vec4 color;
void main() { color = vec4(0.0, 1.0, 0.0, texture(in_texture, uv).a * tint.a); }
GLSL
qm_wait_line "Reloaded shader shaders/forward.frag" 3
sleep 0.3
qm_screenshot "$QM_WORK/green.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/green.png" green || fail "picture after the shader change"

# A broken shader: the error is printed and the old program stays.
printf '#version 330 core\nvoid main() { this is not glsl; }\n' > "$QM_GAME/shaders/forward.frag"
qm_wait_line "Shader compilation error of type: FRAGMENT|" 3
qm_wait_line "Keeping the previous program of shaders/forward.vs and shaders/forward.frag." 1
sleep 0.3
qm_screenshot "$QM_WORK/still_green.png"
python3 "$QM_TEST_DIR/check.py" "$QM_WORK/still_green.png" green || fail "picture after the broken shader"
grep -q "Reloaded shader shaders/forward.frag (0" "$QM_WORK/stdout" && fail "a broken shader counted as reloaded"
cp "$QM_WORK/forward.frag.orig" "$QM_GAME/shaders/forward.frag"
wait_count "Reloaded shader shaders/forward.frag (1 programs)" 2 3

# Scripts, saved in three steps within a burst: one rebuild; the counter goes
# on from where it was instead of starting at its level value again.
probe="$QM_GAME/lua/autorun/probe.lua"
sed 's/script version 1/script version 2/' "$probe" > "$QM_WORK/probe2.lua"
head -c 100 "$QM_WORK/probe2.lua" > "$probe"
sleep 0.05
tail -c +101 "$QM_WORK/probe2.lua" | head -c 200 >> "$probe"
sleep 0.05
tail -c +301 "$QM_WORK/probe2.lua" >> "$probe"
qm_wait_line "probe: script version 2" 3
qm_wait_line "Reloaded scripts" 1
wait_count "probe: level loaded with 1 counters" 2 1
sleep 1
[ "$(grep -c '^Reloaded scripts' "$QM_WORK/stdout")" -eq 1 ] || fail "one burst gave more than one script reload"
[ "$(grep -c 'probe: script version 2' "$QM_WORK/stdout")" -eq 1 ] || fail "the new script ran more than once"
starts=$(grep -o "probe: counter starts at [0-9]*" "$QM_WORK/stdout" | tail -n 1 | awk '{print $5}')
[ "$starts" -gt 5 ] || fail "the counter's field was not kept across the rebuild (starts at $starts)"

# The level file: a level change to itself, reading the changed file.
python3 - "$QM_GAME/levels/veltrane_splash.json" <<'PY'
import json, sys
level = json.load(open(sys.argv[1]))
level["entities"].append({"name": "second", "position": {"x": 0, "y": 0},
                          "components": [{"__component_name": "Counter", "count": 40}]})
json.dump(level, open(sys.argv[1], "w"))
PY
qm_wait_line 'Reloaded level "veltrane_splash"' 3
qm_wait_line "probe: level loaded with 2 counters" 3
qm_wait_line "probe: counter starts at 40" 1
qm_alive || fail "the game ended"
qm_stop
