#!/bin/bash
# Starts Quirevue under Wine with the project's own prefix, beside a copy of
# the program in build/run (so its settings file lands there too).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wine-prefix.sh run
QV_PREFIX_KIND=run . tools/wine-env.sh
mkdir -p build/run
cp -f build/win/Quirevue.exe build/run/
echo "run: starting build/run/Quirevue.exe (settings: build/run/Quirevue.qvs)"
exec tools/with-display.sh wine build/run/Quirevue.exe
