#!/bin/bash
# Installs what building, running and testing Quirevue needs on a Debian
# machine. Quick when everything is already there: it only looks.
set -euo pipefail

packages=(
  wine wine32:i386 fonts-wine
  g++-mingw-w64-i686 libz-mingw-w64-dev
  cmake ninja-build nasm make
  xvfb xauth x11-utils xdotool imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho locales
  fp-utils googletest libgtest-dev clang zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" != 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
