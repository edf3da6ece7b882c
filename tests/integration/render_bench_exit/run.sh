# The render benchmarks open the real engine and leave at exit without a fault:
# the texture cache belongs to Graphics, so no texture is released through an
# object that static destruction already took away.
source "$QM_LIB"
bench="$(dirname "$QM_EXE")/bench/bench_render"
[ -x "$bench" ] || fail "no $bench (build the bench_render target)"
(cd "$QM_WORK" && timeout 80 "$bench" --benchmark_filter='^BM_LitFrameNoShadows$' --benchmark_min_time=0.01 \
    >"$QM_WORK/bench.out" 2>"$QM_WORK/bench.err") || fail "bench_render ended with status $?: $(cat "$QM_WORK/bench.err")"
grep -q "BM_LitFrameNoShadows" "$QM_WORK/bench.out" && ! grep -q "ERROR OCCURRED" "$QM_WORK/bench.out" ||
    fail "the benchmark did not run: $(cat "$QM_WORK/bench.out")"
grep -qiE "corrupted|double free|AddressSanitizer" "$QM_WORK/bench.err" && fail "heap fault at exit"
exit 0
