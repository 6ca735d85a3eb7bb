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
  # locale-gen, for the Japanese locale below
  locales
  # fuzzing the bitmap loader
  clang-14 libclang-rt-14-dev
  # the Windows programs under Wine on a virtual display, and screenshots
  wine wine64 xvfb xserver-xephyr x11-utils xdotool imagemagick fonts-ipafont-gothic
  # Wine's own faces: Tahoma (the panel's and the repeat box's) and Marlett
  # (the caption buttons' glyphs), which wine only recommends
  fonts-wine
  # freeglut goes full screen only under a window manager
  openbox
  # the Windows installer (make dist)
  nsis
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes the Windows code page from LC_ALL: ja_JP.UTF-8 gives 932, the
# Unicode-only hi_IN.UTF-8 gives 65001 (UTF-8). Without a locale installed
# Wine still gets its code page, but cannot make file names outside ASCII.
for wanted in ja_JP hi_IN; do
  if ! locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$"; then
    echo "setup: generating the ${wanted}.UTF-8 locale" >&2
    $sudo sed -i "s/^# *${wanted}.UTF-8 UTF-8/${wanted}.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^${wanted}.UTF-8 UTF-8" /etc/locale.gen ||
      echo "${wanted}.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    generate=1
  fi
done
if [ -n "${generate:-}" ]; then $sudo locale-gen >/dev/null; fi
