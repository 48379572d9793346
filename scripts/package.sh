#!/usr/bin/env bash
# Builds the release into dist/ (REZOV_DIST_DIR names another folder):
#   Rezov-<version>-windows.zip  x86/Rezov.dll, x64/Rezov.dll, rezov.exe,
#                                INSTALL.txt, LICENSE.txt
#   rezov_<version>_amd64.deb    /usr/bin/rezov, /usr/lib/rezov/Rezov.so,
#                                the manual page, the licence
# CPack makes both: the .deb from a Linux build without tests
# (build/package-linux), the zip through packaging/windows from the MinGW
# builds of the presets (build/mingw-i686, build/mingw-x86_64), which the
# Wine tests use too. Installs what a fresh Debian 12 machine lacks (as
# root). Prints the paths of the two packages.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=${REZOV_DIST_DIR:-$root/dist}
linux=$root/build/package-linux
windows=$root/build/package-windows

scripts/install-deps.sh linux tools mingw package

echo "== Linux: rezov and Rezov.so"
cmake --preset linux -B "$linux" -DREZOV_BUILD_TESTS=OFF >/dev/null
cmake --build "$linux" -j2
for arch in i686 x86_64; do
  echo "== Windows, $arch: Rezov.dll and rezov.exe"
  cmake --preset "mingw-$arch" -B "$root/build/mingw-$arch" >/dev/null
  cmake --build "$root/build/mingw-$arch" -j2 --target Rezov rezov
done
cmake -S packaging/windows -B "$windows" -DREZOV_BUILD_I686="$root/build/mingw-i686" \
  -DREZOV_BUILD_X86_64="$root/build/mingw-x86_64" >/dev/null

echo "== CPack into $dist"
mkdir -p "$dist"
rm -f "$dist"/Rezov-*-windows.zip "$dist"/rezov_*_amd64.deb
for build in "$linux" "$windows"; do
  (cd "$build" && cpack -D CPACK_OUTPUT_FILE_PREFIX="$dist" >/dev/null)
done
ls -1 "$dist"/Rezov-*-windows.zip "$dist"/rezov_*_amd64.deb
