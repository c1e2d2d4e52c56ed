# Sourced by every script that builds for, or starts, Wine: the one place
# that knows which Windows builds exist, which of them this machine can run,
# and which Wine loader and prefix belong to each.
#
# Some kernels refuse 32-bit programs altogether, and a kept work tree can
# land on either sort of machine, so the answer is found by starting a real
# 32-bit program every time, never cached and never read off package state.
#
#   QV_ARCH=i686|x86_64   forces the choice (both for tests and for running)
#
# After sourcing:
#   QV_ARCHES_BUILT   the builds to compile (both, or the forced one)
#   QV_ARCHES_RUN     the builds to test here
#   QV_RUN_ARCH       the build `make run` and `make bench` start
#   QV_NOT_RUN_WHY    why the 32-bit build is not run here (empty when it is)
# and the functions below.

QV_ROOT="${QV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
QV_ALL_ARCHES="i686 x86_64"

# Whether this kernel starts 32-bit programs: really start one.
qv_runs_32bit() {
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

qv_check_arch() {
  case "$1" in
    i686|x86_64) return 0 ;;
    *) echo "QV_ARCH must be i686 or x86_64, not '$1'" >&2; return 1 ;;
  esac
}

QV_NOT_RUN_WHY=
if [ -n "${QV_ARCH:-}" ]; then
  qv_check_arch "$QV_ARCH" || exit 2
  QV_ARCHES_BUILT="$QV_ARCH"
  QV_ARCHES_RUN="$QV_ARCH"
  QV_RUN_ARCH="$QV_ARCH"
elif qv_runs_32bit; then
  QV_ARCHES_BUILT="$QV_ALL_ARCHES"
  QV_ARCHES_RUN="$QV_ALL_ARCHES"
  QV_RUN_ARCH=i686
else
  QV_ARCHES_BUILT="$QV_ALL_ARCHES"
  QV_ARCHES_RUN=x86_64
  QV_RUN_ARCH=x86_64
  QV_NOT_RUN_WHY="this machine's kernel refuses 32-bit programs (/lib/ld-linux.so.2 --version failed)"
fi

# The CMake build folder of one architecture.
qv_build_dir() { echo "$QV_ROOT/build/win-$1"; }

# The mingw tool prefix of one architecture.
qv_mingw() { echo "$1-w64-mingw32"; }

# Sets the Wine variables for one architecture and prefix kind (test, run):
# the loader is chosen here, never by the `wine` wrapper, which takes the
# 32-bit loader whenever it is installed, even where it cannot run.
qv_use_wine() {
  local arch=$1 kind=${2:-test}
  qv_check_arch "$arch" || return 1
  export QV_WINE_ARCH="$arch"
  if [ "$arch" = i686 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
  # The 64-bit server serves both kinds of prefix; the 32-bit one is the
  # only one there is where wine64 is missing.
  if [ -x /usr/lib/wine/wineserver64 ]; then
    export WINESERVER=/usr/lib/wine/wineserver64
  else
    export WINESERVER=/usr/lib/wine/wineserver32
  fi
  export WINEPREFIX="$QV_ROOT/build/wine/$arch/prefix-$kind"
}

# Starts a Windows program (or one of Wine's: wineboot, regedit, cmd) with
# the chosen loader.
qv_wine() { "$WINELOADER" "$@"; }
qv_wineserver() { "$WINESERVER" "$@"; }
