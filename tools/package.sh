#!/usr/bin/env bash
# Makes Plenamar's Debian package with CPack.
#
#   tools/package.sh              a release build in build-package/, then
#                                 build-package/plenamar_<version>_<arch>.deb
#   tools/package.sh BUILD [OUT]  the package of the existing build folder
#                                 BUILD, written into OUT (default BUILD)
#
# The package's dependencies are those of the shared libraries the programs
# link, found by dpkg-shlibdeps. Install it with
#   sudo apt install ./build-package/plenamar_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  ./tools/install-deps.sh
  cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENAMAR_TESTS=OFF \
        -DPLENAMAR_BENCH=OFF >/dev/null
  set -- build-package
fi
build=$1
out=${2:-$build}
cmake --build "$build" --target plenamar plenamar-render
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
# CPack leaves its working tree beside the package.
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb
