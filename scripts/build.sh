#!/usr/bin/env bash
# Builds the Windows program with its tests (build/windows) and the native logic tests (build/native);
# with --windows-only, only the Windows program, its help file and the stand-in tool.
# On a kernel without 32-bit support, the tests are built for 64-bit Windows too (build/windows64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"

# --windows-only (scripts/start.sh): the program, its help file and the stand-in, no tests.
programs=()
[ "${1:-}" != "--windows-only" ] || programs=(QuarvelFE QuarvelStandIn)
cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
if [ "$windows_arch" = i686 ]; then
  cmake --build "$root/build/windows" ${programs[0]:+--target "${programs[@]}"}
else
  cmake --build "$root/build/windows" --target QuarvelFE
  build_runnable_windows "${programs[@]}"
fi
if [ "${1:-}" != "--windows-only" ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native"
fi
