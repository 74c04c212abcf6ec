#!/usr/bin/env bash
# Installs what building and testing Tintlet needs on Debian 12, as root.
# Idempotent and quiet: a second run with everything present does nothing.
set -euo pipefail

packages=(
  cmake make g++ git
  mingw-w64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xdotool xclip x11-utils imagemagick
  googletest
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
