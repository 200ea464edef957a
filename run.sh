#!/usr/bin/env bash
# Installs what is missing, builds Plenamar and starts it in sample/, where the
# five default face images lie.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target plenamar
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here. Start Plenamar on a desktop with ./run.sh" >&2
  exit 1
fi
cd sample
exec ../build/app/plenamar
