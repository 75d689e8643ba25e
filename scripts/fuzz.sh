#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 20), starting from
# its seed corpus in tests/fuzz/corpus (copied, so the repository's seeds stay as they are).
# A crash, a sanitizer report or a failed check stops the run with the input that caused it.
#   fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
work=build/fuzz/runs
for target in Paths FileNames VersionInfo BackupFile; do
  corpus=$work/$target
  seeds=tests/fuzz/corpus/$(echo "$target" | tr 'A-Z' 'a-z')
  mkdir -p "$corpus"
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  log=$work/$target.log
  if ! build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -artifact_prefix="$work/$target-" -print_final_stats=1 \
      "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target: failed (log: $log)"
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  [ -n "$runs" ] || runs=$(grep -oE '#[0-9]+' "$log" | tail -n 1 | tr -d '#')
  echo "fuzz_$target: $runs runs in ${seconds} s, no failure"
done
