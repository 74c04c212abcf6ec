#!/usr/bin/env bash
# Builds Tintlet.exe for both Windows architectures (BUILD/win-x86, BUILD/win-x64) and the native tests
# (BUILD/native). The tests, helpers and the rest are built only for the architectures that run here
# (tools/arches.sh); the other Tintlet.exe is still built, and checked as data by the native tests.
#   build.sh BUILD [JOBS]
set -euo pipefail
build=${1:?build folder}
jobs=${2:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
runs=$("$here/arches.sh" "$build")

configure() {  # configure DIR [CMAKE ARGS...]
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" "$@" >/dev/null
}
configure "$build/win-x86" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
configure "$build/win-x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
cmake -S "$root" -B "$build/native" >/dev/null -DWINDOWS_BUILDS="$(cd "$build" && pwd)/win-x86;$(cd "$build" && pwd)/win-x64"

for arch in x86 x64; do
  if grep -qx "$build/win-$arch" <<<"$runs"; then
    cmake --build "$build/win-$arch" -j "$jobs" -- --no-print-directory
  else
    cmake --build "$build/win-$arch" -j "$jobs" --target Tintlet -- --no-print-directory
  fi
done
cmake --build "$build/native" -j "$jobs" -- --no-print-directory
