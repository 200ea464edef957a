#!/usr/bin/env bash
# Times whole plenamar-render runs of each shape against the box, in the same
# run, on the headless path, and prints the medians and their ratios:
#   one 2000 x 2000 studio picture with 8 samples of each shape
#                                   (target: at most 1.5 x the box's time)
#   200 list rows of mixed shapes with --jobs 2, against the same rows as
#   boxes                           (target: at least 0.7 x the box's pictures a second)
# Each is timed on the clock and in CPU seconds (the processes' user and
# system time): on a machine others share, the CPU seconds say more.
#
# Usage: bench/shape_timing.sh [runs]   (default 5)
#   BUILD=dir   the build to time (default build)
set -euo pipefail
source "$(dirname "$0")/timing_setup.sh" "$@"

# "clock-seconds cpu-seconds" of one run.
seconds() {
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -f '%e %U %S' -o "$work/time" "$render" "$@" >/dev/null \
    2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$work/time"
}
clock() { for t in "$@"; do echo "${t% *}"; done; }
cpu() { for t in "$@"; do echo "${t#* }"; done; }

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

shapes=(box hardcover paperback dvd bluray jewel)
declare -A clocks cpus
for _ in $(seq "$runs"); do
  for shape in "${shapes[@]}"; do
    t=$(seconds --shape "$shape" --front sample/cover.jpg --spine sample/spine.jpg \
                --preset 1 --size 2000x2000 --samples 8 -o "$work/$shape.png")
    clocks[$shape]+=" ${t% *}" cpus[$shape]+=" ${t#* }"
  done
done
box=$(median ${clocks[box]}) boxcpu=$(median ${cpus[box]})
printf '%-10s %8s %6s %8s %6s\n' shape seconds ratio cpu-s ratio
for shape in "${shapes[@]}"; do
  m=$(median ${clocks[$shape]}) c=$(median ${cpus[$shape]})
  printf '%-10s %8.3f %6.2f %8.2f %6.2f\n' "$shape" "$m" "$(echo "$m / $box" | bc -l)" "$c" "$(echo "$c / $boxcpu" | bc -l)"
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
b=$(median $(clock "${boxes[@]}")) m=$(median $(clock "${mixed[@]}"))
bc_=$(median $(cpu "${boxes[@]}")) mc=$(median $(cpu "${mixed[@]}"))
printf '200 rows, --jobs 2: boxes %.2f pictures/s, mixed shapes %.2f pictures/s, ratio %.2f\n' \
  "$(echo "200 / $b" | bc -l)" "$(echo "200 / $m" | bc -l)" "$(echo "$b / $m" | bc -l)"
printf '  per CPU second: boxes %.2f pictures, mixed shapes %.2f pictures, ratio %.2f\n' \
  "$(echo "200 / $bc_" | bc -l)" "$(echo "200 / $mc" | bc -l)" "$(echo "$bc_ / $mc" | bc -l)"
