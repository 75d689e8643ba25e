#!/usr/bin/env bash
# Installs what the tests need and runs every suite: the host build, the host build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the 64-bit Windows build under Wine, the
# checks of the 32-bit Windows build, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh test
jobs=$(nproc)
for preset in host host-sanitize win64 win32; do
  echo "== $preset"
  start=$(date +%s)
  cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset"
  echo "== $preset: built and tested in $(( $(date +%s) - start )) s"
done
echo "== fuzz"
scripts/fuzz.sh 20
