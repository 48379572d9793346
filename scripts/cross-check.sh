#!/usr/bin/env bash
# Independent cross-check of the replay tool with two npm packages: the
# ADIF reader against adif-parser-ts on the bundled example, and the
# Cabrillo file the module writes against the `cabrillo` package. The
# packages go into a scratch folder under the build folder (no lock file);
# runs without questions and exits non-zero on any mismatch.
# REZOV_BUILD_DIR names another build folder than build/linux.
set -euo pipefail
export CI=true

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${REZOV_BUILD_DIR:-$root/build/linux}
example=$root/examples/moscow-championship.adi

"$root/scripts/install-deps.sh" linux tools
# A Node.js that brings its own npm satisfies the check group as it is.
command -v node >/dev/null && command -v npm >/dev/null || "$root/scripts/install-deps.sh" check
if [ ! -x "$build/rezov" ] || [ ! -f "$build/Rezov.so" ]; then
  (cd "$root" && cmake --preset linux -B "$build" >/dev/null)
  cmake --build "$build" -j2 --target Rezov rezov
fi

scratch=$build/npm-cross-check
mkdir -p "$scratch"
if [ ! -d "$scratch/node_modules/adif-parser-ts" ] || [ ! -d "$scratch/node_modules/cabrillo" ]; then
  printf '{ "name": "rezov-cross-check", "private": true }\n' >"$scratch/package.json"
  (cd "$scratch" && npm install --no-package-lock --no-audit --no-fund --loglevel=error \
    adif-parser-ts@0.7.7 cabrillo@0.1.0)
fi

work=$scratch/work
rm -rf "$work"
"$build/rezov" dump "$example" >"$scratch/dump.json"
"$build/rezov" report "$example" --workdir "$work" \
  <"$root/examples/setup-answers.txt" >"$scratch/report.txt" 2>"$scratch/report.err"
cbr=$(sed -n 's/^Cabrillo file: //p' "$scratch/report.txt")
[ -n "$cbr" ] || { echo "cross-check: the report wrote no Cabrillo file" >&2; cat "$scratch/report.err" >&2; exit 1; }

NODE_PATH=$scratch/node_modules node "$root/tests/tools/cross_check.js" \
  "$example" "$scratch/dump.json" "$cbr"

# Logs that nobody here wrote, when they are beside the project: every
# contact the independent ADIF reader finds is read by rezov too, and each
# file's reading is shown as a row of docs/real-logs.md.
real_logs=$root/../shared/real-logs
[ -d "$real_logs" ] || exit 0
NODE_PATH=$scratch/node_modules node "$root/tests/tools/real_logs_check.js" "$build/rezov" "$real_logs"
echo "| file | exit | records | contacts read | handed on | kept back | skipped |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for log in "$real_logs"/*; do
  case "$log" in *.md) continue ;; esac
  dump=$("$build/rezov" dump "$log" 2>/dev/null) || true
  "$build/rezov" score "$log" --workdir "$scratch/real" >/dev/null 2>&1 && status=0 || status=$?
  records=$(sed -n 's/^  "records": \([0-9]*\),$/\1/p' <<<"$dump")
  read=$(grep -c '"call": ' <<<"$dump" || true)
  kept=$(grep -c '"excluded": ' <<<"$dump" || true)
  skipped=$(grep -c '"reason": ' <<<"$dump" || true)
  echo "| $(basename "$log") | $status | ${records:-0} | $read | $((read - kept)) | $kept | $skipped |"
done
