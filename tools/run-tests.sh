#!/bin/bash
# Runs every test: the host tests of the core, then, for each Windows build
# this machine can run, its in-process and end-to-end tests under Wine on a
# private Xvfb (one CTest run per build, each with its own prefix).
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
if [ -n "$QV_NOT_RUN_WHY" ]; then
  echo "run-tests: the 32-bit build was compiled but is not run here: $QV_NOT_RUN_WHY; testing the 64-bit build"
fi
# A failing GUI test leaves a screenshot here.
export QV_SCREENSHOT_DIR="$PWD/build/test-screenshots"
rm -rf "$QV_SCREENSHOT_DIR"; mkdir -p "$QV_SCREENSHOT_DIR"
# The check that both builds write the same settings file runs in the
# 64-bit prefix, which starts 32-bit programs too where the kernel does.
unset QV_EXE_I686
if [[ " $QV_ARCHES_RUN " == *" i686 "* && " $QV_ARCHES_RUN " == *" x86_64 "* ]]; then
  export QV_EXE_I686="$(qv_build_dir i686)/Quirevue.exe"
fi

status=0
host="\"$PWD/build/host\""
for arch in $QV_ARCHES_RUN; do
  echo "run-tests: $arch build"
  if ! QV_WINE_ARCH=$arch tools/wine-prefix.sh test; then
    echo "run-tests: could not prepare the Wine prefix for the $arch build" >&2
    status=1
    continue
  fi
  dir="build/ctest-$arch"
  mkdir -p "$dir"
  cat > "$dir/CTestTestfile.cmake" <<CTEST
# Made by tools/run-tests.sh: the host tests (once) and one Windows build.
subdirs($host "$(qv_build_dir "$arch")")
CTEST
  host=
  # Wine's background services start with the first program and keep its
  # output open: start them here, detached, so CTest sees each test end.
  (
    export QV_WINE_ARCH=$arch QV_PREFIX_KIND=test
    . tools/wine-env.sh
    tools/with-display.sh --own bash -c '
      "$WINESERVER" -p >/dev/null 2>&1 </dev/null
      "$WINELOADER" cmd.exe /c exit >/dev/null 2>&1 </dev/null
      ctest --test-dir "'"$dir"'" --output-on-failure -j2 --timeout 300 '"${CTEST_ARGS:-}"'
    '
  ) || status=1
done
exit $status
