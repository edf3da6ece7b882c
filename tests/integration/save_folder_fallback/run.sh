# The documents folder cannot hold the saves (a file stands where it should
# be): the title's New Game still starts the game, the log says where saves go,
# and leaving writes the record into the XDG data folder.
source "$QM_LIB"
qm_content
cp -r "$QM_REPO/game/levels/." "$QM_GAME/levels/"
cp -r "$QM_REPO/game/textures/." "$QM_GAME/textures/"
cp -r "$QM_REPO/game/lua/." "$QM_GAME/lua/"
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
echo "not a folder" > "$HOME/Documents"
data="$HOME/.local/share/Quillmere"

qm_start
qm_focus
qm_wait_line "probe: level loaded, title true, save false" 30
grep -qF "probe: paused" "$QM_WORK/stdout" && { qm_key Escape; qm_wait_line "probe: unpaused" 10; }
qm_key Return
qm_wait_line "Level entered, visit 1" 20
grep -qF "saves go to \"$data/\"" "$QM_WORK/stdout" || fail "the log does not say where saves go"
qm_key Escape
qm_wait_line "probe: paused true" 10
qm_key Down
qm_key Return
qm_key y
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
grep -q '"last_level" : "veltrane_clearing"' "$data/save_file.json" || fail "no record in the data folder"
[ "$(cat "$HOME/Documents")" = "not a folder" ] || fail "the file in the documents folder's place was touched"
exit 0
