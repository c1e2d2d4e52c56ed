#!/bin/bash
# Runs every benchmark; each prints its figures as ratios against a floor
# measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
for b in build/bench/bench/*_bench; do
  [ -x "$b" ] && "$b"
done
