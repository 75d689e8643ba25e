#!/usr/bin/env bash
# Installs what the build needs and builds the three targets: the host build, the 64-bit
# Windows build that runs under Wine here, and the shipped 32-bit executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
jobs=$(nproc)
for preset in host win64 win32; do
  cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
