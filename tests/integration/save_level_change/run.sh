# Leaving a level through a script's level change with saving on writes the
# saved copy of the level left (as it was left) and the save record naming it;
# quitting in the next level rewrites the record with that level and writes its
# copy too. Runs headless: the script changes level and quits by frame count.
source "$QM_LIB"
qm_content
qm_debug_textures
save="$HOME/Documents/Quillmere"

# json_get <file> <python expression on j>: prints the value.
json_get() { python3 -c 'import json,sys; j=json.load(open(sys.argv[1])); print('"$2"')' "$1" || fail "cannot read $1"; }
marker_label() { json_get "$1" '[c["label"] for e in j["entities"] for c in e["components"] if c["__component_name"]=="Marker"][0]'; }

# Headless: the script drives the level change and the quit by frame count.
(cd "$QM_GAME" && exec env -u DISPLAY timeout 30 "$QM_EXE" --headless >"$QM_WORK/stdout" 2>"$QM_WORK/stderr")
QM_STATUS=$?
grep -qxF "probe: marker authored A" "$QM_WORK/stdout" || fail "the authored first level was not loaded"
grep -qxF "probe: record before leaving false" "$QM_WORK/stdout" || fail "a record was written before any level was left"
grep -qxF "probe: level loaded level_b" "$QM_WORK/stdout" || fail "level_b was not loaded"
grep -qxF "probe: marker authored B" "$QM_WORK/stdout" || fail "the authored level_b was not loaded"
grep -qxF "probe: after the change, record names veltrane_splash, level_b copy false" "$QM_WORK/stdout" ||
    fail "after the change: $(grep -F "after the change" "$QM_WORK/stdout")"
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
[ "$(json_get "$save/save_file.json" 'j["last_level"]')" = "level_b" ] ||
    fail "record after quitting: $(cat "$save/save_file.json")"
[ "$(marker_label "$save/level_b.json")" = "authored B" ] || fail "no saved copy of level_b: $(ls "$save")"
[ "$(marker_label "$save/veltrane_splash.json")" = "left veltrane_splash" ] || fail "the copy of the first level changed"
ls "$save" | grep -q '\.tmp' && fail "temporary files left: $(ls "$save")"
exit 0
