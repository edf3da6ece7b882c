# The goal: the gate home stays shut until the three lanterns of the valley
# (one in each level) are lit; they stay lit through doors and through quitting
# and continuing; once all burn the gate opens, and through it the ending shows
# the time taken; Enter there returns to the title. The probe's keys carry the
# hero about the world (lua/autorun/zz_probe.lua).
source "$QM_LIB"
qm_content
for d in levels textures lua audio Audio; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"
save="$HOME/Documents/Quillmere"

hold() {  # hold <key> <seconds>
    timeout 10 xdotool keydown --clearmodifiers "$1" || fail "could not press $1"
    sleep "$2"
    timeout 10 xdotool keyup "$1"
    sleep 0.3
}
settle() {
    qm_wait_line "probe: level loaded" 40
    sleep 2.5
    if grep -qF "probe: paused" "$out"; then
        qm_key Escape
        qm_wait_line "probe: unpaused" 10
    fi
}
# gate_is <true|false>: what the probe says of the gate (in the clearing).
gate_is() {
    local before
    before=$(grep -c "probe: in " "$out")
    qm_key F2
    for _ in $(seq 1 50); do [ "$(grep -c "probe: in " "$out")" -gt "$before" ] && break; sleep 0.1; done
    grep "probe: in " "$out" | tail -n 1 | grep -q "gate open $1" || fail "gate: $(grep "probe: in " "$out" | tail -n 1)"
}

qm_start
qm_focus
settle
qm_key Return
qm_wait_line "probe: level loaded veltrane_clearing, lanterns 0" 30

# Shut: walking at the gate leads nowhere.
gate_is false
qm_key F8
hold Up 1.5
grep -qF "Door: to veltrane_home" "$out" && fail "the shut gate let the hero through"

qm_key F4
qm_wait_line "Lantern lit: clearing, 1 of 3" 10
qm_key F5
qm_wait_line "probe: level loaded veltrane_hollow, lanterns 1" 30
sleep 0.5
qm_key F4
qm_wait_line "Lantern lit: hollow, 2 of 3" 10

# Quit and continue: the two lanterns are still lit.
qm_key Escape
qm_wait_line "probe: paused" 10
qm_key Up
qm_key Return
qm_key y
qm_wait_exit 30
grep -q '"lanterns" : "clearing,hollow"' "$save/save_file.json" || fail "record: $(cat "$save/save_file.json")"
mv "$out" "$QM_WORK/stdout.first"
qm_start
qm_focus
settle
qm_key Return
qm_wait_line "probe: level loaded veltrane_hollow, lanterns 2" 30
sleep 0.5
qm_key F6
qm_wait_line "probe: level loaded veltrane_shore, lanterns 2" 30
sleep 0.5
qm_key F4
qm_wait_line "Lantern lit: shore, 3 of 3" 10
qm_key F5
qm_wait_line "probe: level loaded veltrane_hollow, lanterns 3" 30
sleep 0.5
qm_key F7
qm_wait_line "probe: level loaded veltrane_clearing, lanterns 3" 30
sleep 0.5

# Open now, and through it to the ending.
gate_is true
qm_key F8
hold Up 2
qm_wait_line "Door: to veltrane_home" 10
qm_wait_line "The end, time " 30
sleep 1.5
qm_screenshot "$QM_WORK/ending.png"
python3 "$QM_REPO/tests/integration/game_common/check.py" "$QM_WORK/ending.png" ending || fail "the ending screen"
qm_key Return
qm_wait_line "probe: level loaded nil" 30
grep -q "Lua Error" "$QM_WORK/stdout.first" "$out" && fail "a script failed: $(grep -h "Lua Error" "$QM_WORK"/stdout* | head -n 3)"
qm_stop
exit 0
