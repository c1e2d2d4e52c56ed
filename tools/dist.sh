#!/bin/bash
# Packs what a Windows user needs into build/dist/Quirevue.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/dist && mkdir -p build/dist/Quirevue
cp build/win/Quirevue.exe build/dist/Quirevue/
for f in build/win/Quirevue.chm build/win/plugins/*.spi; do
  [ -f "$f" ] && cp "$f" build/dist/Quirevue/
done
cp README.md build/dist/Quirevue/README.txt
(cd build/dist && rm -f Quirevue.zip && zip -qr Quirevue.zip Quirevue)
echo "dist: build/dist/Quirevue.zip"
