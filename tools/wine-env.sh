# Sourced by the scripts that start Wine: a project-local prefix, home and
# Japanese locale, so that nothing of the machine's own Wine or home is used.
# Usage: QV_PREFIX_KIND=test|run [QV_WINE_ARCH=i686|x86_64] . tools/wine-env.sh
# Without QV_WINE_ARCH the build this machine runs is used (tools/arch.sh).
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/arch.sh"
QV_BUILD="$QV_ROOT/build"
QV_PREFIX_KIND="${QV_PREFIX_KIND:-test}"
qv_use_wine "${QV_WINE_ARCH:-$QV_RUN_ARCH}" "$QV_PREFIX_KIND" || exit 2
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$QV_BUILD/wine/locale"
# Without a generated glibc locale, Japanese file names fail under Wine.
if [ ! -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$LOCPATH"
  localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null || true
fi
# (bash itself cannot see LOCPATH yet and would warn about the locale)
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
export HOME="$QV_BUILD/wine/$QV_WINE_ARCH/home-$QV_PREFIX_KIND"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export XDG_DESKTOP_DIR="$HOME/Desktop" XDG_DOCUMENTS_DIR="$HOME/Documents"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_DESKTOP_DIR" "$XDG_DOCUMENTS_DIR"
# The print spooler the test programs see: none, unless a print test starts
# its own (tools/pdf-printer.sh) and names its socket in QV_CUPS_SERVER. So a
# test prefix has no printer whatever the machine has installed.
if [ "$QV_PREFIX_KIND" = test ]; then
  export CUPS_SERVER="${QV_CUPS_SERVER:-$QV_BUILD/no-spooler/cups.sock}"
fi
