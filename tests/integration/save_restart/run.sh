# Restart from the pause menu: every saved file is deleted, the menu closes, the
# level comes back as authored and the level left is neither saved nor recorded.
# Quitting afterwards saves again.
source "$QM_LIB"
qm_content
qm_debug_textures
save="$HOME/Documents/Quillmere"
mkdir -p "$save"
cp "$QM_TEST_DIR/saved/"* "$save/"
echo "not a save" > "$save/notes.txt"

qm_start
qm_focus
qm_resume_startup_pause
# A saved copy exists, so the game loads it rather than the authored level.
qm_wait_line "probe: marker saved A" 5

qm_key Escape
qm_wait_line "probe: paused" 10
lines=$(grep -c "probe: unpaused" "$QM_WORK/stdout")
qm_key r
qm_wait_line "probe: marker authored A" 10
[ "$(grep -c "probe: unpaused" "$QM_WORK/stdout")" -gt "$lines" ] || fail "the restart did not close the pause menu"
left=$(cd "$save" && ls)
[ "$left" = "notes.txt" ] || fail "after the restart the save folder holds: $left"

qm_key q
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
python3 - "$save" <<'PY' || fail "save after quitting: $(ls "$save")"
import json, sys
folder = sys.argv[1]
assert json.load(open(folder + "/save_file.json"))["last_level"] == "veltrane_splash"
level = json.load(open(folder + "/veltrane_splash.json"))
labels = [c["label"] for e in level["entities"] for c in e["components"] if c["__component_name"] == "Marker"]
assert labels == ["authored A"], labels
PY
[ -e "$save/level_b.json" ] && fail "level_b's deleted copy came back"
exit 0
