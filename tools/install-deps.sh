#!/bin/bash
# Installs what building, running and testing Quirevue needs on a Debian
# machine. Quick when everything is already there: it only looks.
#
# Both Windows builds are always compiled. Wine's 64-bit loader is always
# installed; its 32-bit loader (wine32:i386) only where this kernel really
# starts a 32-bit program, which is asked anew on every run (tools/arch.sh).
# The print tests' spooler (CUPS with a PDF printer) is reached through each
# loader's own libcups2: amd64 always, i386 beside wine32.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  wine wine64 fonts-wine
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
  cmake ninja-build nasm make dpkg-dev xz-utils
  xvfb xauth x11-utils xdotool imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho locales
  fp-utils googletest libgtest-dev clang zip
  cups printer-driver-cups-pdf poppler-utils libcups2
)

if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

updated=0
apt_install() {
  if [ $updated = 0 ]; then $SUDO apt-get update -q; updated=1; fi
  $SUDO apt-get install -y -q --no-install-recommends "$@"
}

# The 32-bit C library first: the probe starts its loader.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
if ! installed libc6:i386; then
  echo "install-deps: installing libc6:i386"
  apt_install libc6:i386
fi

. tools/arch.sh
if qv_runs_32bit; then
  packages+=(wine32:i386 libcups2:i386)
else
  echo "install-deps: this kernel refuses 32-bit programs; wine32:i386 and libcups2:i386 are not installed and the 32-bit build will not be run here"
fi

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
apt_install "${missing[@]}"
