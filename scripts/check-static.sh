#!/usr/bin/env bash
# Fails when a Windows executable imports a MinGW runtime DLL (it must carry its runtime).
#   check-static.sh OBJDUMP EXE
set -euo pipefail
objdump=$1
exe=$2
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "$exe imports:" $imports
if echo "$imports" | grep -qiE 'libstdc|libgcc|libwinpthread|mingw'; then
  echo "needs a MinGW runtime DLL" >&2
  exit 1
fi
