#!/usr/bin/env bash
# Times whole plenamar-render runs that write the sample box as a GLB, on the
# headless path (no DISPLAY), and prints each run's time, the median and the
# file's size:
#   sample/sample.cov -o box.glb      (target: at most 1 s a run)
#
# Usage: bench/glb_timing.sh [runs]   (default 5)
#   BUILD=dir     the build to time (default build)
set -euo pipefail
source "$(dirname "$0")/timing_setup.sh" "$@"

times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY "$render" -o "$work/box.glb" sample/sample.cov
  times+=("$((($(date +%s%N) - start) / 1000000))")
  echo "run $((i + 1)): ${times[-1]} ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "median: $median ms (target: at most 1000 ms); box.glb: $(stat -c %s "$work/box.glb") bytes"
[ "$median" -le 1000 ] || { echo "slower than the target" >&2; exit 1; }
