#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan on) and runs each one
# for the given number of seconds (default 60), starting from its seed corpus
# in fuzz/corpus/<name>/. New inputs go to build-fuzz/corpus/<name>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLENAMAR_FUZZ=ON -DPLENAMAR_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
shopt -s nullglob
for target in build-fuzz/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=fuzz/corpus/${name#fuzz_}
  work=build-fuzz/corpus/${name#fuzz_}
  mkdir -p "$work"
  echo "== $name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp QT_QPA_PLATFORM=offscreen \
    "$target" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 "$work" "$seeds" 2>&1 |
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$name found a fault" >&2; exit 1; }
done
