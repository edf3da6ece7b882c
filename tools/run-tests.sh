#!/usr/bin/env bash
# Every test of the plain build: installs what is missing, builds in build/,
# then runs the unit, content and integration tests (each integration test
# under its own Xvfb, three at a time: they mostly wait on the game's clock).
# This is the README's test command;
# .ci/run runs it and then tools/run-checked.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build-env.sh
started=$(date +%s)

bash tools/install-deps.sh
stage "plain build"
# Only the benchmark an integration test runs (the checked run builds them all),
# and the game's optimisation without debug information, which the tests never
# read and which costs a fifth of the build.
cmake -S . -B build -G Ninja -DQM_ALL_BENCHMARKS=OFF "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
cmake --build build
stage "plain tests"
ctest --test-dir build --output-on-failure -j3
stage "all passed"
