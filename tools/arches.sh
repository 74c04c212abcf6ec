#!/usr/bin/env bash
# Prints the Windows build folders to run under Wine here, one a line: BUILD/win-x86, BUILD/win-x64.
# ARCH (x86, x64 or all) chooses; without it, the x86 build where this machine executes 32-bit
# programs, else the x64 one. --one prints only the first, for the commands that start one program.
#   arches.sh [--one] BUILD
set -euo pipefail
one=0
[ "${1:-}" = --one ] && { one=1; shift; }
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
can32=0
"$here/runs-32bit.sh" && can32=1
case ${ARCH:-} in
  "") [ $can32 = 1 ] && list="x86" || list="x64" ;;
  x86 | x64) list=$ARCH ;;
  all) list="x86 x64" ;;
  *) echo "ARCH is x86, x64 or all, not '$ARCH'" >&2; exit 2 ;;
esac
for arch in $list; do
  if [ "$arch" = x86 ] && [ $can32 = 0 ]; then
    echo "this machine cannot execute 32-bit programs, so the x86 build cannot run here: use ARCH=x64" >&2
    exit 1
  fi
  echo "$build/win-$arch"
  [ $one = 1 ] && break
done
exit 0
