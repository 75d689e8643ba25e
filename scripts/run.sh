#!/usr/bin/env bash
# Installs what the build needs and builds the three targets: the host build, the 64-bit
# Windows build that runs under Wine here, and the shipped 32-bit executable. Then starts the
# program (the 64-bit build) under Wine: on the user's display when DISPLAY is set; otherwise
# on a private Xvfb display, where its window is saved as build/screenshot.png and the
# program is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
jobs=$(nproc)
# Built without the tests, in folders of their own, so that the test builds keep theirs.
for preset in host win64 win32; do
  cmake --preset "$preset" -B "build/run/$preset" -DBUILD_TESTING=OFF >/dev/null
  cmake --build "build/run/$preset" -j "$jobs"
done

# Its own Wine prefix, made once and kept: what the program changes in its registry stays
# from one run to the next.
exe=$PWD/build/run/win64/Ventrix.exe
prefix=$PWD/build/run/prefix
if [ ! -f "$prefix/system.reg" ]; then
  scripts/wine.sh new-prefix "$prefix"
fi
if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Ventrix on display $DISPLAY"
  scripts/wine.sh run-display "$prefix" "$exe"
else
  screenshot=$PWD/build/screenshot.png
  scripts/wine.sh screenshot "$prefix" "$screenshot" Ventrix1.2 "$exe"
  echo "No display: Ventrix ran under Xvfb; its window is saved in $screenshot"
fi
