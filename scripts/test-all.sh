#!/usr/bin/env bash
# The whole test suite, from a fresh Debian 12 machine: installs what is
# missing (as root), builds the Linux module, the tools and the tests, runs
# them, then the Windows DLLs under Wine, the robustness runs and the
# independent cross-checks. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh linux tools mingw wine check fuzz browser package

cmake --preset linux -DREZOV_BUILD_BENCH=ON
cmake --build --preset linux -j2
ctest --preset linux -j2

for stage in wine-tests robustness cross-check; do
  echo "== $stage"
  "scripts/$stage.sh"
done
echo "All test stages passed."
