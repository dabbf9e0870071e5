#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native logic tests under the sanitizers,
# then the Windows tests under Wine on a virtual display of their own. Screenshots go to
# build/screenshots (or $QUARVEL_SCREENSHOTS). Where the kernel cannot run 32-bit programs, the Windows
# tests run the 64-bit build, and the shipped 32-bit program gets a smoke test of its own afterwards
# (scripts/smoke32.sh, alone, as it is slow).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

export QUARVEL_SCREENSHOTS="${QUARVEL_SCREENSHOTS:-$root/build/screenshots}"
mkdir -p "$QUARVEL_SCREENSHOTS"

echo "== Native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$root/build/native" --output-on-failure

echo "== Windows tests under Wine"
start_virtual_display
trap stop_virtual_display EXIT
prepare_wine_prefix
status=0
ctest --test-dir "$run_build" --output-on-failure --timeout 300 || status=$?
stop_virtual_display
trap - EXIT

if [ "$windows_arch" = x86_64 ]; then
  echo "== The shipped 32-bit program under an emulator"
  "$root/scripts/smoke32.sh" || status=$?
fi
exit "$status"
