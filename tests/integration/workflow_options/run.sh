# Each command-line option's effect, and the usage with status 2 on a wrong one.
source "$QM_LIB"
qm_content
qm_debug_textures
save="$HOME/Documents/Quillmere/save_file.json"
out="$QM_WORK/out"
err="$QM_WORK/err"

# game <options...>: runs the game from an empty folder (so only --content can
# find the content); status in $status.
mkdir -p "$QM_WORK/elsewhere"
game() {
    (cd "$QM_WORK/elsewhere" && exec timeout 30 "$QM_EXE" "$@" >"$out" 2>"$err")
    status=$?
}
last_level() { python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["last_level"])' "$save"; }

game --help
[ "$status" -eq 0 ] || fail "--help: status $status"
head -n 1 "$out" | grep -qxF "Usage: quillmere [options]" || fail "--help: $(head -n 1 "$out")"
for option in --windowed "--level NAME" "--content DIR" --headless "--frames N" --no-watch --version; do
    grep -qF -- "  $option " "$out" || fail "--help does not list $option"
done

game --version
[ "$status" -eq 0 ] && [ "$(cat "$out")" = "Quillmere 0.1" ] || fail "--version: status $status, $(cat "$out")"

for wrong in "--fullscreen" "--frames 0" "--level" "--headless --windowed"; do
    # shellcheck disable=SC2086
    game $wrong
    [ "$status" -eq 2 ] || fail "$wrong: status $status"
    [ ! -s "$out" ] || fail "$wrong: wrote to standard output"
    grep -qxF "Usage: quillmere [options]" "$err" || fail "$wrong: no usage on standard error"
done
grep -qxF 'quillmere: options --headless and --windowed exclude each other' "$err" || fail "last error: $(head -n 1 "$err")"

game --content "$QM_WORK/nowhere" --headless --frames 1
[ "$status" -eq 2 ] && grep -qF "cannot use \"$QM_WORK/nowhere\" as the content folder: No such file or directory" "$err" \
    || fail "missing content folder: status $status, $(head -n 1 "$err")"
game --content "$QM_GAME" --level attic --headless --frames 1
[ "$status" -eq 2 ] && grep -qF 'no level "attic": levels/attic.json is not a file' "$err" \
    || fail "missing level: status $status, $(head -n 1 "$err")"

# --content and --frames: the game runs its content from elsewhere and stops.
game --content "$QM_GAME" --headless --frames 7
[ "$status" -eq 0 ] || fail "--content: status $status: $(cat "$err")"
grep -qxF "probe: unloaded after 7 frames" "$out" || fail "--frames 7: $(cat "$out")"
[ "$(last_level)" = "veltrane_splash" ] || fail "default first level: $(last_level)"

# --level: another first level.
game --content "$QM_GAME" --level cellar --headless --frames 3
[ "$status" -eq 0 ] && [ "$(last_level)" = "cellar" ] || fail "--level cellar: status $status, left $(last_level)"

# --windowed: the 1280 x 720 window; --no-watch: a changed script is left alone.
(cd "$QM_WORK/elsewhere" && exec "$QM_EXE" --content "$QM_GAME" --windowed --no-watch >"$QM_WORK/stdout" 2>"$QM_WORK/stderr") &
QM_PID=$!
echo "$QM_PID" >> "$QM_WORK/pids"
qm_wait_line "probe: level loaded" 30
wid=$(timeout 30 xdotool search --sync --name '^Quillmere$' | head -n 1)
[ -n "$wid" ] || fail "no game window"
geometry=$(xdotool getwindowgeometry "$wid" | grep -o 'Geometry: [0-9x]*')
[ "$geometry" = "Geometry: 1280x720" ] || fail "--windowed: $geometry"
echo 'lb.print("probe: reloaded anyway")' >> "$QM_GAME/lua/autorun/probe.lua"
sleep 1.5
grep -qE "Reloaded|probe: reloaded anyway" "$QM_WORK/stdout" && fail "--no-watch: a script was reloaded"
qm_stop

# Windowed with --frames: the game ends by itself.
game --content "$QM_GAME" --windowed --frames 20
[ "$status" -eq 0 ] && grep -qxF "probe: unloaded after 20 frames" "$out" || fail "--windowed --frames 20: status $status"
echo "options: help, version, wrong ones, content, level, frames, windowed, no-watch"
