#!/usr/bin/env bash
# Builds the container image of plenamar-render, the one the Kubernetes Job of
# docs/box-shots-indexed-job.yaml names, and tries it:
#
#   sudo tools/container-image.sh [--deb FILE] [TAG]
#
# The image holds a minimal Debian 12 system (debootstrap --variant=minbase)
# with the project's Debian package installed into it (tools/package.sh makes
# it, unless --deb names one) and its dependencies; buildah commits it as an
# OCI image in the local container storage, TAG (default plenamar:VERSION),
# with plenamar-render as its entry point. It draws without a display
# (Mesa's software renderer through EGL). Nothing runs inside the image while
# it is made, so no container runtime is needed to build it, and no registry:
# the packages come from the Debian mirror (MIRROR, default
# http://deb.debian.org/debian) and the root is put together here, then
# added to an empty image.
#
# Then podman draws the sample box with the image into a mounted folder
# (kept as build-image/tried/box.png), and a list of boxes limited to one CPU
# (--cpus 1, a cgroup quota) and not: the first must draw with no worker
# processes, the second with one per CPU, and both the same pictures.
# The downloaded packages stay in build-image/ in the checkout, so a rerun
# fetches nothing; the root is made anew each time.
#
# Push the image to a registry with
#   podman tag plenamar:1.0 registry.example.com/plenamar:1.0
#   podman push registry.example.com/plenamar:1.0
# or write it to a file with  podman save --format oci-archive -o plenamar.tar plenamar:1.0
set -euo pipefail

usage() {
  echo "usage: $0 [--deb FILE] [TAG]" >&2
  exit 2
}
deb=
if [ "${1:-}" = --deb ]; then
  [ $# -ge 2 ] || usage
  deb=$(realpath -- "$2")
  shift 2
fi
[ $# -le 1 ] || usage
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap and buildah need it)" >&2; exit 2; }
checkout=$(cd "$(dirname "$0")/.." && pwd)
cd "$checkout"
./tools/install-deps.sh image
mirror=${MIRROR:-http://deb.debian.org/debian}
started=$(date +%s)
step() {
  echo "== [$(( $(date +%s) - started )) s] $*"
}

if [ -z "$deb" ]; then
  step "the Debian package: tools/package.sh"
  deb=$(./tools/package.sh | tee /dev/stderr | tail -1)
fi
version=$(dpkg-deb -f "$deb" Version)
tag=${1:-plenamar:$version}

work=$checkout/build-image
root=$work/root
scratch=$(mktemp -d)
container=
cleanup() {
  [ -z "$container" ] || buildah rm "$container" >/dev/null 2>&1 || true
  rm -rf -- "$scratch"
}
trap cleanup EXIT
mkdir -p "$work/debs"
rm -rf --one-file-system -- "$root"

# The package's dependencies, each the first of its alternatives, without
# versions: debootstrap takes names, and brings what they depend on.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/:any//; s/ //g' | paste -sd, -)
step "debootstrap bookworm with $(tr ',' '\n' <<<"$depends" | wc -l) packages plenamar depends on"
debootstrap --variant=minbase --cache-dir="$work/debs" --include="$depends" bookworm "$root" "$mirror" \
  >"$work/debootstrap.log" 2>&1 || { tail -20 "$work/debootstrap.log" >&2; exit 1; }

step "installing $(basename "$deb") into the root"
dpkg --root="$root" --install "$deb"
# What only apt and a running system need: the image never installs anything.
rm -rf --one-file-system -- "$root"/var/lib/apt/lists/* "$root"/var/cache/apt/*.bin \
  "$root"/var/cache/apt/archives/*.deb "$root"/var/log/* "$root"/dev/* "$root"/proc/* "$root"/sys/* "$root"/run/*
tar -C "$root" --numeric-owner -cf "$scratch/root.tar" .

step "committing the image $tag"
container=$(buildah from --name "plenamar-image-$$" scratch)
buildah add "$container" "$scratch/root.tar" / >/dev/null
buildah config --entrypoint '["/usr/bin/plenamar-render"]' --cmd '["--help"]' --workingdir /work \
  --env LANG=C.UTF-8 --label org.opencontainers.image.title=plenamar-render \
  --label org.opencontainers.image.version="$version" \
  --label org.opencontainers.image.description="3-D box shots from flat artwork, drawn without a display" \
  "$container"
replaced=$(podman image inspect --format '{{.Id}}' "$tag" 2>/dev/null || true)
buildah commit --quiet --format oci --rm "$container" "$tag" >/dev/null
container=
# The image this one replaces, left without a name, goes.
[ -z "$replaced" ] || podman rmi "$replaced" >/dev/null 2>&1 || true
podman image ls --format '{{.Repository}}:{{.Tag}} {{.Size}}' "$tag"

# podman as it comes or, where its runtime (crun) refuses this machine's
# mixed cgroup v1/v2 set-up or asks for higher limits than the machine
# allows, runc with explicit, ordinary limits.
podman_run() {
  podman run --rm "$@" 2>"$scratch/podman.err" && return
  grep -q -e 'hybrid mode' -e 'rlimit' "$scratch/podman.err" || { cat "$scratch/podman.err" >&2; return 1; }
  podman --runtime runc run --rm --ulimit nofile=1024:1024 --ulimit nproc=4096:4096 "$@"
}

step "podman run: the sample box into a mounted folder"
mkdir -p "$scratch/out"
podman_run -v "$scratch/out:/out" "$tag" /usr/share/plenamar/sample/sample.cov --preset 1 --size 600x450 \
  -o /out/box.png
file "$scratch/out/box.png"
mkdir -p "$work/tried"
cp "$scratch/out/box.png" "$work/tried/box.png"

# The processes of a run over a list of six boxes, counted on this side when
# its first picture is out: the run's own and its workers'.
run_processes() {
  local out=$1 count=0
  shift
  podman_run "$@" -v "$scratch/out:/out" "$tag" --list /out/boxes.csv --out-dir "/out/$out" --size 900x700 &
  local run=$!
  for _ in $(seq 600); do
    if [ -n "$(ls -A "$scratch/out/$out" 2>/dev/null)" ]; then
      count=$(pgrep -c -f -- "^/usr/bin/plenamar-render .*--out-dir /out/$out" || true)
      break
    fi
    sleep 0.1
  done
  wait "$run"
  echo "$count"
}
{
  echo "name,cover,angles"
  for i in 0 1 2 3 4 5; do echo "box $i,/usr/share/plenamar/sample/sample.cov,\"$((i * 10)),$((i * 20 - 50))\""; done
} >"$scratch/out/boxes.csv"
step "the workers of a container limited to one CPU, and of one that is not, on $(nproc) CPUs"
limited=$(run_processes one-cpu --cpus 1)
unlimited=$(run_processes all-cpus)
echo "plenamar-render processes: $limited with --cpus 1, $unlimited with no limit"
if [ "$limited" -ne 1 ] || [ "$unlimited" -ne $(( $(nproc) > 1 ? $(nproc) + 1 : 1 )) ]; then
  echo "$0: the workers do not fit the container's CPUs" >&2
  exit 1
fi
diff -r "$scratch/out/one-cpu" "$scratch/out/all-cpus"
step "the image $tag draws the sample box (build-image/tried/box.png) and fits its workers to its CPUs"
