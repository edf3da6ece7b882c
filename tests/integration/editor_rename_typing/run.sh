# Typing a new name into the "level" field of the editor's "Level" panel:
# the keys never reach the editor's commands (the name is full of them: C
# creates, D duplicates the selected stone, Q and E zoom, Z undoes), and
# leaving the editor writes the level under the new name, leaving the old
# file as it was, then plays the level from the new file.
source "$QM_LIB"
qm_content
# The probe component the editor tests share (reports its entity's position).
cp -r "$QM_REPO/tests/integration/editor_common/lua/." "$QM_GAME/lua/"
qm_debug_textures
old="$QM_GAME/levels/veltrane_splash.json"
sha1sum "$old" > "$QM_WORK/old.sha"

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

qm_start
qm_focus
qm_resume_startup_pause
n=$(lines)
timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
after "$n" "probe: removed stone#1" 15
after "$n" "probe: stone#1 0 0" 15

# Select the stone (world (0, 0), window (960, 540)), so D would copy it.
mouse mousemove 960 545
mouse click 1
# The "level" field, its text selected and typed over.
mouse mousemove 200 61
mouse click 1
# Held for a few frames: the GUI reads held keys once per frame.
mouse keydown ctrl
mouse keydown a
mouse keyup a
mouse keyup ctrl
mouse type --delay 60 "quiet_copse_dz"
n=$(lines)
mouse mousemove 1700 900
mouse click 1
sleep 0.5
grep -q "probe: stone#2" "$QM_WORK/stdout" && fail "a key typed into the field duplicated the stone"

timeout 10 xdotool key --clearmodifiers ctrl+shift+F8 || fail "could not press Ctrl+Shift+F8"
after "$n" "probe: level loaded" 15
after "$n" "probe: stone#1 0 0" 15
new="$QM_GAME/levels/quiet_copse_dz.json"
[ -f "$new" ] || fail "no level written under the new name: $(ls "$QM_GAME/levels")"
python3 -c 'import json,sys; e=json.load(open(sys.argv[1]))["entities"]; sys.exit(0 if [x["name"] for x in e] == ["stone"] else 1)' "$new" ||
    fail "the renamed level does not hold just the stone: $(cat "$new")"
sha1sum -c --quiet "$QM_WORK/old.sha" || fail "the level under the old name changed"
qm_stop
exit 0
