#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for the given parts of the
# build (default: linux):
#   linux    compilers, CMake, GoogleTest, Google Benchmark, jq
#   tools    CLI11, date.h, nlohmann/json, the country file
#   mingw    the MinGW-w64 cross compilers (the Windows DLLs and rezov.exe)
#            and clang/llvm for the export-name checks
#   wine     Wine with 32-bit support and Xvfb: the Windows tests
#   windows  mingw and wine together
#   check    Node.js and npm for the cross-checks
#   fuzz     clang's sanitizer runtimes, valgrind
#   browser  headless Chromium and ImageMagick for the page tests
#   package  what CPack needs for the .deb (dpkg-shlibdeps, file) and unzip
#
# Needs root for apt-get; does nothing for packages already installed.
# A package mirror may be caught mid-sync: the index update is tried a few
# times, and when some indexes still cannot be fetched the install goes on
# with the indexes there are. A package that still cannot be installed is
# named with its group and what will not be built or tested without it;
# only the linux and tools groups, without which nothing builds, make the
# script fail.
set -euo pipefail

declare -A groups=() without=()
# group NAME PACKAGES WHAT-IS-LOST-WITHOUT-THEM
group() { groups[$1]=$2; without[$1]=$3; }
group linux "build-essential cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev robin-map-dev jq" \
  "nothing can be built"
group tools "libcli11-dev libhowardhinnant-date-dev nlohmann-json3-dev hamradio-files" \
  "the tools cannot be built"
group mingw "g++-mingw-w64-i686 g++-mingw-w64-x86-64 llvm clang" \
  "the Windows DLLs, rezov.exe and the Windows zip are not built"
group wine "wine wine64 wine32:i386 xvfb xauth imagemagick" \
  "the Windows tests under Wine do not run (wine32:i386: those of the 32-bit DLL)"
group check "nodejs npm" "the npm cross-checks do not run"
group fuzz "clang libclang-rt-14-dev llvm valgrind" "the sanitizer, fuzzing and valgrind runs do not run"
group browser "chromium imagemagick" "the pages are not checked in Chromium"
group package "dpkg-dev file unzip" "the .deb is not built"
essential=" linux tools "

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

wanted=()
declare -A group_of=()
requested=()
for group in "${@:-linux}"; do
  if [ "$group" = windows ]; then requested+=(mingw wine); else requested+=("$group"); fi
done
for group in "${requested[@]}"; do
  [ -n "${groups[$group]+x}" ] || { echo "install-deps: unknown group '$group'" >&2; exit 1; }
  # A Node.js that ships its own npm needs nothing from the npm package.
  if [ "$group" = check ] && command -v node >/dev/null && command -v npm >/dev/null; then
    continue
  fi
  for pkg in ${groups[$group]}; do
    installed "$pkg" && continue
    [ -n "${group_of[$pkg]+x}" ] || wanted+=("$pkg")
    group_of[$pkg]=$group
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

# The index update: a mirror in the middle of a sync serves an index of the
# wrong size for a while, so a failed update is tried again; if it still
# fails, the indexes that did arrive are used.
updated=no
for attempt in 1 2 3; do
  if apt-get update -qq; then updated=yes; break; fi
  echo "install-deps: the package index update failed (attempt $attempt of 3)" >&2
  [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
done
[ "$updated" = yes ] ||
  echo "install-deps: some package indexes could not be fetched; installing from those there are" >&2

# All at once first; when that fails, one by one, so that one package that
# cannot be had does not keep the others out.
if apt-get install -y -qq "${wanted[@]}" >/dev/null; then exit 0; fi
missing=()
for pkg in "${wanted[@]}"; do
  installed "$pkg" && continue
  apt-get install -y -qq "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
status=0
for pkg in "${missing[@]}"; do
  group=${group_of[$pkg]}
  echo "install-deps: $pkg (group $group) cannot be installed: ${without[$group]}" >&2
  [[ "$essential" == *" $group "* ]] && status=1
done
exit $status
