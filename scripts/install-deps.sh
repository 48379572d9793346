#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for the given parts of the
# build: "linux" (compilers, CMake, GoogleTest), "windows" (MinGW-w64, Wine
# with 32-bit support, Xvfb), "tools" (CLI11, the country file), "check"
# (Node.js and npm for the cross-checks), "fuzz" (clang's sanitizer runtimes),
# "browser" (headless Chromium and ImageMagick for the report page's test),
# "package" (what CPack needs for the .deb: dpkg-shlibdeps and file; unzip
# for the package tests).
# Needs root for apt-get; does nothing for packages already installed.
set -euo pipefail

declare -A groups=(
  [linux]="build-essential cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev robin-map-dev jq"
  [windows]="g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth imagemagick llvm clang"
  [tools]="libcli11-dev libhowardhinnant-date-dev nlohmann-json3-dev hamradio-files"
  [check]="nodejs npm"
  [fuzz]="clang libclang-rt-14-dev llvm valgrind"
  [browser]="chromium imagemagick"
  [package]="dpkg-dev file unzip"
)

wanted=()
for group in "${@:-linux}"; do
  # A Node.js that ships its own npm needs nothing from the npm package.
  if [ "$group" = check ] && command -v node >/dev/null && command -v npm >/dev/null; then
    continue
  fi
  for pkg in ${groups[$group]}; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || wanted+=("$pkg")
  done
done
[ ${#wanted[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${wanted[*]}; run this script as root" >&2
  exit 1
fi
if printf '%s\n' "${wanted[@]}" | grep -q ':i386$'; then
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi
echo "install-deps: installing ${wanted[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${wanted[@]}" >/dev/null
