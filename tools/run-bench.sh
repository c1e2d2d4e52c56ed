#!/bin/bash
# Runs every benchmark; each prints its figures as ratios against a floor
# measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
for b in build/bench/bench/*_bench; do
  [ -x "$b" ] && "$b"
done

# The Windows layer's benchmarks run under Wine; their test folders stay in
# the prefix between runs.
if [ -x build/win/bench/win/shell_bench.exe ]; then
  tools/wine-prefix.sh test
  tools/with-display.sh --own bash -c '
    QV_PREFIX_KIND=test . tools/wine-env.sh
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    wine build/win/bench/win/shell_bench.exe > build/shell_bench.out 2>&1 </dev/null
    cat build/shell_bench.out'
fi
