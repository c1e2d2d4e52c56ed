#!/bin/bash
# Packs what a Windows user needs into build/dist/Quirevue.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/dist && mkdir -p build/dist/Quirevue
i686-w64-mingw32-strip -o build/dist/Quirevue/Quirevue.exe build/win/Quirevue.exe
for f in build/win/Quirevue.chm build/win/plugins/*.spi; do
  [ -f "$f" ] && cp "$f" build/dist/Quirevue/
done
cp README.md build/dist/Quirevue/README.txt
(cd build/dist && rm -f Quirevue.zip && zip -qr Quirevue.zip Quirevue)
echo "dist: build/dist/Quirevue.zip"
