#!/usr/bin/env bash
# Builds and runs the benchmarks of Ventrix and prints one table of medians against floors:
#
#   bash scripts/bench.sh [--runs N] [--quick] [--start-only] [--cpu N|all]
#                                                 the Windows benchmark under Wine
#   bash scripts/bench.sh --host                  the host benchmark of RegistryAccess over
#                                                 the in-memory stand-in (Google Benchmark)
#
# The Windows benchmark builds the win64 preset's "bench" target and the shipped 32-bit exe
# (win32 preset, for its size), makes a fresh Wine prefix of its own in
# build/win64/bench-prefix and runs build/win64/bench/ventrix_bench.exe there on a private
# Xvfb display: the program's main window is created inside the benchmark process, the exes
# are started from it. Every figure is the median of N runs (default 7; process starts 2N).
# --quick lists at most 5,000 entries instead of 50,000, for trying the benchmark out;
# --start-only measures the process starts alone.
#
# The Wine session (Xvfb, the Wine server, every Wine process) runs on one CPU, CPU 0 unless
# --cpu names another; --cpu all lets it use every CPU. Nearly every call measured here is a
# round trip to the Wine server, and on a virtual machine whose other CPU is idle (halted) a
# wake-up across CPUs was seen to cost about 60 us against about 6 us on the same CPU: unpinned,
# the figures then change about fivefold with what else the machine is doing.
# Benchmarks are not tests: nothing here is part of ctest or scripts/test.sh. bench/README.md
# describes every figure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
runs=7
quick=()
host=0
cpu=0
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --quick) quick=(--quick); shift ;;
    --start-only) quick+=(--start-only); shift ;;
    --host) host=1; shift ;;
    --cpu) cpu=$2; shift 2 ;;
    *) echo "usage: bench.sh [--runs N] [--quick] [--start-only] [--cpu N|all] | --host" >&2; exit 2 ;;
  esac
done
begun=$(date +%s)

if [ "$host" = 1 ]; then
  # The host preset's compilers and platform, optimised, in a folder of its own so that the
  # test build keeps its Debug configuration.
  if ! [ -f /usr/lib/x86_64-linux-gnu/cmake/benchmark/benchmarkConfig.cmake ]; then
    echo "bench.sh: Google Benchmark is missing: apt-get install libbenchmark-dev" >&2
    exit 1
  fi
  cmake --preset host -B build/bench-host -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    >/dev/null
  cmake --build build/bench-host --target host_bench -j "$jobs"
  build/bench-host/bench/host_registry_bench
  echo "bench.sh: $(( $(date +%s) - begun )) s in all"
  exit 0
fi

echo "== building (win64 bench target, win32 exe)"
cmake --preset win64 -DBUILD_TESTING=ON >/dev/null
cmake --build --preset win64 --target bench -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
exe32=$root/build/win32/Ventrix.exe
exe64=$root/build/win64/Ventrix.exe
for exe in "$exe32" "$exe64"; do
  # A stripped PE file has no COFF symbol table left.
  if ! objdump -t "$exe" 2>&1 | grep -q 'no symbols'; then
    echo "bench.sh: $exe is not stripped" >&2
    exit 1
  fi
done

echo "== a fresh Wine prefix in build/win64/bench-prefix"
prefix=$root/build/win64/bench-prefix
prefix_begun=$(date +%s)
scripts/wine.sh new-prefix "$prefix" >/dev/null 2>&1
echo "   made in $(( $(date +%s) - prefix_begun )) s"

pin=()
if [ "$cpu" != all ]; then
  pin=(taskset -c "$cpu")
fi
echo "== running under Xvfb on CPU $cpu (progress on stderr, the table at the end)"
# run-x ends the Wine server before and after the Xvfb session, so the server it starts
# runs with the same CPU affinity.
"${pin[@]}" scripts/wine.sh run-x "$prefix" "$root/build/win64/bench/ventrix_bench.exe" \
  --ventrix "$exe64" --bare "$root/build/win64/bench/BareWindow.exe" \
  --bare-dlls "$root/build/win64/bench/BareWindowDlls.exe" \
  --bare-controls "$root/build/win64/bench/BareWindowControls.exe" --exe32 "$exe32" \
  --runs "$runs" "${quick[@]}"

echo
echo "machine: $(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)," \
  "$(/usr/lib/wine/wine64 --version); the Wine session on CPU $cpu"
echo "bench.sh: $(( $(date +%s) - begun )) s in all"
