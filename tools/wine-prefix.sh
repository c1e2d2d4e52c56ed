#!/bin/bash
# Prepares a project-local Wine prefix once: Japanese locale, Wine's own
# fonts, IPA fonts standing in for the Japanese UI faces, and (for tests) no
# window manager and no crash dialog. Later calls only check the stamp.
# Usage: [QV_WINE_ARCH=i686|x86_64] tools/wine-prefix.sh test|run
set -euo pipefail
QV_PREFIX_KIND="${1:-test}"
. "$(dirname "$0")/wine-env.sh"

stamp="$WINEPREFIX/.quirevue-prefix-v1"
[ -f "$stamp" ] && exit 0

echo "wine-prefix: preparing $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
qv_wine wineboot.exe -i >/dev/null 2>&1
qv_wineserver -w

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
cp -f /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true

reg="$WINEPREFIX/quirevue.reg"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for f in "MS UI Gothic" "ＭＳ Ｐゴシック" "MS PGothic"; do printf '"%s"="IPAPGothic"\r\n' "$f"; done
  for f in "ＭＳ ゴシック" "MS Gothic"; do printf '"%s"="IPAGothic"\r\n' "$f"; done
  for f in "ＭＳ 明朝" "MS Mincho"; do printf '"%s"="IPAMincho"\r\n' "$f"; done
  for f in "ＭＳ Ｐ明朝" "MS PMincho"; do printf '"%s"="IPAPMincho"\r\n' "$f"; done
  printf '\r\n'
  if [ "$QV_PREFIX_KIND" != run ]; then
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
  fi
} | iconv -f UTF-8 -t UTF-16 > "$reg"
qv_wine regedit.exe /S "$reg" >/dev/null 2>&1
qv_wineserver -w
touch "$stamp"
