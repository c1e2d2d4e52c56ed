#!/bin/bash
# Makes a few files immutable from Linux (so that not even root can rename
# or change them), runs the Immutable tests of the Windows test program on
# them, and makes them changeable again.
# Usage: immutable.sh ARCH TESTS.exe WORK-DIR
set -u
arch=$1 tests=$2 work=$3
root="$work/immutable"
chattr -R -i "$root" 2>/dev/null
rm -rf "$root" && mkdir -p "$root" || exit 1
make() { for f in "$@"; do mkdir -p "$(dirname "$root/$f")"; printf '%s' "$(basename "$f")" > "$root/$f"; done; }
make outsider/a.txt outsider/b.txt outsider/c.txt outsider/x2.txt \
     selected/a.txt selected/b.txt selected/c.txt \
     attributes/f1 attributes/f2 attributes/d/g attributes/d/h \
     dates/f1 dates/f2 dates/d/g \
     transfer/from/a.txt transfer/from/b.txt transfer/from/c.txt
mkdir -p "$root/transfer/locked"
locked=(outsider/x2.txt selected/b.txt attributes/f2 attributes/d/g dates/f2 transfer/locked)
for f in "${locked[@]}"; do
  if ! chattr +i "$root/$f" 2>/dev/null; then
    echo "immutable: this file system cannot make a file immutable here; skipped"
    chattr -R -i "$root" 2>/dev/null
    rm -rf "$root"
    exit 77
  fi
done
trap 'chattr -R -i "$root"; rm -rf "$root"' EXIT
QV_IMMUTABLE_DIR="Z:${root//\//\\}" "$(dirname "$0")/../../tools/wine-run.sh" "$arch" "$tests" \
  --gtest_filter=Immutable.*
