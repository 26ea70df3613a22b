#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#  0. the formatting of every C++ file (.clang-format), before anything is built;
#  1. the Qt-free libraries built with clang, AddressSanitizer and UndefinedBehaviorSanitizer: their
#     tests, then each fuzz target for TESS_FUZZ_SECONDS (default 30; TESS_FUZZ_SECONDS=60 for a
#     longer run), two at a time, with the time the fuzzing took;
#  2. the whole project built normally (benchmarks are built, not run): every test, ending with
#     CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
jobs=$(nproc)
fuzz_seconds=${TESS_FUZZ_SECONDS:-30}

echo "== Formatting"
tools/check-format.sh

echo "== Models with sanitizers, and fuzzing"
models_start=$SECONDS
CC=clang CXX=clang++ tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTESS_MODELS_ONLY=ON \
  -DTESS_SANITIZE=ON -DTESS_FUZZ=ON -DTESS_FUZZ_SECONDS="$fuzz_seconds" -DTESS_TESTS=ON
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-asan -j "$jobs" -LE fuzz --output-on-failure
echo "Building and testing the models took $((SECONDS - models_start)) s"
# Each fuzz target keeps a core busy for its whole time: two at a time halve the stage and still
# leave each target a core of the two that CI has.
fuzz_start=$SECONDS
ctest --test-dir build-asan -j 2 -L fuzz --output-on-failure
echo "Fuzzing took $((SECONDS - fuzz_start)) s"
unset ASAN_OPTIONS UBSAN_OPTIONS

echo "== Whole project"
build_start=$SECONDS
tools/build.sh build -DTESS_TESTS=ON -DTESS_BENCH=ON
echo "Building took $((SECONDS - build_start)) s"
ctest --test-dir build -j "$jobs" --output-on-failure
echo "All of it took $SECONDS s"
