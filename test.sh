#!/usr/bin/env bash
# Builds everything with tests and runs the whole suite in a time zone with daylight saving and an
# odd offset and under a German locale, so that no test leans on UTC or on English. Then one clang
# build of the display-free libraries with AddressSanitizer and UBSan runs their tests again and
# fuzzes every reader of outside bytes for a short while, the fuzzers side by side.
# Exits non-zero on any failure. MORVANE_BENCH=ON ./test.sh also builds the benchmarks.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
ensure_packages "${MORVANE_PACKAGES_RUN[@]}" "${MORVANE_PACKAGES_TEST[@]}"
ensure_locale de_DE.UTF-8
jobs=$(nproc)
# Optimised builds with line tables only: a failure's stack still names files and lines, and the
# builds cost far less than with full debugging information. The libraries are compiled eight
# sources to a unit, which spares most of the headers' parsing.
lines="-O2 -g1 -DNDEBUG"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$lines" \
  -DMORVANE_TESTS=ON -DMORVANE_UNITY=ON \
  -DMORVANE_BENCH="${MORVANE_BENCH:-OFF}" -DMORVANE_TEST_LC_ALL=de_DE.UTF-8 >/dev/null
cmake --build build/test -j "$jobs"
TZ=America/St_Johns ctest --test-dir build/test --output-on-failure --no-tests=error -j "$jobs"

# The display-free tests and the fuzzers share one sanitized build: the tests run in UTC and the
# C locale, the other side of the run above.
CC=clang CXX=clang++ cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$lines" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$lines" \
  -DMORVANE_TESTS=ON -DMORVANE_UNITY=ON -DMORVANE_CORE_ONLY=ON -DMORVANE_SANITIZE=ON -DMORVANE_FUZZ=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 TZ=UTC \
  ctest --test-dir build/sanitize --output-on-failure --no-tests=error -j "$jobs"

# Every reader of outside bytes meets hostile bytes: a short bounded fuzzing run of each reader.
fuzz/build_and_run.sh --built 20 build/sanitize
