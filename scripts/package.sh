#!/usr/bin/env bash
# Builds the 32-bit release program and its help file, and packs them for Windows users into
# build/QuarvelFE-<version>.zip, the version being the CMake project's: QuarvelFE.exe, quarvel.chm,
# README.txt and LICENSE.txt. Prints the archive's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --windows-only >&2

windows="$root/build/windows"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
[ -n "$version" ] || { echo "No project version in $windows/CMakeCache.txt" >&2; exit 1; }

stage="$root/build/package/QuarvelFE-$version"
archive="$root/build/QuarvelFE-$version.zip"
rm -rf "$stage" "$archive"
mkdir -p "$stage"
cp "$windows/windows/QuarvelFE.exe" "$windows/windows/quarvel.chm" "$stage/"
# Plain text for Windows: CRLF line ends, so that every editor there shows the lines.
sed 's/\r*$/\r/' "$root/resources/README-windows.txt" >"$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
(cd "$stage" && zip -q -X "$archive" QuarvelFE.exe quarvel.chm README.txt LICENSE.txt)
echo "$archive"
