#!/usr/bin/env bash
# Installs what is missing, builds Plenamar and starts it in sample/, where the
# five default face images lie.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target plenamar
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No window without a display: draw the sample box into a picture instead.
  cmake --build build -j "$(nproc)" --target plenamar-render
  build/render/plenamar-render -o sample/box.png sample/sample.cov
  echo "There is no display here, so the sample box was drawn into $PWD/sample/box.png"
  echo "To open the Plenamar window, run ./run.sh on a desktop (with DISPLAY set)."
  exit 0
fi
cd sample
exec ../build/app/plenamar
