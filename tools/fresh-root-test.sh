#!/usr/bin/env bash
# Builds and tests this checkout on a fresh, minimal Debian 12 system, to prove
# that tools/install-deps.sh names every package the build and the tests need.
# Run it by hand, as root (it calls debootstrap, mount and chroot):
#
#   sudo tools/fresh-root-test.sh [--reuse] ROOT [test.sh options...]
#
# ROOT is a folder outside the checkout. It keeps, between runs:
#   ROOT/base          Debian 12 from debootstrap --variant=minbase, made once
#   ROOT/apt-archives  the packages apt downloaded, so a rerun fetches nothing
#   ROOT/run           the system of the last run, with its build in /p/build
# Each run copies base to a new run (so only what install-deps.sh installs is
# there), copies the checkout's files (tracked and untracked, not ignored) into
# /p and runs ./test.sh there, with a clean environment and no DISPLAY.
# --reuse keeps the last run's system and build and only refreshes the files:
# quick, for trying a change, but no proof of a fresh machine.
# MIRROR overrides the Debian mirror (default http://deb.debian.org/debian).
# The exit status is test.sh's; whatever was mounted is unmounted on any exit.
set -euo pipefail

usage() {
  echo "usage: $0 [--reuse] ROOT [test.sh options...]" >&2
  exit 2
}
reuse=false
if [ "${1:-}" = --reuse ]; then
  reuse=true
  shift
fi
[ $# -ge 1 ] || usage
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap, mount and chroot need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "$0: debootstrap is not installed" >&2; exit 2; }

checkout=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p -- "$1"
root=$(cd -- "$1" && pwd)
shift
case "$root/" in
  "$checkout"/*) echo "$0: put ROOT outside the checkout" >&2; exit 2 ;;
esac
mirror=${MIRROR:-http://deb.debian.org/debian}
base=$root/base
run=$root/run
archives=$root/apt-archives
started=$(date +%s)

step() {
  echo "== [$(( $(date +%s) - started )) s] $*"
}

# Everything mounted in or under a folder, deepest first.
mounts_under() {
  awk -v prefix="$1/" 'index($2 "/", prefix) == 1 { print $2 }' /proc/self/mounts | sort -r
}

unmount_under() {
  local target
  for target in $(mounts_under "$1"); do
    umount "$target" 2>/dev/null || umount -l "$target"
  done
}

# Removes a system folder, never through a mount left inside it.
remove_tree() {
  unmount_under "$1"
  if [ -n "$(mounts_under "$1")" ]; then
    echo "$0: still mounted under $1; not removing it" >&2
    exit 1
  fi
  rm -rf --one-file-system -- "$1"
}
trap 'unmount_under "$run"' EXIT

# Brings /p to the checkout's files. Only a file whose bytes changed is
# written, with a new time, so that a kept build rebuilds what changed and
# only that; files gone from the checkout go from /p (its builds stay).
sync_checkout() {
  local incoming=$root/incoming f
  rm -rf --one-file-system -- "$incoming"
  mkdir -p "$incoming"
  git -C "$checkout" ls-files -z --cached --others --exclude-standard |
    tar -C "$checkout" --null -T - --ignore-failed-read -cf - | tar -C "$incoming" -xf -
  (cd "$run/p" && find . \( -path ./build -o -path './build-*' \) -prune -o -type f -print0) |
    while IFS= read -r -d '' f; do
      [ -e "$incoming/$f" ] || rm -f -- "$run/p/$f"
    done
  (cd "$incoming" && find . -type f -print0) |
    while IFS= read -r -d '' f; do
      cmp -s -- "$incoming/$f" "$run/p/$f" && continue
      mkdir -p -- "$(dirname -- "$run/p/$f")"
      cp --preserve=mode -- "$incoming/$f" "$run/p/$f"
    done
  rm -rf --one-file-system -- "$incoming"
}

if [ ! -e "$base/.plenamar-base" ]; then
  step "debootstrap bookworm into $base"
  remove_tree "$base.partial"
  debootstrap --variant=minbase bookworm "$base.partial" "$mirror"
  # A fresh installation also takes its updates.
  security=${mirror%/debian}/debian-security
  cat >"$base.partial/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  rm -f "$base.partial/var/cache/apt/archives/"*.deb
  touch "$base.partial/.plenamar-base"
  mv -- "$base.partial" "$base"
fi

if $reuse && [ -d "$run/p" ]; then
  step "reusing the system in $run"
  unmount_under "$run"
else
  step "fresh system in $run"
  remove_tree "$run"
  cp -a -- "$base" "$run"
  mkdir -p "$run/p"
fi
cp -L /etc/resolv.conf "$run/etc/resolv.conf"
# The certificates this machine trusts besides Debian's (a proxy's, say) go
# along for npm, which the web tests' tools come from, as they are here.
extra_ca=()
if [ -f "${NODE_EXTRA_CA_CERTS:-}" ]; then
  mkdir -p "$run/etc/ssl"  # a minimal base has no certificates yet
  cp -L "$NODE_EXTRA_CA_CERTS" "$run/etc/ssl/host-extra-ca.pem"
  extra_ca=(NODE_EXTRA_CA_CERTS=/etc/ssl/host-extra-ca.pem)
fi
mkdir -p "$archives/partial"
mount -t proc proc "$run/proc"
mount --bind /sys "$run/sys"
mount --bind /dev "$run/dev"
mount --bind /dev/pts "$run/dev/pts"
mount -t tmpfs tmpfs "$run/dev/shm"
mount --bind "$archives" "$run/var/cache/apt/archives"

step "copying $checkout into /p"
sync_checkout

step "./test.sh $* in $run"
status=0
chroot "$run" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  "${extra_ca[@]}" bash -c 'cd /p && ./test.sh "$@"' test.sh "$@" || status=$?
step "test.sh exited with $status"
exit "$status"
