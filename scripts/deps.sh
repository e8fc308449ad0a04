#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quillon needs.
# Only missing packages are installed; uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
  # tool chain
  build-essential cmake ninja-build pkg-config clang-14 libclang-rt-14-dev clang-format git
  # test and benchmark libraries
  libgtest-dev libgmock-dev libbenchmark-dev
  # Qt 6 widgets, OpenGL widgets, printing
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6svg6
  # OpenGL, GLU, EGL (Mesa software rendering)
  libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  # fonts the scene text resolves to
  fonts-liberation fonts-dejavu-core
  # headless window tests
  xvfb xauth x11-utils
  # freedesktop association tools; icon rendering and checks of the install tree
  shared-mime-info desktop-file-utils qt6-svg-dev appstream groff-base
  # benchmark baselines
  python3 python3-numpy python3-matplotlib
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
