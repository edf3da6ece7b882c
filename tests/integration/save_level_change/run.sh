# Leaving a level through a script's level change with saving on writes the
# saved copy of the level left (as it was left) and the save record naming it;
# quitting in the next level rewrites the record with that level and writes its
# copy too.
source "$QM_LIB"
qm_content
qm_debug_textures
save="$HOME/Documents/Quillmere"

# json_get <file> <python expression on j>: prints the value.
json_get() { python3 -c 'import json,sys; j=json.load(open(sys.argv[1])); print('"$2"')' "$1" || fail "cannot read $1"; }
marker_label() { json_get "$1" '[c["label"] for e in j["entities"] for c in e["components"] if c["__component_name"]=="Marker"][0]'; }

qm_start
qm_focus
qm_resume_startup_pause
qm_wait_line "probe: marker authored A" 5
[ -e "$save/save_file.json" ] && fail "a record was written before any level was left"

qm_key d
qm_wait_line "probe: level loaded level_b" 10
qm_wait_line "probe: marker authored B" 5
[ -f "$save/veltrane_splash.json" ] || fail "no saved copy of the level left: $(ls "$save")"
[ "$(marker_label "$save/veltrane_splash.json")" = "left veltrane_splash" ] ||
    fail "the saved copy is not the level as it was left: $(cat "$save/veltrane_splash.json")"
[ "$(json_get "$save/save_file.json" 'j["last_level"]')" = "veltrane_splash" ] ||
    fail "record after the change: $(cat "$save/save_file.json")"
[ -e "$save/level_b.json" ] && fail "level_b was saved before it was left"

qm_key q
qm_wait_exit 20
[ "$QM_STATUS" -eq 0 ] || fail "exit status $QM_STATUS"
[ "$(json_get "$save/save_file.json" 'j["last_level"]')" = "level_b" ] ||
    fail "record after quitting: $(cat "$save/save_file.json")"
[ "$(marker_label "$save/level_b.json")" = "authored B" ] || fail "no saved copy of level_b: $(ls "$save")"
[ "$(marker_label "$save/veltrane_splash.json")" = "left veltrane_splash" ] || fail "the copy of the first level changed"
ls "$save" | grep -q '\.tmp' && fail "temporary files left: $(ls "$save")"
exit 0
