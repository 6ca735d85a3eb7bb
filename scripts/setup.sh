#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Glintra
# need. Quiet and quick when everything is there already.
set -euo pipefail

packages=(
  # builds
  cmake ninja-build g++ make
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # native renderer and its tests
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxtst-dev libxfixes-dev libxft-dev
  googletest libbenchmark-dev
  # fuzzing the bitmap loader
  clang-14 libclang-rt-14-dev
  # the Windows programs under Wine on a virtual display, and screenshots
  wine wine64 xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic
  # freeglut goes full screen only under a window manager
  openbox
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
