#!/usr/bin/env bash
# Every test of the plain build: installs what is missing, builds in build/,
# then runs the unit, content and integration tests (each integration test
# under its own Xvfb, two at a time). This is the README's test command;
# .ci/run runs it and then tools/run-checked.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build-env.sh
started=$(date +%s)

bash tools/install-deps.sh
stage "plain build"
# Only the benchmark an integration test runs; the checked run builds them all.
cmake -S . -B build -G Ninja -DQM_ALL_BENCHMARKS=OFF "${launcher[@]}"
cmake --build build
stage "plain tests"
ctest --test-dir build --output-on-failure -j2
stage "all passed"
