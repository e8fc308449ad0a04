#!/usr/bin/env bash
# Builds the Debian package and checks it on a clean Debian 12: a minimal system made with
# debootstrap, the package installed into it with apt (so its dependencies must be right),
# then quillon-cli --help, quillon-cli render of an installed example and the window's first
# frame under Xvfb, all run inside that system. Needs root and Debian's mirror; not part of
# `make test`.
#
#   scripts/package-check.sh [BUILD_DIR]     (default build-package)
#
# QUILLON_CHROOT_CACHE keeps the minimal system between runs (default
# /var/tmp/quillon-bookworm.tar.gz; delete it for a new one); DEBIAN_MIRROR overrides the mirror.
# The package and the pictures it drew are left in BUILD_DIR and BUILD_DIR/package-check.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
cache=${QUILLON_CHROOT_CACHE:-/var/tmp/quillon-bookworm.tar.gz}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
if [ "$(id -u)" -ne 0 ]; then
  echo "package-check: run as root (debootstrap and chroot need it)" >&2
  exit 1
fi

LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  export CCACHE_BASEDIR="$PWD"
fi

echo "== package"
bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUILLON_BENCH=OFF $LAUNCHER >/dev/null
cmake --build "$build" -j "$(nproc)" --target quillon quillon-cli quillon_help quillon_desktop_files
rm -f "$build"/quillon_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/quillon_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

echo "== clean Debian 12"
if [ ! -s "$cache" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap
  base=$(mktemp -d /var/tmp/quillon-debootstrap.XXXXXX)
  debootstrap --variant=minbase bookworm "$base" "$mirror"
  tar -C "$base" -czf "$cache.part" . && mv "$cache.part" "$cache"
  rm -rf "$base"
fi
root=$(mktemp -d /var/tmp/quillon-chroot.XXXXXX)
cleanup() {
  umount "$root/dev/shm" "$root/proc" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
tar -C "$root" -xzf "$cache"
mount -t proc proc "$root/proc"
mkdir -p "$root/dev/shm" && mount -t tmpfs tmpfs "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/quillon.deb"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

in_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq --no-install-recommends /tmp/quillon.deb

echo "== run from the package"
in_root quillon-cli --help
in_root quillon-cli version
in_root quillon-cli render /usr/share/quillon/examples/welcome.zvt /tmp/welcome.png --fit
in_root quillon-cli example surface_z2_plus_1 /tmp/surface.zvt
in_root quillon-cli render /tmp/surface.zvt /tmp/surface.png --view iso --fit
in_root sh -c 'man -w quillon-cli quillon 2>/dev/null || ls /usr/share/man/man1/quillon*'
# The window needs an X server; it comes after the checks above so that it cannot supply a
# library the package forgot.
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq --no-install-recommends xvfb xauth
in_root xvfb-run -a -s "-screen 0 1280x1024x24" \
  quillon /usr/share/quillon/examples/welcome.zvt --screenshot /tmp/window.png --quit-after-first-frame

mkdir -p "$build/package-check"
for picture in welcome surface window; do
  [ -s "$root/tmp/$picture.png" ] || { echo "package-check: $picture.png not drawn" >&2; exit 1; }
  cp "$root/tmp/$picture.png" "$build/package-check/"
done
echo "package-check: $deb installs and runs on a clean Debian 12 (pictures in $build/package-check)"
