#!/usr/bin/env bash
# Runs a window test under Wine on a private X display. The test saves its screenshot as the
# BMP named here (VENTRIX_SCREENSHOT); a PNG of it is made beside it when ImageMagick is there.
#   run-window-test.sh SCREENSHOT.bmp PREFIX PROGRAM [ARGS...]
set -euo pipefail
bmp=$1
shift
png=${bmp%.bmp}.png
rm -f "$bmp" "$png"
status=0
VENTRIX_SCREENSHOT=$bmp "$(dirname "$0")/../../scripts/wine.sh" run-x "$@" || status=$?
if [ -f "$bmp" ] && command -v convert >/dev/null; then
  convert "$bmp" "$png"
  echo "screenshot: $png"
fi
exit "$status"
