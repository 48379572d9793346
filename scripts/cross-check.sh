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
