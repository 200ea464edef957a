#!/usr/bin/env bash
# Times a 36-frame 600 x 600 spin of the sample box against one 600 x 600
# picture of the same box, whole runs with process start, taken in turns in
# the same run so that the machine's load falls on both alike; prints the
# medians and their ratio (target: the spin in at most 40 x the picture's
# time).
#
# Usage: bench/spin_timing.sh [runs]   (default 5)
#   BUILD=dir     the build to time (default build)
#   SPIN_ARGS=... more options for both (--jobs 1, --quality 80, ...)
set -euo pipefail
source "$(dirname "$0")/timing_setup.sh" "$@"
read -r -a extra <<<"${SPIN_ARGS:-}"
common=(--size 600x600 --angles 15,-30 "${extra[@]}" sample/sample.cov)

# Seconds of one run, without a display (EGL's surfaceless platform).
seconds() {
  local start end
  start=$(date +%s.%N)
  env -u DISPLAY -u WAYLAND_DISPLAY "$render" "$@" >/dev/null 2>"$work/err" || { tail -n 1 "$work/err" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }' 
}

middle() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

stills=() spins=()
for _ in $(seq "$runs"); do
  stills+=("$(seconds -o "$work/still.png" "${common[@]}")")
  spins+=("$(seconds --spin 36 -o "$work/spin.webp" "${common[@]}")")
done
still=$(middle "${stills[@]}")
spin=$(middle "${spins[@]}")
echo "plenamar-render, $runs runs each, load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf 'one 600 x 600 picture:      median %6.2f s (runs: %s)\n' "$still" "${stills[*]}"
printf '36-frame 600 x 600 spin:    median %6.2f s (runs: %s), %s bytes\n' "$spin" "${spins[*]}" \
  "$(stat -c %s "$work/spin.webp")"
awk -v a="$spin" -v b="$still" 'BEGIN { printf "spin / picture: %.1f x (target: at most 40 x)\n", a / b }' 
