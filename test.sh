#!/usr/bin/env bash
# Builds everything with tests and runs the whole suite, then the display-free libraries again
# under AddressSanitizer and UBSan. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
ensure_packages "${MORVANE_PACKAGES_RUN[@]}" "${MORVANE_PACKAGES_TEST[@]}"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_TESTS=ON \
  -DMORVANE_BENCH=ON >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

# Every reader of outside bytes meets hostile bytes: a short bounded fuzzing run of each reader.
fuzz/build_and_run.sh 20 build/fuzz

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMORVANE_TESTS=ON -DMORVANE_CORE_ONLY=ON -DMORVANE_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"
