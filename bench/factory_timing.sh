#!/usr/bin/env bash
# Times whole plenamar-render runs over a list of boxes, on the headless path
# (no DISPLAY: EGL's surfaceless platform), and prints the medians of a few
# runs of each:
#   500 rows, each with its own front (1000 x 1500 JPEG), spine and back,
#   600 x 600 pictures, the studio look, 8 samples:
#     --jobs 2                       (target: at least 15 pictures a second,
#                                     the 500 in at most 34 s; each process
#                                     at most 300 MB at its peak)
#     --jobs 1                       (target: --jobs 2 at least 1.8 times faster)
#     --keep-newer on the finished list (target: at most 2 s)
# The runs of --jobs 1 and --jobs 2 take turns, so that a loaded machine
# weighs on both alike. The peak is GNU time's, the largest of the process
# and its workers.
#
# Usage: bench/factory_timing.sh [runs]   (default 3)
#   BUILD=dir     the build to time (default build)
#   ROWS=n        the list's length (default 500)
#   LIST=dir      keep the generated list there and reuse it on the next run
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
rows=${ROWS:-500}
build=${BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target plenamar-render make_box_list >/dev/null
render="$PWD/$build/render/plenamar-render"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list=${LIST:-$work/list}
if [ ! -f "$list/items.csv" ] || [ "$(($(wc -l <"$list/items.csv") - 1))" != "$rows" ]; then
  echo "making $rows rows of artwork in $list"
  rm -rf "$list"
  "$build/tools/make_box_list" "$list" "$rows" 2>/dev/null
fi

# "seconds peak-KiB" of one run; "failed" when it does not exit 0.
run() {
  if env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -f '%e %M' -o "$work/time" \
      "$render" --size 600x600 --samples 8 --list "$list/items.csv" --out-dir "$work/out" "$@" \
      >/dev/null 2>"$work/err"; then
    cat "$work/time"
  else
    echo failed
  fi
}

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

echo "plenamar-render over $rows rows, $runs runs each, load average $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A seconds peak
for _ in $(seq "$runs"); do
  for jobs in 2 1; do
    rm -rf "$work/out"
    result=$(run --jobs "$jobs")
    [ "$result" != failed ] || { echo "--jobs $jobs failed: $(tail -n 2 "$work/err")"; exit 1; }
    seconds[$jobs]+="${result% *} "
    peak[$jobs]=$(( ${result#* } > ${peak[$jobs]:-0} ? ${result#* } : ${peak[$jobs]:-0} ))
  done
done
resumed=()
for _ in $(seq "$runs"); do
  result=$(run --keep-newer)
  resumed+=("${result% *}")
  grep -q " 0 written, $rows skipped" "$work/err" || { echo "--keep-newer drew again: $(tail -n 1 "$work/err")"; exit 1; }
done

two=$(median ${seconds[2]})
one=$(median ${seconds[1]})
awk -v two="$two" -v one="$one" -v rows="$rows" -v p2="${peak[2]}" -v p1="${peak[1]}" '
  BEGIN {
    printf "--jobs 2      median %6.2f s, %5.1f pictures/s, peak %4d MiB (target 15/s, 300 MiB)\n", two, rows / two, p2 / 1024
    printf "--jobs 1      median %6.2f s, %5.1f pictures/s, peak %4d MiB\n", one, rows / one, p1 / 1024
    printf "ratio         %.2fx (target 1.8x)\n", one / two
  }'
echo "  runs: --jobs 2: ${seconds[2]}; --jobs 1: ${seconds[1]}"
printf -- '--keep-newer  median %6.2f s on the finished list (target 2 s; runs: %s)\n' "$(median "${resumed[@]}")" "${resumed[*]}"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
