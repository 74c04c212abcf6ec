#!/usr/bin/env bash
# The downloads: DIST/Tintlet-VERSION-x86.zip and -x64.zip, each with that build's Tintlet.exe (the tested
# program without its debugging sections) and the readme for a Windows user (CR LF line ends), and
# DIST/SHA256SUMS over both. The zips hold fixed
# timestamps, so the same executables give the same zips.
#   dist.sh BUILD DIST
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "${2:?dist folder}"
dist=$(cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/win-x86/CMakeCache.txt")
[ -n "$version" ] || { echo "dist: no version in $build/win-x86/CMakeCache.txt" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

zips=()
for arch in x86 x64; do
  exe=$build/win-$arch/Tintlet.exe
  [ -f "$exe" ] || { echo "dist: $exe is missing" >&2; exit 1; }
  mkdir -p "$tmp/$arch"
  triplet=$([ $arch = x86 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  "$triplet-strip" --strip-debug -o "$tmp/$arch/Tintlet.exe" "$exe"
  sed 's/$/\r/' "$here/../res/readme.txt" >"$tmp/$arch/readme.txt"
  touch -d '2000-01-01 00:00:00 UTC' "$tmp/$arch/Tintlet.exe" "$tmp/$arch/readme.txt"
  zip="Tintlet-$version-$arch.zip"
  rm -f "$dist/$zip"
  (cd "$tmp/$arch" && TZ=UTC zip -q -X -9 "$dist/$zip" Tintlet.exe readme.txt)
  zips+=("$zip")
done
(cd "$dist" && sha256sum "${zips[@]}" >SHA256SUMS)
echo "dist: $(cd "$dist" && ls "${zips[@]}" SHA256SUMS | sed "s|^|$dist/|" | tr '\n' ' ')"
