#!/usr/bin/env bash
# The main demonstration: installs what a fresh machine lacks, builds the
# module and the replay tool (CMake preset "linux", folder build/linux) and
# replays the bundled example log in report mode. The setup form is answered
# from examples/setup-answers.txt; the summary and the path of the written
# Cabrillo file are printed. REZOV_BUILD_DIR names another build folder.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${REZOV_BUILD_DIR:-$root/build/linux}

"$root/scripts/install-deps.sh" linux tools
cd "$root"
cmake --preset linux -B "$build" >/dev/null
cmake --build "$build" -j2 --target Rezov rezov

# A fresh host folder each time, so the settings file starts empty.
work=$build/demo
rm -rf "$work"
echo "== rezov report examples/moscow-championship.adi (form answers from examples/setup-answers.txt)"
"$build/rezov" report examples/moscow-championship.adi --workdir "$work" \
  <examples/setup-answers.txt
