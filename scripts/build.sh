#!/usr/bin/env bash
# Builds the Windows program with its tests (build/windows) and the native logic tests (build/native).
# On a kernel without 32-bit support, the tests are built for 64-bit Windows too (build/windows64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"

cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
if [ "$windows_arch" = i686 ]; then
  cmake --build "$root/build/windows"
else
  cmake --build "$root/build/windows" --target QuarvelFE
  build_runnable_windows
fi
if [ "${1:-}" != "--windows-only" ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native"
fi
