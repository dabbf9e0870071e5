#!/usr/bin/env bash
# Builds the Windows program with its tests (build/windows) and the native logic tests (build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/windows"
if [ "${1:-}" != "--windows-only" ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native"
fi
