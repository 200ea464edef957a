#!/usr/bin/env bash
# Times whole plenamar-render runs, process start included, on the headless
# path (no DISPLAY: EGL's surfaceless platform), and prints the median of a few
# runs of each, with the peak memory of the largest:
#   one 2000 x 2000 picture with 8 samples          (target: at most 1.0 s)
#   20 covers in one batch at 1000 x 1000            (target: at most 3 s)
#   one 16384 x 16384 picture with 8 samples, tiled  (target: at most 40 s, and
#                                                     at most 1.5 x its RGBA bytes)
# and with --huge one 30000 x 20000 picture as well.
#
# Usage: bench/render_timing.sh [--huge] [runs]   (default 5 runs; the big
# pictures are drawn once each)
#   BUILD=dir          the build to time (default build)
#   BASELINE=program   another plenamar-render to time in the same run, each
#                      of its runs next to ours, for a ratio on a loaded machine
#   LOOK=name          draw with --look name (default: the tool's own default)
set -euo pipefail
cd "$(dirname "$0")/.."
huge=0
if [ "${1:-}" = --huge ]; then
  huge=1
  shift
fi
runs=${1:-5}
build=${BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target plenamar-render >/dev/null
render="$PWD/$build/render/plenamar-render"
baseline=${BASELINE:-}
look=()
[ -n "${LOOK:-}" ] && look=(--look "$LOOK")

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

# "seconds peak-KiB" of one run of the program with the arguments; "failed"
# when it does not exit 0.
run() {
  if env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
    cat "$work/time"
  else
    echo failed
  fi
}

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

# The median seconds and the largest peak of runs of one program.
summary() {
  local label=$1
  shift
  if printf '%s\n' "$@" | grep -q failed; then
    printf '%-10s failed: %s\n' "$label" "$(tail -n 1 "$work/err")"
    return
  fi
  local seconds=() peak=0
  for result in "$@"; do
    seconds+=("${result% *}")
    peak=$(( ${result#* } > peak ? ${result#* } : peak ))
  done
  printf '%-10s median %6.2f s, peak %5d MiB (runs: %s)\n' "$label" "$(median "${seconds[@]}")" \
    $(( peak / 1024 )) "$(printf '%s ' "${seconds[@]}")"
}

# measure LABEL TARGET RUNS ARGS...: the tool's runs, each next to the baseline's.
measure() {
  local label=$1 target=$2 count=$3
  shift 3
  local ours=() theirs=()
  for _ in $(seq "$count"); do
    rm -rf "$work/out"
    ours+=("$(run "$render" "${look[@]}" "$@")")
    if [ -n "$baseline" ]; then
      rm -rf "$work/out"
      theirs+=("$(run "$baseline" "$@")")
    fi
  done
  echo "$label (target $target)"
  summary "  this" "${ours[@]}"
  [ -z "$baseline" ] || summary "  baseline" "${theirs[@]}"
}

echo "plenamar-render, $runs runs each, load average $(cut -d' ' -f1-3 /proc/loadavg)"
measure "one 2000 x 2000 picture, 8 samples" "1.0 s" "$runs" \
  --size 2000x2000 --samples 8 -o "$work/one.png" "${covers[0]}"
measure "20 covers in one batch at 1000 x 1000" "3 s" "$runs" \
  --size 1000x1000 --out-dir "$work/out" "${covers[@]}"
measure "one 16384 x 16384 picture, 8 samples" "40 s, $(( 16384 * 16384 * 4 * 3 / 2 / 1048576 )) MiB" 1 \
  --size 16384x16384 --samples 8 -o "$work/big.png" "${covers[0]}"
if [ "$huge" = 1 ]; then
  measure "one 30000 x 20000 picture, 8 samples" "memory near $(( 30000 * 20000 * 4 / 1048576 )) MiB" 1 \
    --size 30000x20000 --samples 8 -o "$work/huge.png" "${covers[0]}"
fi
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
