#!/usr/bin/env bash
# Installs what is missing, builds, and starts the front-end under Wine, with the STAND-IN tool beside it
# as Quarvel.exe and a few made-up demonstration ROM files to add. The stand-in patches nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --windows-only
source "$root/scripts/wine-env.sh"

run="$root/build/run"
mkdir -p "$run" "$run/demo-roms"
cp "$run_build/bin/QuarvelFE.exe" "$run_build/bin/Quarvel.exe" "$run_build/bin/quarvel.chm" "$run/"
python3 "$root/scripts/make_demo_roms.py" "$run/demo-roms"

if [ -z "${DISPLAY:-}" ]; then
  start_virtual_display
  echo "No DISPLAY was set: the front-end runs on the virtual display $DISPLAY" \
       "(look at it with: DISPLAY=$DISPLAY xwd -root | convert xwd:- screen.png)."
  trap stop_virtual_display EXIT
fi
prepare_wine_prefix
echo "Starting $run/QuarvelFE.exe; the tool beside it is the stand-in (it patches nothing)."
echo "Demonstration ROM files to add: $run/demo-roms"
cd "$run" && wine QuarvelFE.exe
