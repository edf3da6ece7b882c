# Shared steps of the render_* picture tests; a run.sh sources this after
# "$QM_LIB". The tests pin the renderer's output: each scene's screenshot must
# match the picture kept beside its run.sh ("expected.png"), pixel for pixel
# within 1 per channel (float order may differ between drawing paths).
#
# QM_RECORD_PICTURES=1 writes the screenshot as the new expected picture
# instead of comparing (to be done only when a change of the picture is meant).
QM_PICTURES="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The files the engine needs at start-up besides levels, textures and scripts.
qm_render_content() {
    qm_content
    qm_debug_textures
    mkdir -p "$QM_GAME/audio" "$QM_GAME/Audio"
    : > "$QM_GAME/audio/bankFiles.txt"
    : > "$QM_GAME/audio/stringFiles.txt"
    echo '{"Sounds":{"Cue Number":0}}' > "$QM_GAME/Audio/SoundStorage.json"
    mkdir -p "$QM_GAME/lua/autorun"
    cp "$QM_PICTURES/probe.lua" "$QM_GAME/lua/autorun/zz_render_probe.lua"
}

# qm_render_shot <file>: starts the game, waits until the level is loaded and
# the start-up pause is closed, lets animations settle, takes the screenshot.
qm_render_shot() {
    qm_start
    qm_focus
    qm_resume_startup_pause
    sleep 2
    qm_alive || fail "the game ended by itself"
    qm_screenshot "$1"
    qm_stop
}

# qm_render_compare <file>: the screenshot against expected.png.
qm_render_compare() {
    local expected="$QM_TEST_DIR/expected.png"
    if [ "${QM_RECORD_PICTURES:-0}" = 1 ]; then
        cp "$1" "$expected" || fail "could not record $expected"
        echo "recorded $expected"
        return 0
    fi
    python3 "$QM_PICTURES/compare.py" "$1" "$expected" || fail "picture differs from expected.png"
}
