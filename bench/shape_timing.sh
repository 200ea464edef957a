#!/usr/bin/env bash
# Times whole plenamar-render runs of each shape against the box, in the same
# run, on the headless path, and prints the medians and their ratios:
#   one 2000 x 2000 studio picture with 8 samples of each shape
#                                   (target: at most 1.5 x the box's time)
#   200 list rows of mixed shapes with --jobs 2, against the same rows as
#   boxes                           (target: at least 0.7 x the box's pictures a second)
#
# Usage: bench/shape_timing.sh [runs]   (default 5)
#   BUILD=dir   the build to time (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${BUILD:-build}
cmake --build "$build" --target plenamar-render >/dev/null
render="$PWD/$build/render/plenamar-render"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() {
  local start end
  start=$(date +%s.%N)
  env -u DISPLAY -u WAYLAND_DISPLAY "$render" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

shapes=(box hardcover paperback dvd bluray jewel)
declare -A times
for _ in $(seq "$runs"); do
  for shape in "${shapes[@]}"; do
    times[$shape]+=" $(seconds --shape "$shape" --front sample/cover.jpg --spine sample/spine.jpg \
                        --preset 1 --size 2000x2000 --samples 8 -o "$work/$shape.png")"
  done
done
box=$(median ${times[box]})
printf '%-10s %8s %6s\n' shape seconds ratio
for shape in "${shapes[@]}"; do
  m=$(median ${times[$shape]})
  printf '%-10s %8.3f %6.2f\n' "$shape" "$m" "$(echo "$m / $box" | bc -l)"
done

# 200 rows, each shape in turn, and the same rows as boxes.
{ echo front,spine,shape,preset,size,name
  for i in $(seq 1 200); do
    echo "$PWD/sample/cover.jpg,$PWD/sample/spine.jpg,${shapes[$((i % 6))]},$((i % 5)),400x400,row$i"
  done; } > "$work/mixed.csv"
sed 's/,\(box\|hardcover\|paperback\|dvd\|bluray\|jewel\),/,box,/' "$work/mixed.csv" > "$work/boxes.csv"
mixed=() boxes=()
for _ in $(seq "$runs"); do
  rm -rf "$work/out"; boxes+=("$(seconds --list "$work/boxes.csv" --jobs 2 --out-dir "$work/out")")
  rm -rf "$work/out"; mixed+=("$(seconds --list "$work/mixed.csv" --jobs 2 --out-dir "$work/out")")
done
b=$(median "${boxes[@]}") m=$(median "${mixed[@]}")
printf '200 rows, --jobs 2: boxes %.2f pictures/s, mixed shapes %.2f pictures/s, ratio %.2f\n' \
  "$(echo "200 / $b" | bc -l)" "$(echo "200 / $m" | bc -l)" "$(echo "$b / $m" | bc -l)"
