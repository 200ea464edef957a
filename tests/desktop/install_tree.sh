#!/usr/bin/env bash
# The install tree: `cmake --install BUILD --prefix P` into a fresh folder puts
# exactly the files of installed-files.txt and the sample folder in place (see
# installed_files.sh), the programs answer from there, and the desktop's own
# validators accept the menu entry, the software-centre entry, the .cov file
# type and the manual pages.
#   tests/desktop/install_tree.sh BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/install tree"
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
source "$here/installed_files.sh"
check_installed "$prefix" ""

# The programs answer from the tree without a display.
export -n DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
version=$("$prefix/bin/plenamar" --version) || fail "plenamar --version"
[[ $version =~ ^plenamar\ [0-9]+\.[0-9]+ ]] || fail "plenamar --version said '$version'"
window_help=$("$prefix/bin/plenamar" --help) || fail "plenamar --help"
render_help=$("$prefix/bin/plenamar-render" --help) || fail "plenamar-render --help"

# The menu entry starts the installed program with the file it is given, and
# names the installed icon and the installed file type.
share="$prefix/share"
desktop="$share/applications/org.plenamar.Plenamar.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = "plenamar %f" ] && [ -x "$prefix/bin/plenamar" ] || fail "Exec=$(entry Exec)"
[ "$(entry Categories)" = "Graphics;3DGraphics;" ] || fail "Categories=$(entry Categories)"
icon=$(entry Icon)
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon named $icon"
for size in 16 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x$size/apps/$icon.png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] || fail "$png is not $size pixels square"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "the SVG icon is no XML"

# The software-centre entry, checked against the tree it lies in.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"

# The file type: the MIME database made from it knows *.cov as a kind of text.
cp -r "$share/mime" "$work/mime"
out=$(update-mime-database "$work/mime" 2>&1) || fail "update-mime-database: $out"
mime=$(entry MimeType)
grep -qx "${mime%;}:\*\.cov" "$work/mime/globs" || fail "*.cov is not ${mime%;}"
grep -qx "${mime%;} text/plain" "$work/mime/subclasses" || fail "${mime%;} is no kind of text/plain"
grep -qx "${mime%;}:$icon" "$work/mime/icons" || fail "${mime%;} does not show the program's icon"

# The manual pages format without a warning and name every option of --help.
for page in plenamar plenamar-render; do
  file="$share/man/man1/$page.1"
  warnings=$(groff -man -ww -z "$file" 2>&1) && [ -z "$warnings" ] || fail "$page.1: $warnings"
  text=$(groff -man -Tascii -rLL=200n -P-cbou "$file" 2>/dev/null)
  help=$window_help
  [ "$page" = plenamar-render ] && help=$render_help
  for option in $(grep -oE '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "$page.1 does not name $option"
  done
done

[ "$failures" -eq 0 ] && echo "install tree: all checks passed"
exit "$failures"
