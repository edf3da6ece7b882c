# --profile: a header row, then one row per frame whose split by system adds up
# to the frame (less the loop's own bookkeeping), in a headless run and in a
# drawn one; the averages are printed at exit. The game's own content runs, so
# its script components show up by name.
source "$QM_LIB"
qm_content
for d in levels textures lua audio Audio; do cp -r "$QM_REPO/game/$d/." "$QM_GAME/$d/"; done

# check <csv> <frames> <drawn 0|1>
check() {
    python3 - "$@" <<'PY' || fail "profile $1: see above"
import csv, sys
path, frames, drawn = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1"
rows = list(csv.reader(open(path)))
head, rows = rows[0], rows[1:]
assert head[:3] == ["frame", "frame_ms", "scripts_ms"] and head[-1] == "script3_ms", head
assert [int(r[0]) for r in rows] == list(range(1, frames + 1)), f"{len(rows)} rows for {frames} frames"
split = head.index("script1")
frame = sum(float(r[1]) for r in rows[1:])
parts = sum(float(x) for r in rows[1:] for x in r[2:split])
# The first frame is left out; over the rest the loop's own bookkeeping (the
# frame clock, destroying entities) stays under 5 % and 0.5 ms a frame.
assert parts <= frame + 0.01 * len(rows) and frame - parts <= max(0.05 * frame, 0.5 * len(rows)), (frame, parts)
drawing = sum(float(r[head.index(c)]) for r in rows for c in ("lit_pass_ms", "composition_ms", "swap_ms"))
assert (drawing > 0) == drawn, f"drawing columns total {drawing}"
assert any(r[split] for r in rows), "no script component named"
PY
}

(cd "$QM_GAME" && exec env -u DISPLAY timeout 60 "$QM_EXE" --headless --level veltrane_clearing --frames 120 --profile ../headless.csv \
    >"$QM_WORK/out" 2>"$QM_WORK/err") || fail "headless: $(tail -n 5 "$QM_WORK/err")"
check "$QM_WORK/headless.csv" 120 0
grep -q "^Profile: 120 frames in .*headless.csv; average ms: frame " "$QM_WORK/out" || fail "no averages line"

(cd "$QM_GAME" && exec timeout 60 "$QM_EXE" --windowed --no-watch --level veltrane_clearing --frames 90 --profile ../drawn.csv \
    >"$QM_WORK/out" 2>"$QM_WORK/err") || fail "drawn: $(tail -n 5 "$QM_WORK/err")"
check "$QM_WORK/drawn.csv" 90 1
echo "profile: one row per frame, the split adds up, headless and drawn"
