#!/usr/bin/env bash
# The Debian package: tools/package.sh makes one .deb of the build; unpacked
# into a fresh folder with dpkg-deb it holds exactly the files of
# installed-files.txt and the sample folder under /usr (see installed_files.sh),
# and its dependencies are those of the libraries the programs link, with Qt's
# image format plugins and the fonts.
#   tests/desktop/package_deb.sh BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

"$here/../../tools/package.sh" "$build" "$work/out" >/dev/null
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "tools/package.sh made ${#debs[@]} packages"; exit 1; }
deb=${debs[0]}
dpkg-deb --info "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(basename "$deb")" = "plenamar_$(field Version)_$(dpkg --print-architecture).deb" ] || fail "named $(basename "$deb")"
[ "$(field Package)" = plenamar ] || fail "Package: $(field Package)"
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
depends=$(field Depends)
for library in libqt6widgets6 libqt6opengl6 libgl1 libglu1-mesa libjpeg62-turbo libdeflate0 libwmf-0.2-7 libemf2svg1 \
  qt6-image-formats-plugins fonts-urw-base35; do
  grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
source "$here/installed_files.sh"
check_installed "$work/root" usr/
[ -x "$work/root/usr/bin/plenamar" ] && [ -x "$work/root/usr/bin/plenamar-render" ] || fail "programs not executable"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/plenamar" --version >/dev/null || fail "the packaged plenamar"

[ "$failures" -eq 0 ] && echo "package: all checks passed"
exit "$failures"
