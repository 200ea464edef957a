#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Plenamar need.
# Only what is missing is installed; run as root or with sudo available.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  # window toolkit and OpenGL
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev libgl-dev libglu1-mesa-dev libegl-dev libxcb1-dev
  # Mesa's software renderer with its GLX and EGL vendors
  libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  # pictures (libwmf's link line names expat, which libwmf-dev does not bring),
  # and Qt's readers of WebP, TIFF and the other formats of face images
  libjpeg-dev libpng-dev libwmf-dev libexpat1-dev libemf2svg-dev qt6-image-formats-plugins
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
)

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
