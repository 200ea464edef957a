#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan on) and runs each one
# for the given number of seconds (default 60), starting from its seed corpus
# in fuzz/corpus/<name>/, and says how many inputs it ran a minute. Each runs
# in an empty temporary folder, removed afterwards, so that nothing lands in
# the checkout: new inputs go to build-fuzz/corpus/<name>/, and an input that
# finds a fault to build-fuzz/artifacts/<name>/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLENAMAR_FUZZ=ON -DPLENAMAR_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/run"
shopt -s nullglob
for target in build-fuzz/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=$root/fuzz/corpus/${name#fuzz_}
  work=$root/build-fuzz/corpus/${name#fuzz_}
  artifacts=$root/build-fuzz/artifacts/${name#fuzz_}/
  mkdir -p "$work" "$artifacts"
  echo "== $name for ${seconds}s"
  status=0
  (cd "$scratch/run" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$root/tools/lsan.supp \
    QT_QPA_PLATFORM=offscreen "$root/$target" -max_total_time="$seconds" -rss_limit_mb=4096 \
    -artifact_prefix="$artifacts" -print_final_stats=1 "$work" "$seeds") >"$scratch/log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*DONE|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' "$scratch/log" || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/log")
  echo "$name: $(( ${runs:-0} * 60 / seconds )) inputs a minute"
  [ "$status" -eq 0 ] || { echo "$name found a fault; the input is in $artifacts" >&2; exit 1; }
  [ -z "$(ls -A "$scratch/run")" ] || { echo "$name left files in its working folder" >&2; exit 1; }
done
