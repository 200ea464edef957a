#!/usr/bin/env bash
# Times whole plenamar-render runs, process start included, on the headless
# path (no DISPLAY: EGL's surfaceless platform), and prints the median of a few
# runs of each:
#   one 2000 x 2000 picture with 8 samples        (target: under 2 s)
#   20 covers in one batch at 1000 x 1000          (target: under 10 s)
# Usage: bench/render_timing.sh [runs]   (default 5; BUILD=dir picks the build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target plenamar-render >/dev/null
render="$PWD/$build/render/plenamar-render"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Twenty products, each a folder with its own copy of the sample images.
covers=()
for i in $(seq -w 1 20); do
  mkdir "$work/product$i"
  cp sample/*.jpg "$work/product$i/"
  cp sample/sample.cov "$work/product$i/product$i.cov"
  covers+=("$work/product$i/product$i.cov")
done

# Seconds of wall time of one run of the command.
seconds() {
  local start end
  start=$(date +%s.%N)
  env -u DISPLAY -u WAYLAND_DISPLAY "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

measure() {
  local label=$1 target=$2
  shift 2
  local times=()
  for _ in $(seq "$runs"); do
    rm -rf "$work/out"
    times+=("$(seconds "$@")")
  done
  printf '%-44s median %5.2f s (target %s s; runs: %s)\n' "$label" "$(median "${times[@]}")" "$target" \
    "$(printf '%.2f ' "${times[@]}")"
}

echo "plenamar-render, $runs runs each, load average $(cut -d' ' -f1-3 /proc/loadavg)"
measure "one 2000 x 2000 picture, 8 samples" 2 \
  "$render" --size 2000x2000 --samples 8 -o "$work/one.png" "${covers[0]}"
measure "20 covers in one batch at 1000 x 1000" 10 \
  "$render" --size 1000x1000 --out-dir "$work/out" "${covers[@]}"
