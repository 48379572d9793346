#!/usr/bin/env bash
# Renders the real setup dialog of Rezov.dll, opened with its default values
# as the first report of a new station (call sign R3XX), under Wine on a
# virtual X display, and writes docs/setup-dialog.png.
#
# Uses the i686 build (REZOV_SCREENSHOT_BUILD, default build/mingw-i686) and
# the Wine prefix of the tests (REZOV_WINE_PREFIX, default build/wine-prefix).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${REZOV_SCREENSHOT_BUILD:-$root/build/mingw-i686}
output=$root/docs/setup-dialog.png
export WINEPREFIX=${REZOV_WINE_PREFIX:-$root/build/wine-prefix}
. "$root/scripts/wine-prefix.sh"

if [ "${1:-}" = "--under-display" ]; then
  work=$2
  cd "$work"
  host=$(winepath -w "$build/rezov_wine_host.exe")
  # A Wine desktop of its own draws the title bar that a bare X display
  # lacks.
  wine explorer /desktop=rezov,800x600 "$host" show-dialog </dev/null >/dev/null 2>&1 &
  viewer=$!
  for _ in $(seq 600); do
    [ -f dialog-open ] && break
    sleep 0.1
  done
  if [ ! -f dialog-open ]; then
    echo "dialog-screenshot: the dialog did not open" >&2
    kill "$viewer" 2>/dev/null || true
    exit 1
  fi
  sleep 1  # let it finish drawing
  # The dialog with its frame, and a few pixels of desktop around it.
  geometry=$(head -n1 dialog-open)
  if [[ $geometry =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]]; then
    x=$((BASH_REMATCH[3] > 4 ? BASH_REMATCH[3] - 4 : 0))
    y=$((BASH_REMATCH[4] > 4 ? BASH_REMATCH[4] - 4 : 0))
    geometry="$((BASH_REMATCH[1] + 8))x$((BASH_REMATCH[2] + 8))+$x+$y"
  else
    geometry=800x600+0+0
  fi
  import -window root -crop "$geometry" +repage "$output"
  touch screenshot-taken
  wait "$viewer" || true
  wineserver -w
  exit
fi

scripts/install-deps.sh linux windows
cmake --preset mingw-i686 -B "$build" >/dev/null
cmake --build "$build" -j2 --target rezov_wine_host
prepare_wine_prefix
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/dialog-screenshot.sh" --under-display \
  "$work" </dev/null
echo "dialog-screenshot: wrote $output"
