#!/usr/bin/env bash
# Installs what is missing of what it runs, builds, and starts the front-end under Wine, with the STAND-IN
# tool beside it as Quarvel.exe and a few made-up demonstration ROM files to add. The stand-in patches nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# QUARVEL_START_BUILT=1 skips installing and building, for a caller that has built the programs already: the
# test of this script runs from CTest, and a build now would reconfigure the tree that CTest is running from.
built=${QUARVEL_START_BUILT:-}
i386_missing=no
if [ "$built" != 1 ]; then
  "$root/scripts/install-deps.sh" start
  # Wine's 32-bit loader only where the kernel runs 32-bit programs; elsewhere, or when it cannot be had,
  # the program runs from the 64-bit build. (The probe runs in a subshell: wine-env.sh is read for real
  # only once Wine is installed, as it chooses the build and the prefix by what it finds.)
  if (source "$root/scripts/wine-env.sh" && kernel_runs_32bit_programs); then
    "$root/scripts/install-deps.sh" i386 || i386_missing=yes
  fi
fi
source "$root/scripts/wine-env.sh"
# A Wine prefix apart from the tests' one: a test run ends the Wine of its prefix (wineserver -k) when it stops,
# which would close a front-end started here. QUARVEL_START_PREFIX names another (the test of this script has
# one, so that it leaves alone a front-end that a person started here).
export WINEPREFIX="${QUARVEL_START_PREFIX:-$root/build/wineprefix-start-$windows_arch}"
if [ "$i386_missing" = yes ] && [ "$windows_arch" = x86_64 ]; then
  echo "Going on without Wine's 32-bit loader: the front-end runs from the 64-bit build."
fi
[ "$built" = 1 ] || "$root/scripts/build.sh" --windows-only

run="$root/build/run"
mkdir -p "$run" "$run/demo-roms"
# Replaced, not written over: a front-end still running from here keeps the files it has open.
cp --remove-destination "$run_build/bin/QuarvelFE.exe" "$run_build/bin/Quarvel.exe" "$run_build/bin/quarvel.chm" \
   "$run/"
python3 "$root/scripts/make_demo_roms.py" "$run/demo-roms"

# Wine leaves a managed window's frame to the window manager, and the virtual display has none: there the
# front-end's windows are unmanaged, so that Wine draws their title bars itself, as Windows does. The value
# lasts only for that run; a run on a person's own display also removes one a killed run left behind.
frame_key='HKCU\Software\Wine\AppDefaults\QuarvelFE.exe\X11 Driver'
own_display=yes
if [ -z "${DISPLAY:-}" ]; then
  own_display=no
  start_virtual_display
  trap 'wine reg delete "$frame_key" /v Managed /f >/dev/null 2>&1; stop_virtual_display' EXIT
  start_vnc_server
fi
prepare_wine_prefix
if [ "$own_display" = yes ]; then
  wine reg delete "$frame_key" /v Managed /f >/dev/null 2>&1 || true
else
  wine reg add "$frame_key" /v Managed /d N /f >/dev/null
  virtual_display_hint "$DISPLAY" "$vnc_port"
fi
echo "Starting $run/QuarvelFE.exe; the tool beside it is the stand-in (it patches nothing)."
echo "Demonstration ROM files to add: $run/demo-roms"
cd "$run" && wine QuarvelFE.exe
