# Sourced by the install checks. check_installed ROOT PREFIX: the tree under
# ROOT holds the files of installed-files.txt under PREFIX ("" or "usr/") and
# nothing else, besides the sample folder, which holds what sample/ in the
# source holds, byte for byte, so that a file added there is installed too.
# Each difference is counted by the caller's fail().
check_installed() {
  local root=$1 prefix=$2 source
  source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  diff -u <(sed "s|^|$prefix|" "$source/tests/desktop/installed-files.txt") \
    <(cd "$root" && find . -type f ! -path "./${prefix}share/plenamar/sample/*" | sed 's|^\./||' | LC_ALL=C sort) ||
    fail "the installed files differ from installed-files.txt"
  diff -r "$source/sample" "$root/${prefix}share/plenamar/sample" || fail "the installed sample differs from sample/"
}
