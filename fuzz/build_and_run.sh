#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers of outside bytes with clang (AddressSanitizer +
# UBSan) and runs them side by side, each for a bounded time.
# Usage: fuzz/build_and_run.sh [--built] [seconds per target of the metadata readers, default 20]
#        [build folder, default build/fuzz]
# With --built the folder already holds the targets (a main build with -DMORVANE_FUZZ=ON, as
# ./test.sh makes) and nothing is built. The readers of the program's own files and Tamsel's get at
# most 10 seconds each. Exits non-zero when a target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
built=0
if [ "${1:-}" = "--built" ]; then
  built=1
  shift
fi
seconds="${1:-20}"
build="${2:-build/fuzz}"

if [ "$built" -eq 0 ]; then
  CC=clang CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" >/dev/null
fi

# Seeds: the sample files of the test packages when they are installed.
seeds_exif=(/usr/share/gocode/src/github.com/rwcarlsen/goexif/exif/samples
            /usr/share/gocode/src/github.com/rwcarlsen/goexif/exif/corrupt)
seeds_mp3=(/usr/share/doc/libmp3-tag-perl/examples)

# run <target> <longest input> [--short] [--dict file] [seed folders...]: the longest input fits
# the target's format (a settings body of some 220 short lines, a 500-row replace list, the
# 4 KiB head of a picture extended by its 64 KiB APP1 segment, ...), so short runs reach real
# sizes instead of wandering through inputs no reader takes.
names=()
pids=()
run() {
  local target="$1" max_len="$2"; shift 2
  local seconds="$seconds" options=()
  if [ "${1:-}" = "--short" ]; then
    shift
    [ "$seconds" -gt 10 ] && seconds=10
  fi
  if [ "${1:-}" = "--dict" ]; then
    options+=("-dict=fuzz/$2")
    shift 2
  fi
  local corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  local dirs=()
  for d in "$@"; do [ -d "$d" ] && dirs+=("$d"); done
  echo "fuzzing $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/bin/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 -artifact_prefix="$build/$target-" "${options[@]}" "$corpus" "${dirs[@]}" \
      2>"$build/$target.log" &
  names+=("$target")
  pids+=($!)
}

run fuzz_exif 65536 "${seeds_exif[@]}"
run fuzz_id3 65536 "${seeds_mp3[@]}"
run fuzz_mpeg 65536 "${seeds_mp3[@]}"
seconds=$(( (seconds + 1) / 2 )) run fuzz_exifdump 65536 "${seeds_exif[@]}"
run fuzz_exif_file 69632 --short --dict exif.dict "${seeds_exif[@]}"
run fuzz_rnp 16384 --short
run fuzz_srl 65536 --short
run fuzz_program_files 8192 --short
run fuzz_tamsel_registry 65536 --short
run fuzz_tamsel_drop 65536 --short
run fuzz_path_names 8192 --short

failed=0
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    tail -n 60 "$build/${names[$i]}.log"
    echo "${names[$i]}: fault found (input saved under $build/)"
    failed=1
  fi
done
[ "$failed" -eq 0 ] || exit 1
echo "fuzzing finished without faults"
