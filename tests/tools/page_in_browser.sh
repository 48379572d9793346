#!/usr/bin/env bash
# The report page of the bundled example in a real browser: headless
# Chromium renders it to a picture that is not blank, and the text of the
# rendered page holds the summary's numbers. Exits 77 (skipped) where no
# Chromium is installed (scripts/install-deps.sh browser installs it).
# Usage: page_in_browser.sh REZOV SOURCE_DIR
set -uo pipefail
rezov=$1
src=$2
command -v chromium >/dev/null || { echo "no chromium: skipped"; exit 77; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/rezov-page-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

"$rezov" report "$src/examples/moscow-championship.adi" --workdir "$scratch/w" \
  <"$src/examples/setup-answers.txt" >"$scratch/out" 2>"$scratch/err" || { cat "$scratch/err"; exit 1; }
page=$scratch/w/RK3AXW.html
grep -q "^Report page: $page$" "$scratch/out" || { echo "no report page line"; exit 1; }
# The page needs nothing from elsewhere: no script, no link, no remote image.
if grep -qiE '<script|<link|src="http|href="http|@import|url\(' "$page"; then
  echo "the page loads something"; exit 1
fi

browser=(chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync
  --user-data-dir="$scratch/profile")
timeout 120 "${browser[@]}" --window-size=1000,2600 --screenshot="$scratch/page.png" \
  "file://$page" >/dev/null 2>&1
[ -s "$scratch/page.png" ] || { echo "no picture"; exit 1; }
deviation=$(convert "$scratch/page.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
awk -v d="$deviation" 'BEGIN { exit !(d > 0.05) }' || { echo "a blank picture ($deviation)"; exit 1; }

timeout 120 "${browser[@]}" --dump-dom "file://$page" >"$scratch/dom.html" 2>/dev/null
failures=0
for want in '<td>Total</td><td>32</td><td>32</td><td>5</td><td>8</td><td>4</td>' \
            '= 32 × 17 = <b>544</b>' 'MA (5)' 'OBL (8)' 'Grid (4)' \
            'repeat of record 1 in tour 18:00-18:29' 'CLAIMED-SCORE: 544' '<svg'; do
  grep -qF -- "$want" "$scratch/dom.html" || { echo "the rendered page lacks: $want"; failures=1; }
done
exit $failures
