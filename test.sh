#!/usr/bin/env bash
# Installs what is missing, builds Plenamar and runs every test, under Xvfb when
# there is no display.
#   ./test.sh             the normal build
#   ./test.sh --sanitize  the same tests with AddressSanitizer and
#                         UndefinedBehaviorSanitizer, then a short run of
#                         every fuzz target over its seed corpus
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1600x1200x24" "$@"; fi
}

jobs=$(nproc)
case "${1:-}" in
  "")
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs"
    with_display ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
  --sanitize)
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENAMAR_SANITIZE=ON \
          -DPLENAMAR_BENCH=OFF >/dev/null
    cmake --build build-sanitize -j "$jobs"
    with_display ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
    ./tools/fuzz.sh 20
    ;;
  *)
    echo "usage: ./test.sh [--sanitize]" >&2
    exit 2
    ;;
esac
