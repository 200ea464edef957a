#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Plenamar need.
# Only what is missing is installed; run as root or with sudo available.
#   tools/install-deps.sh            what the build and ./test.sh need
#   tools/install-deps.sh cluster    what tools/cluster-test.sh needs besides
#   tools/install-deps.sh image      what tools/container-image.sh needs besides
set -euo pipefail

# The checks run by hand, each its own list: nothing of them is needed to
# build or to run ./test.sh.
case "${1:-}" in
  # npm, for the Kubernetes schema validator, unless a node.js of another
  # source brought its own
  cluster) PACKAGES=(slurm-wlm munge parallel)
           command -v npm >/dev/null || PACKAGES+=(npm) ;;
  image) PACKAGES=(debootstrap buildah podman runc) ;;
  "") PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  # window toolkit and OpenGL
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev libgl-dev libglu1-mesa-dev libegl-dev libxcb1-dev
  # Mesa's software renderer with its GLX and EGL vendors
  libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  # pictures (libwmf's link line names expat, which libwmf-dev does not bring;
  # libwebp-dev brings WebP's animation encoder, libwebpmux, and its reader, libwebpdemux;
  # libdeflate-dev the PNG writer's compressor), and Qt's readers of WebP, TIFF and the
  # other formats of face images
  libjpeg-dev libpng-dev libdeflate-dev libwebp-dev libwmf-dev libexpat1-dev libemf2svg-dev qt6-image-formats-plugins
  # libtiff, whose warnings (it reads TIFF face images for Qt) go into the reports
  libtiff-dev
  # the fonts libwmf draws metafile text with
  fonts-urw-base35
  # 3D models: tinygltf, which writes and reads glTF files
  libtinygltf-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libjpeg-turbo-progs time
  # the web tests: a browser, and node for the glTF validator and the
  # web component, which tools/web-tools.sh takes from npm
  chromium nodejs
  # a display for tests and screenshots
  xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-dejavu-extra
  # the install tree and the Debian package: validators, dpkg-shlibdeps
  desktop-file-utils appstream shared-mime-info groff-base libxml2-utils dpkg-dev file
  # the check of the Kubernetes Job's YAML
  python3-yaml
) ;;
  *) echo "usage: $0 [cluster|image]" >&2; exit 2 ;;
esac

# npm comes with some builds of nodejs and as Debian's own package with others.
command -v npm >/dev/null || PACKAGES+=(npm)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
