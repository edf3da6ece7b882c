#!/usr/bin/env bash
# run_fuzzer.sh <fuzzer> <seed corpus folder> <seconds>: replays every committed
# seed (a crash is a regression), then fuzzes for the given time from a scratch
# copy of them, so the committed corpus never changes. A crash is kept beside the
# fuzzer as crash-<hash> and fails the run. Paths are absolute: the targets work
# in a scratch folder of their own (fuzz_world.h).
set -euo pipefail
fuzzer=$(realpath "$1") seeds=$(realpath "$2") seconds=$3
out=$fuzzer-findings
rm -rf "$out"
mkdir -p "$out/corpus"
cp -r "$seeds/." "$out/corpus/" 2>/dev/null || true
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=1"
"$fuzzer" -runs=0 "$seeds"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
    -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus"
