#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root; does nothing when all is there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine32:i386 wine64 fonts-wine fonts-wqy-microhei
          xvfb xauth x11-utils x11-apps imagemagick python3 python3-xlib clang libclang-rt-14-dev
          fp-utils zip unzip qemu-user-static)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
