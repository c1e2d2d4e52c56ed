#!/bin/bash
# Screenshots of each dialog (and the splash window) under Xvfb, for looking at them:
# build/dialog-shots/<name>.png. Usage: tools/dialog-shots.sh [arch]
# QV_SHOT_SET=menu takes the shell context menu instead:
# build/menu-shots/menu.png.
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
arch=${1:-$QV_RUN_ARCH}
if [ "${QV_SHOT_SET:-}" = menu ]; then
  out="$PWD/build/menu-shots" filter='ShellPopupMenuTest.DISABLED_Shot' names=menu
else
  out="$PWD/build/dialog-shots" filter='DialogShots.*' names='filters rename datetime attributes sequence report newshortcut splash version support filereport filereport3'
fi
rm -rf "$out" && mkdir -p "$out"
QV_WINE_ARCH=$arch tools/wine-prefix.sh test || exit 1
# The test reads the folder as a Windows path (Z: is the Unix root).
export QV_WINE_ARCH=$arch QV_PREFIX_KIND=test QV_SHOT_DIR="Z:${out//\//\\}" SHOTS="$out"
. tools/wine-env.sh
tools/with-display.sh --own bash -c '
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$WINELOADER" cmd.exe /c exit >/dev/null 2>&1 </dev/null
  "$WINELOADER" "'"$(qv_build_dir "$arch")"'/tests/win/qv_win_tests.exe" \
    --gtest_also_run_disabled_tests --gtest_filter='"$filter"' >"$SHOTS/run.log" 2>&1 </dev/null &
  for name in '"$names"'; do
    for _ in $(seq 300); do [ -e "$SHOTS/$name.ready" ] && break; sleep 0.1; done
    import -window root "$SHOTS/$name.png" && echo "dialog-shots: $SHOTS/$name.png"
    touch "$SHOTS/$name.done"
  done
  wait'
