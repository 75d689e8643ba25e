#!/usr/bin/env bash
# Runs Windows programs under Wine the way the tests need it:
#   wine.sh new-prefix PREFIX          makes a fresh Wine prefix at PREFIX
#   wine.sh run PREFIX PROGRAM [ARGS]  runs PROGRAM in it (no display)
#   wine.sh run-x PREFIX PROGRAM [ARGS] runs PROGRAM in it under a private Xvfb display
# The kernel here runs no 32-bit code, so the 64-bit loader is called directly. The locale
# makes Wine's ANSI code page 936.
set -euo pipefail

WINE64=${WINE64:-/usr/lib/wine/wine64}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8

command=$1
export WINEPREFIX=$2
shift 2

case "$command" in
  new-prefix)
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    (unset DISPLAY; "$WINE64" wineboot -i >/dev/null 2>&1 || true)
    wineserver -k || true
    wineserver -w || true
    test -f "$WINEPREFIX/system.reg"
    ;;
  run)
    unset DISPLAY
    "$WINE64" "$@"
    ;;
  run-x)
    wineserver -k 2>/dev/null || true
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE64" "$@" || status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
    ;;
  *)
    echo "usage: wine.sh new-prefix|run|run-x PREFIX [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac
