#!/bin/bash
# Runs every test through one CTest: the host tests of the core and, under
# Wine on a private Xvfb, the in-process and end-to-end Windows tests.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/wine-prefix.sh test || { echo "run-tests: could not prepare the Wine prefix" >&2; exit 1; }
QV_PREFIX_KIND=test . tools/wine-env.sh
cat > build/CTestTestfile.cmake <<'CTEST'
# Made by tools/run-tests.sh: host and Windows tests in one run.
subdirs("host" "win")
CTEST
# A failing GUI test leaves a screenshot here.
export QV_SCREENSHOT_DIR="$PWD/build/test-screenshots"
rm -rf "$QV_SCREENSHOT_DIR"; mkdir -p "$QV_SCREENSHOT_DIR"
# Wine's background services start with the first program and keep its
# output open: start them here, detached, so CTest sees each test end.
tools/with-display.sh --own bash -c '
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  ctest --test-dir build --output-on-failure -j2 --timeout 300 '"${CTEST_ARGS:-}"'
'
