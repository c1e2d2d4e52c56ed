#!/bin/bash
# Starts Quirevue under Wine with the project's own prefix, beside a copy of
# the program in build/run/<arch> (so its settings file lands there too).
# The 32-bit build where this machine runs 32-bit programs, the 64-bit one
# otherwise; QV_ARCH forces either.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
arch=$QV_RUN_ARCH
QV_WINE_ARCH=$arch tools/wine-prefix.sh run
QV_WINE_ARCH=$arch QV_PREFIX_KIND=run . tools/wine-env.sh
run="build/run/$arch"
mkdir -p "$run"
cp -f "$(qv_build_dir "$arch")/Quirevue.exe" "$run/"
# The program's own folder is its default plug-in folder.
if compgen -G "$(qv_build_dir "$arch")/*.sp[ih]" >/dev/null; then cp -f "$(qv_build_dir "$arch")"/*.sp[ih] "$run/"; fi
# The help file is looked for beside the program too.
if [ -f "$(qv_build_dir "$arch")/Quirevue.chm" ]; then cp -f "$(qv_build_dir "$arch")/Quirevue.chm" "$run/"; fi
case "$arch" in
  i686) which="the 32-bit build" ;;
  *) which="the 64-bit build" ;;
esac
[ -n "$QV_NOT_RUN_WHY" ] && which="$which, because $QV_NOT_RUN_WHY"
echo "run: starting $run/Quirevue.exe, $which (settings: $run/Quirevue.qvs)"
exec tools/with-display.sh "$WINELOADER" "$run/Quirevue.exe"
