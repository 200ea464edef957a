#!/usr/bin/env bash
# Times plenamar-render over a list of boxes against the least the same work
# can cost: bench/floor/floor_box.c, built here with cc against libjpeg and
# libpng, which for each row only decodes the row's three JPEGs at full size
# and encodes the renderer's own picture of that row (turned into raw pixels
# beforehand, untimed) as a PNG file as large as the renderer's today (the
# Paeth filter, zlib's run-length strategy; both sizes are printed). Each row
# has its own front and back (1000 x 1500 JPEG) and spine (150 x 1500); the
# pictures are 600 x 600 with 8 samples in the default look and pose (studio,
# three quarters), headless (no DISPLAY: EGL's surfaceless platform).
#   one worker on one core (taskset -c 0, --jobs 1), CPU (user + sys) a
#   picture, renderer and floor taking turns
#                                  (target: the renderer at most 1.6 x the floor)
# and with --workers:
#   --jobs 2 on two cores against --jobs 1 on one core, pictures a second,
#   taking turns                   (target: at least 1.7 x)
# and with --memory:
#   the largest process's peak (the runner or one of its workers) over 2000
#   rows against 200 rows, --jobs 2, the rows reusing the list's artwork
#   through links                  (target: no growth)
# Medians are printed with every run's figures.
#
# Usage: bench/floor_timing.sh [--workers] [--memory] [runs]   (default 5 runs;
# the memory runs are made once each)
#   BUILD=dir      the build to time (default build)
#   RENDER=program time this plenamar-render instead, building none
#   ROWS=n         the length of a list made here (default 64)
#   LIST=dir       keep the list made there and reuse it on the next run; a
#                  list already there is used as it is, whatever its length
#   LONG=n         time a list of n rows instead, row i being the list's row
#                  i % rows reached through a link of its own (so that no two
#                  rows name the same file): the renderer's start, some
#                  100 ms of CPU, spread over more pictures
#   FLOOR_PNG=defaults  the floor encodes with libpng's own filters and zlib's
#                  level 6 instead: files a tenth smaller for three times the
#                  floor's encoding
set -euo pipefail
cd "$(dirname "$0")/.."
workers=0
memory=0
while [ $# -gt 0 ] && [ "${1#--}" != "$1" ]; do
  case $1 in
    --workers) workers=1 ;;
    --memory) memory=1 ;;
    *) echo "usage: $0 [--workers] [--memory] [runs]" >&2; exit 2 ;;
  esac
  shift
done
runs=${1:-5}
build=${BUILD:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list=${LIST:-$work/list}

targets=()
[ -n "${RENDER:-}" ] || targets+=(plenamar-render)
[ -f "$list/items.csv" ] || targets+=(make_box_list)
if [ ${#targets[@]} -gt 0 ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target "${targets[@]}" >/dev/null
fi
render=${RENDER:-$PWD/$build/render/plenamar-render}
if [ ! -f "$list/items.csv" ]; then
  echo "making ${ROWS:-64} rows of artwork in $list"
  "$build/tools/make_box_list" "$list" "${ROWS:-64}" 2>/dev/null
fi
list=$(cd "$list" && pwd)
rows=$(($(wc -l <"$list/items.csv") - 1))
# A list of COUNT rows in DIR whose row i is the list's row i % rows, its
# files reached through DIR/rows/i, a link to the list's folder, so that no
# two rows name the same file.
long_list() {
  local dir=$1 count=$2
  mkdir -p "$dir/rows"
  for i in $(seq 0 $((count - 1))); do
    ln -s "$list" "$dir/rows/$i"
  done
  awk -F, -v OFS=, -v count="$count" -v rows="$rows" '
    NR == 1 { print; for (c = 1; c <= NF; ++c) column[$c] = c; next }
    { row[NR - 2] = $0 }
    END {
      for (i = 0; i < count; ++i) {
        $0 = row[i % rows]
        $column["name"] = sprintf("row%05d", i)
        for (face in faces)
          if ((c = column[face]) && $c != "" && substr($c, 1, 1) != "/") $c = "rows/" i "/" $c
        print
      }
    }
    BEGIN { faces["front"]; faces["spine"]; faces["back"] }' "$list/items.csv" >"$dir/items.csv"
}

if [ -n "${LONG:-}" ]; then
  long_list "$work/long" "$LONG"
  list=$work/long
  rows=$LONG
fi
floor=$work/floor_box
cc -O2 -Wall -Wextra -o "$floor" bench/floor/floor_box.c -ljpeg -lpng

# "wall-seconds cpu-seconds peak-KiB" of one run of the command, whose
# pictures go to $work/out, emptied first; stops the script when it fails.
timed() {
  rm -rf "$work/out"
  mkdir "$work/out"
  if ! /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
    echo "failed: $*" >&2
    tail -n 3 "$work/err" >&2
    exit 1
  fi
  awk '{ print $1, $2 + $3, $4 }' "$work/time"
}

# The renderer headless, its pictures in $work/out, --list to follow; and the
# floor, on one core.
shot=(env -u DISPLAY -u WAYLAND_DISPLAY "$render" --size 600x600 --samples 8 --out-dir "$work/out")
one_core=(taskset -c 0 "${shot[@]}" --jobs 1 --list "$list/items.csv")
two_cores=("${shot[@]}" --jobs 2 --list "$list/items.csv")
floor_run=(taskset -c 0 "$floor")
[ "${FLOOR_PNG:-}" != defaults ] || floor_run+=(--png-defaults)
floor_run+=("$list/items.csv" "$work/pam" "$work/out")

median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}

# A figure of each "wall cpu peak" result, from awk's $1, $2, $3 and rows:
# each EXPRESSION results...
each() {
  local expression=$1
  shift
  printf '%s\n' "$@" | awk -v rows="$rows" "{ printf \"%.1f \", $expression }"
}

# Runs the commands of the arrays named FIRST and SECOND in turn, $runs times
# each, and prints a figure of each run (EXPRESSION, in awk, of $1 the wall
# seconds, $2 the CPU seconds and rows), their medians and their ratio:
# compare FIRST SECOND EXPRESSION TITLE FIRST-LABEL SECOND-LABEL TARGET
compare() {
  local -n first=$1 second=$2
  local expression=$3 title=$4 first_label=$5 second_label=$6 target=$7
  local a=() b=() median_a median_b
  for _ in $(seq "$runs"); do
    a+=("$(timed "${first[@]}")")
    b+=("$(timed "${second[@]}")")
  done
  read -ra a <<<"$(each "$expression" "${a[@]}")"
  read -ra b <<<"$(each "$expression" "${b[@]}")"
  median_a=$(median "${a[@]}")
  median_b=$(median "${b[@]}")
  echo "$title"
  printf '  %-19s %6.1f (runs: %s)\n' "$first_label" "$median_a" "${a[*]}"
  printf '  %-19s %6.1f (runs: %s)\n' "$second_label" "$median_b" "${b[*]}"
  printf '  %-19s %6.2fx (target %s; run by run: %s)\n' ratio "$(awk -v a="$median_a" -v b="$median_b" 'BEGIN { print a / b }')" \
    "$target" "$(paste <(printf '%s\n' "${a[@]}") <(printf '%s\n' "${b[@]}") |
      awk '{ printf "%s%.2f", (NR > 1 ? " " : ""), $1 / $2 }')"
}

echo "plenamar-render and the floor over $rows rows, $runs runs each, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# The renderer's own pictures, as raw pixels for the floor to encode (this
# run also warms the caches for both).
timed "${one_core[@]}" >/dev/null
bytes=$(cat "$work/out"/*.png | wc -c)
mkdir "$work/pam"
for picture in "$work/out"/*.png; do
  name=${picture##*/}
  "$floor" --pam "$picture" "$work/pam/${name%-*}.pam"
done
[ "$(ls "$work/pam" | wc -l)" = "$rows" ] || { echo "the renderer did not draw one picture a row" >&2; exit 1; }
timed "${floor_run[@]}" >/dev/null
awk -v ours="$bytes" -v floor="$(cat "$work/out"/*.png | wc -c)" -v rows="$rows" \
  'BEGIN { printf "PNG bytes a picture: renderer %d, floor %d\n", ours / rows, floor / rows }'

compare one_core floor_run '$2 * 1000 / rows' "one worker on one core, CPU ms a picture:" \
  renderer floor "at most 1.6x"
[ "$workers" = 0 ] || compare two_cores one_core 'rows / $1' "pictures a second, wall clock:" \
  "--jobs 2, two cores" "--jobs 1, one core" "at least 1.7x"

if [ "$memory" = 1 ]; then
  peaks=()
  for count in 200 2000; do
    long_list "$work/list$count" "$count"
    result=$(timed "${shot[@]}" --jobs 2 --list "$work/list$count/items.csv")
    peaks+=("${result##* }")
  done
  echo "the largest process's peak, --jobs 2:"
  printf '  200 rows  %6d MiB\n  2000 rows %6d MiB (target: no growth; %+d KiB)\n' \
    $((peaks[0] / 1024)) $((peaks[1] / 1024)) $((peaks[1] - peaks[0]))
fi
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
