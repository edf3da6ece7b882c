# The worked examples of the scripting reference (docs/examples/) run as they
# are printed: each is an autorun script of a headless game, which fails on any
# script error, and each prints what it did. Run twice, so the save example
# reads back the record its first run wrote.
source "$QM_LIB"
qm_content
mkdir -p "$QM_GAME/lua/autorun"
cp "$QM_REPO"/docs/examples/*.lua "$QM_GAME/lua/autorun/" || fail "no examples"
cp -r "$QM_REPO/game/audio/." "$QM_GAME/audio/"
cp -r "$QM_REPO/game/Audio/." "$QM_GAME/Audio/"

for start in 1 2; do
    (cd "$QM_GAME" && exec env -u DISPLAY timeout 60 "$QM_EXE" --headless --frames 90 >"$QM_WORK/out" 2>"$QM_WORK/err")
    status=$?
    [ "$status" -eq 0 ] || fail "start $start: status $status: $(tail -n 5 "$QM_WORK/err")"
    for line in "move_entity: now at (130, 50)" "collision: the ball hit the wall" "play_cue: chime" \
        "save_and_load: start $start"; do
        grep -qF "$line" "$QM_WORK/out" || fail "start $start: no \"$line\" in: $(head -n 20 "$QM_WORK/out")"
    done
    grep -q "invalid cue" "$QM_WORK/out" && fail "the cue is not in the table"
done
echo "worked examples: all four ran, twice"
