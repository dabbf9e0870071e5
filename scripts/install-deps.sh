#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root; does nothing when all is there.
#   scripts/install-deps.sh [start] [test] [i386]      (no set named: all three)
# start: what scripts/start.sh runs: the build, Wine's 64-bit loader, a virtual display and a VNC server on it.
# test:  what only the tests add.
# i386:  Wine's 32-bit loader, which only the 32-bit path needs (and which needs the i386 architecture).
# A mirror out of step may serve the 64-bit packages and not the i386 ones, so "apt-get update" is retried
# and, should it still fail, what the mirror serves is installed anyway. When a set cannot be installed,
# the script ends with status 1 and its last line on stderr says what and why.
set -euo pipefail

# g++ compiles the artwork generator, which runs on the build machine.
start_packages=(
  cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 fp-utils python3
  wine wine64 fonts-wine fonts-wqy-microhei
  xvfb x11-utils x11vnc
)
test_packages=(
  googletest clang libclang-rt-14-dev
  xauth x11-apps imagemagick python3-xlib zip unzip qemu-user-static
)
# QUARVEL_I386_PACKAGES names other packages for this set (to try a set-up where it cannot be had).
read -ra i386_packages <<<"${QUARVEL_I386_PACKAGES:-wine32:i386}"

sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(start test i386)

wanted=()
for set in "${sets[@]}"; do
  case "$set" in
    start) wanted+=("${start_packages[@]}") ;;
    test) wanted+=("${test_packages[@]}") ;;
    i386) wanted+=("${i386_packages[@]}") ;;
    *) echo "install-deps.sh: unknown set \"$set\" (start, test or i386)" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
update_error=""
for attempt in 1 2 3 4; do
  if update_output=$(apt-get update -qq --error-on=any 2>&1); then update_error=""; break; fi
  update_error=$(grep -m1 '^E:' <<<"$update_output" || tail -n1 <<<"$update_output")
  echo "apt-get update failed (attempt $attempt of 4): $update_error" >&2
  [ "$attempt" -lt 4 ] && sleep "${QUARVEL_APT_RETRY_PAUSE:-15}"
done
[ -z "$update_error" ] || echo "Going on with the package lists as they are." >&2

if ! install_output=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" 2>&1); then
  echo "$install_output" >&2
  reason=$(grep -m1 '^E:' <<<"$install_output" || tail -n1 <<<"$install_output")
  echo "Could not install ${missing[*]}: ${reason}${update_error:+ (after apt-get update failed: $update_error)}" >&2
  exit 1
fi
