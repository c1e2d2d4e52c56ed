#!/bin/bash
# Runs a Windows program of one build under the project's test prefix (CTest
# uses it as the emulator of each cross build).
# Usage: tools/wine-run.sh i686|x86_64 program.exe args...
QV_WINE_ARCH="$1"; shift
QV_PREFIX_KIND="${QV_PREFIX_KIND:-test}"
. "$(dirname "$0")/wine-env.sh"
exec "$WINELOADER" "$@"
