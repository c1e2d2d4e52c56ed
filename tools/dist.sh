#!/bin/bash
# Packs what a Windows user needs into build/dist/Quirevue.zip: the 32-bit
# program in Quirevue\ and the 64-bit one in Quirevue\x64\, each with its
# own help file and plug-ins beside it (the program finds them through its own path,
# so the two sets never mix). No settings file is shipped.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
rm -rf build/dist && mkdir -p build/dist/Quirevue
pack() {
  local arch=$1 dest=$2 win
  win=$(qv_build_dir "$arch")
  mkdir -p "$dest"
  "$(qv_mingw "$arch")-strip" -o "$dest/Quirevue.exe" "$win/Quirevue.exe"
  [ -f "$win/Quirevue.chm" ] && cp "$win/Quirevue.chm" "$dest/"
  # The default plug-in folder is the program's own.
  if compgen -G "$win/*.sp[ih]" >/dev/null; then cp "$win"/*.sp[ih] "$dest/"; fi
  return 0
}
pack i686 build/dist/Quirevue
pack x86_64 build/dist/Quirevue/x64
cp README.md build/dist/Quirevue/README.txt
(cd build/dist && rm -f Quirevue.zip && zip -qr Quirevue.zip Quirevue)
echo "dist: build/dist/Quirevue.zip"
