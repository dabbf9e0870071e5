#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native logic tests under the sanitizers,
# then the Windows tests under Wine on a virtual display of their own. Screenshots go to
# build/screenshots (or $QUARVEL_SCREENSHOTS). Where the kernel cannot run 32-bit programs, the Windows
# tests run the 64-bit build, and the shipped 32-bit program gets a smoke test of its own afterwards
# (scripts/smoke32.sh, alone, as it is slow).
#
# The i386 packages (Wine's 32-bit loader) come apart from the rest: where they cannot be installed,
# everything that can run without them runs, and the run then fails with one line that says what could
# not be installed and why. Where the kernel runs 32-bit programs, every Windows test needs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
hold_test_lock
"$root/scripts/install-deps.sh" start test
i386_problem=""
i386_output=$("$root/scripts/install-deps.sh" i386 2>&1) || i386_problem=$(tail -n1 <<<"$i386_output")
[ -z "$i386_output" ] || echo "$i386_output"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

export QUARVEL_SCREENSHOTS="${QUARVEL_SCREENSHOTS:-$root/build/screenshots}"
mkdir -p "$QUARVEL_SCREENSHOTS"

echo "== Native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$root/build/native" --output-on-failure

status=0
if [ -n "$i386_problem" ] && kernel_runs_32bit_programs; then
  echo "== Windows tests under Wine: not run: this kernel runs 32-bit programs, and they need the i386 packages, which could not be installed"
else
  echo "== Windows tests under Wine"
  start_virtual_display
  trap stop_virtual_display EXIT
  prepare_wine_prefix
  ctest --test-dir "$run_build" --output-on-failure --timeout 300 || status=$?
  stop_virtual_display
  trap - EXIT
fi

if [ "$windows_arch" = x86_64 ] && [ -z "$i386_problem" ]; then
  echo "== The shipped 32-bit program under an emulator"
  "$root/scripts/smoke32.sh" || status=$?
fi

if [ -n "$i386_problem" ]; then
  if kernel_runs_32bit_programs; then
    echo "FAILED: $i386_problem; this kernel runs 32-bit programs, so every Windows test needs it and none ran"
  else
    echo "FAILED: $i386_problem; so the 32-bit smoke test (scripts/smoke32.sh) did not run, everything else did"
  fi
  exit 1
fi
exit "$status"
