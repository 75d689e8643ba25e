#!/usr/bin/env bash
# Runs Windows programs under Wine the way the tests need it:
#   wine.sh new-prefix PREFIX          makes a fresh Wine prefix at PREFIX
#   wine.sh run PREFIX PROGRAM [ARGS]  runs PROGRAM in it (no display)
#   wine.sh run-x PREFIX PROGRAM [ARGS] runs PROGRAM in it under a private Xvfb display
#   wine.sh run-display PREFIX PROGRAM [ARGS]
#                                      runs PROGRAM in it on the display named by DISPLAY
#   wine.sh screenshot PREFIX PNG TITLE PROGRAM [ARGS]
#                                      starts PROGRAM under a private Xvfb display, waits for
#                                      its window titled TITLE, saves that window as PNG and
#                                      ends the program
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

# Makes the prefix show windows as Windows does: Xvfb has no window manager, so Wine draws
# frames and captions itself (Managed=N), and the caption buttons need the fonts of
# fonts-wine. The registry is changed with no display and that wineserver ended, since a
# wineserver started without a display breaks the GUI processes that come after it.
prepare_display() {
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    (unset DISPLAY; "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      >/dev/null 2>&1)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -u /usr/share/wine/fonts/* "$fonts/"
}

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
    prepare_display
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE64" "$@" || status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
    ;;
  run-display)
    prepare_display
    "$WINE64" "$@"
    ;;
  screenshot)
    wineserver -k 2>/dev/null || true
    prepare_display
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" screenshot-here "$WINEPREFIX" "$@" || status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
    ;;
  screenshot-here)
    # The inside of "screenshot", on the display it made.
    png=$1
    title=$2
    shift 2
    "$WINE64" "$@" &
    program=$!
    place=""
    for _ in $(seq 300); do
      info=$(xwininfo -name "$title" 2>/dev/null) || info=""
      if grep -q 'Map State: IsViewable' <<<"$info"; then
        place=$(awk -F: '/Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
                         /^ *Width/ {w=$2} /^ *Height/ {h=$2}
                         END {gsub(/ /, "", x); gsub(/ /, "", y); gsub(/ /, "", w);
                              gsub(/ /, "", h); print w "x" h "+" x "+" y}' <<<"$info")
        break
      fi
      kill -0 "$program" 2>/dev/null || break
      sleep 0.1
    done
    status=0
    if [ -n "$place" ]; then
      sleep 1  # its first painting
      import -window root -crop "$place" +repage "$png" || status=$?
    else
      echo "wine.sh: no window titled \"$title\" appeared" >&2
      status=1
    fi
    wineserver -k 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    exit "$status"
    ;;
  *)
    echo "usage: wine.sh new-prefix|run|run-x|run-display|screenshot PREFIX [...]" >&2
    exit 2
    ;;
esac
