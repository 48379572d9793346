#!/usr/bin/env bash
# Builds Rezov.dll for i686 and x86_64 with MinGW-w64 (the presets
# mingw-i686 and mingw-x86_64), builds the Linux Rezov.so that the Windows
# results are compared with, sets up a Wine prefix inside the build folder
# and runs both test suites under Wine on a virtual X display. Ends with a
# line "N passed, M failed"; exits non-zero when anything failed.
#
# Runs unattended (as root on a fresh machine, no terminal needed). The
# folders can be moved with REZOV_WINE_BUILD_I686, REZOV_WINE_BUILD_X86_64,
# REZOV_WINE_BUILD_LINUX and REZOV_WINE_PREFIX.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build_i686=${REZOV_WINE_BUILD_I686:-$root/build/mingw-i686}
build_x86_64=${REZOV_WINE_BUILD_X86_64:-$root/build/mingw-x86_64}
build_linux=${REZOV_WINE_BUILD_LINUX:-$root/build/wine-linux}
export WINEPREFIX=${REZOV_WINE_PREFIX:-$root/build/wine-prefix}
. "$root/scripts/wine-prefix.sh"

# The tests themselves, on the display xvfb-run gives this second call.
if [ "${1:-}" = "--under-display" ]; then
  passed=0
  failed=0
  wineserver -p
  # Starts the prefix's background services now, so that they do not hold
  # on to the output of the first test.
  wineboot </dev/null >/dev/null 2>&1
  for dir in $REZOV_WINE_TESTED_BUILDS; do
    echo "== tests in $dir"
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure --timeout 300 </dev/null 2>&1 | tee "$log" || true
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" || true)
    rm -f "$log"
    if [ -z "$summary" ]; then
      echo "wine-tests: ctest in $dir gave no result"
      failed=$((failed + 1))
      continue
    fi
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  done
  wineserver -k || true
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
fi

setup_failed() {
  echo "wine-tests: building or preparing failed before any test ran"
  echo "0 passed, 1 failed"
}
trap setup_failed ERR

scripts/install-deps.sh linux windows tools

# The builds whose tests can run: a 32-bit DLL needs Wine's 32-bit part.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
if ! command -v wine >/dev/null || ! command -v xvfb-run >/dev/null; then
  echo "wine-tests: Wine or Xvfb is not installed (group wine): no Windows test runs"
  echo "0 passed, 0 failed"
  exit 0
fi
tested="$build_x86_64"
if installed wine32:i386; then
  tested="$build_i686 $tested"
else
  echo "wine-tests: wine32:i386 is not installed (group wine): the 32-bit Rezov.dll is built but its tests do not run"
fi
export REZOV_WINE_TESTED_BUILDS=$tested

echo "== Linux Rezov.so for the comparison"
cmake -S . -B "$build_linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREZOV_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build_linux" -j2 --target Rezov rezov_linux_contest

for arch in i686 x86_64; do
  dir_var=build_$arch
  echo "== Rezov.dll, $arch"
  cmake --preset "mingw-$arch" -B "${!dir_var}" -DREZOV_LINUX_BUILD_DIR="$build_linux" \
    -DREZOV_WINEPREFIX="$WINEPREFIX" >/dev/null
  cmake --build "${!dir_var}" -j2
done

echo "== Wine prefix $WINEPREFIX"
prepare_wine_prefix
trap - ERR

xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-tests.sh" --under-display </dev/null
