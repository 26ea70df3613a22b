#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#  1. the Qt-free libraries built with clang, AddressSanitizer and UndefinedBehaviorSanitizer: their
#     tests, then each fuzz target for TESS_FUZZ_SECONDS (default 60);
#  2. the whole project built normally (benchmarks are built, not run): every test, ending with
#     CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
jobs=$(nproc)
fuzz_seconds=${TESS_FUZZ_SECONDS:-60}

echo "== Models with sanitizers, and fuzzing"
CC=clang CXX=clang++ tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTESS_MODELS_ONLY=ON \
  -DTESS_SANITIZE=ON -DTESS_FUZZ=ON -DTESS_FUZZ_SECONDS="$fuzz_seconds" -DTESS_TESTS=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure

echo "== Whole project"
tools/build.sh build -DTESS_TESTS=ON -DTESS_BENCH=ON
ctest --test-dir build -j "$jobs" --output-on-failure
