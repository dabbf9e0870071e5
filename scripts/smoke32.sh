#!/usr/bin/env bash
# Smoke test of the shipped 32-bit program, for a machine whose kernel cannot run 32-bit programs (where
# every other Windows test runs the 64-bit build). It runs the 32-bit end-to-end driver on one batch
# scenario: it starts a copy of the built QuarvelFE.exe with the 32-bit stand-in beside it as Quarvel.exe,
# adds two files through the real open dialog, runs a batch, checks each row's result and the tool's
# command lines, and closes the program. The 32-bit window tests of the manifest show that the 32-bit
# loader accepts it (UTF-8 as the code page, the version 6 common controls).
#
# 32-bit code runs here through qemu-i386-static, which the kernel hands 32-bit x86 ELF programs to by a
# binfmt_misc entry. That entry is made in a private binfmt_misc of this script's own user and mount
# namespace (Linux 6.7 and later give one to every user namespace that mounts it), so nothing outside
# the smoke test ever sees it, and it ends with the namespace; the script still removes it on every
# path. Where that cannot be had, or where the machine runs 32-bit programs already, it says why in one
# line and skips.
#
# Each start of a 32-bit process takes about a minute under the emulator, so the scenario's waits are
# stretched (QUARVEL_WAIT_SCALE) and one wineserver runs for the whole smoke test. The Wine prefix
# (build/wineprefix-smoke32, a 64-bit one whose own services run natively) is made once, then reused.
# Runs after scripts/build.sh (scripts/test.sh calls both).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
binfmt=/proc/sys/fs/binfmt_misc
binfmt_name=quarvel-i386
i686_bin="$root/build/windows/bin"

skip() {
  echo "== 32-bit smoke test skipped: $*"
  exit 0
}

seconds_since() { echo $(($(date +%s) - $1)); }

if [ "${1:-}" != --in-namespace ]; then
  if runs_32bit_programs; then
    skip "this machine runs 32-bit programs already, so the whole suite runs the 32-bit build"
  fi
  if [ ! -x /usr/bin/qemu-i386-static ]; then
    echo "qemu-i386-static is missing: scripts/install-deps.sh installs it (package qemu-user-static)" >&2
    exit 1
  fi
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "Wine's 32-bit loader is missing: scripts/install-deps.sh i386 installs it (package wine32:i386)" >&2
    exit 1
  fi
  if ! unshare --user --map-root-user --mount sh -c "mount -t binfmt_misc binfmt_misc $binfmt" 2>/dev/null; then
    skip "binfmt_misc cannot be mounted in a user namespace of its own (Linux 6.7 and later allow it)"
  fi
  echo "== 32-bit smoke test: building the 32-bit stand-in and test drivers"
  cmake --build "$root/build/windows" --target QuarvelFE QuarvelStandIn e2e_tests window_tests
  cmp -s "$i686_bin/QuarvelFE.exe" "$root/build/windows/windows/QuarvelFE.exe" ||
    { echo "build/windows/bin/QuarvelFE.exe is not the shipped program" >&2; exit 1; }
  started=$(date +%s)
  status=0
  unshare --user --map-root-user --mount bash "$0" --in-namespace || status=$?
  if [ -e "$binfmt/$binfmt_name" ] || runs_32bit_programs; then
    echo "32-bit programs still run outside the smoke test: an emulator entry was left behind" >&2
    exit 1
  fi
  echo "== 32-bit smoke test: $( ((status == 0)) && echo passed || echo FAILED) in $(seconds_since "$started") s;" \
       "no i386 binfmt entry left outside it"
  exit "$status"
fi

# From here on, inside the private namespace.
entry="$binfmt/$binfmt_name"
cleanup() {
  stop_virtual_display
  if [ -e "$entry" ]; then echo -1 >"$entry"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# The end-to-end driver reads the program's list and status bar through memory in the program's process,
# which Wine does at the addresses the 32-bit code uses; so the emulator must place 32-bit memory at those
# same addresses (guest base 0, "-B 0"). It can do so only above the lowest address the kernel hands out
# for a hint, which here is 64 KiB, while /proc/sys/vm/mmap_min_addr says 4 KiB: the namespace's own copy
# of that file says 64 KiB.
work="$root/build/smoke32"
mkdir -p "$work"
echo $((65536 > $(cat /proc/sys/vm/mmap_min_addr) ? 65536 : $(cat /proc/sys/vm/mmap_min_addr))) >"$work/mmap_min_addr"
mount --bind "$work/mmap_min_addr" /proc/sys/vm/mmap_min_addr
printf '#!/bin/sh\nexec /usr/bin/qemu-i386-static -B 0 "$@"\n' >"$work/qemu-i386"
chmod +x "$work/qemu-i386"

mount -t binfmt_misc binfmt_misc "$binfmt"
# 32-bit x86 ELF executables and shared objects (e_type 2 or 3, e_machine 3); F opens the emulator now.
printf '%s' ":$binfmt_name:M::"\
'\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:'\
'\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'\
"$work/qemu-i386:F" >"$binfmt/register"
/usr/lib/wine/wine --version >/dev/null

export WINEPREFIX="$root/build/wineprefix-smoke32"
export QUARVEL_SCREENSHOTS="$root/build/screenshots/smoke32"
mkdir -p "$QUARVEL_SCREENSHOTS"
start_virtual_display
step=$(date +%s)
[ -f "$WINEPREFIX/.quarvel-ready-3" ] || echo "The 32-bit half of a new prefix runs under the emulator: several minutes."
prepare_wine_prefix
echo "Wine prefix ready after $(seconds_since "$step") s"
# One wineserver for the whole smoke test, its session started by a 64-bit program, which runs natively.
wineserver -p
wine cmd /c exit
export QUARVEL_WAIT_SCALE=20

# Runs a 32-bit test program and says how it went; a program the loader refuses prints nothing itself.
run_32bit() {
  local step status=0
  step=$(date +%s)
  wine "$@" || status=$?
  echo "$(basename "$1"): $( ((status == 0)) && echo passed || echo "FAILED with exit code $status")" \
       "in $(seconds_since "$step") s"
  return "$status"
}

run_32bit "$i686_bin/window_tests.exe" --gtest_filter='Manifest.*'
run_32bit "$i686_bin/e2e_tests.exe" --gtest_filter='Batches.PatchAllRunsTheToolForEachRowAndShowsTheOutcomes'
