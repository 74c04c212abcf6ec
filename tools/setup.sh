#!/usr/bin/env bash
# Installs what building and testing Tintlet needs on Debian 12, as root.
# Idempotent and quiet: a second run with everything present does nothing.
# wine64 always; wine32 (and the i386 architecture it comes from) only where this machine executes
# 32-bit programs, which is found out by running one once the host's binutils are there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make g++ binutils git
  mingw-w64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  xvfb xdotool xclip x11-utils imagemagick zip
  googletest
  clang libclang-rt-14-dev  # make fuzz: libFuzzer, which clang only recommends
)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

updated=0
install() {
  [ $# -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: these packages are missing and installing them needs root: $*" >&2
    exit 1
  fi
  echo "setup: installing $*"
  export DEBIAN_FRONTEND=noninteractive
  [ $updated = 1 ] || apt-get update -qq
  updated=1
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

mapfile -t need < <(missing "${packages[@]}")
install "${need[@]}"

if "$here/runs-32bit.sh"; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    [ "$(id -u)" -eq 0 ] || { echo "setup: adding the i386 architecture needs root" >&2; exit 1; }
    dpkg --add-architecture i386
    updated=0
  fi
  mapfile -t need < <(missing wine32:i386)
  install "${need[@]}"
fi
