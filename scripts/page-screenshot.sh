#!/usr/bin/env bash
# Renders the report page of the bundled example in headless Chromium and
# writes docs/report-page.png, the picture the README shows. Installs what
# it lacks (as root) and builds build/linux first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${REZOV_BUILD_DIR:-$root/build/linux}
"$root/scripts/install-deps.sh" linux tools browser
(cd "$root" && cmake --preset linux -B "$build" >/dev/null)
cmake --build "$build" -j2 --target Rezov rezov
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/rezov" report "$root/examples/moscow-championship.adi" --workdir "$work/w" \
  <"$root/examples/setup-answers.txt" >/dev/null 2>&1
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$work/profile" --hide-scrollbars --window-size=900,2300 \
  --screenshot="$work/page.png" "file://$work/w/RK3AXW.html" >/dev/null 2>&1
convert "$work/page.png" -trim +repage -bordercolor white -border 16 "$root/docs/report-page.png"
echo "page-screenshot: wrote docs/report-page.png"
