#!/usr/bin/env bash
# Builds the release front-end and the benchmarks (build/windows, or build/windows64 where only 64-bit programs run), runs them under Wine on a virtual
# display of their own and prints one table: each figure against its bare limit measured in the same run.
# Also written to build/bench/results.md. QUARVEL_BENCH_BUILD names another build folder. Takes a few
# minutes; set BENCH_QUICK=1 for fewer repetitions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
build="${QUARVEL_BENCH_BUILD:-$run_build}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$windows_arch.cmake" >/dev/null
cmake --build "$build" --target benchmarks

start_virtual_display
trap stop_virtual_display EXIT
prepare_wine_prefix
wineserver -p5  # one server for the whole run, so no measured start pays for starting it

if [ "${BENCH_QUICK:-}" = 1 ]; then starts=5 adds=1 batches=1; else starts=21 adds=3 batches=2; fi
mkdir -p "$root/build/bench"
results="$root/build/bench/results.md"
bin="$build/bin"
{
  echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(free -h | awk '/^Mem:/ {print $2}') memory, $(wine --version), $(date -u +%Y-%m-%d)"
  echo
  echo "| What | Front-end | Bare limit | Ratio | Goal | |"
  echo "| --- | --- | --- | --- | --- | --- |"
} >"$results"
cat "$results"
run() { (cd "$bin" && wine "$@") | tee -a "$results"; }
run startup_bench.exe "$starts"
run inprocess_bench.exe add "$adds"
run inprocess_bench.exe batch "$batches"
run inprocess_bench.exe memory
echo
echo "Written to $results"
