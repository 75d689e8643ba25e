#!/usr/bin/env bash
# Fails when a Windows executable imports a MinGW runtime DLL (each must carry its runtime).
#   check-static.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
for exe in "$@"; do
  imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  echo "$(basename "$exe") imports:" $imports
  if echo "$imports" | grep -qiE 'libstdc|libgcc|libwinpthread|mingw'; then
    echo "$exe needs a MinGW runtime DLL" >&2
    exit 1
  fi
done
