#!/usr/bin/env bash
# Builds the libFuzzer targets natively with clang (build/fuzz) and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 60]. Corpora grow in build/fuzz/corpus/<target>,
# starting from tests/fuzz/seeds; a crash leaves its input in build/fuzz/crashes and fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="$root/build/fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzzers

mkdir -p "$build/crashes"
failed=0
for fuzzer in "$build"/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  [ -d "$root/tests/fuzz/seeds/$name" ] && cp -n "$root/tests/fuzz/seeds/$name"/* "$corpus/" 2>/dev/null || true
  echo "== $name for ${seconds} s"
  if "$fuzzer" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$build/crashes/$name-" -print_final_stats=1 >"$build/$name.log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^#[0-9]+ *DONE' "$build/$name.log" || true
  else
    echo "$name FAILED: see $build/$name.log and $build/crashes/"
    tail -n 30 "$build/$name.log"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "All fuzzers ran ${seconds} s each without a crash"
exit "$failed"
