#!/bin/bash
# Makes a folder holding the program and a settings file immutable (so that
# not even root can create a file in it), runs the read-only-folder test of
# the driver against it, and makes it writable again.
# Usage: read-only-folder.sh ARCH DRIVER.exe Quirevue.exe FIXTURE.qvs WORK-DIR
set -u
arch=$1 driver=$2 program=$3 fixture=$4 work=$5
folder="$work/read-only-folder"
chattr -i "$folder" 2>/dev/null
rm -rf "$folder" && mkdir -p "$folder" || exit 1
cp "$program" "$folder/Quirevue.exe" && cp "$fixture" "$folder/Quirevue.qvs" || exit 1
if ! chattr +i "$folder" 2>/dev/null; then
  echo "read-only-folder: this file system cannot make a folder immutable here; skipped"
  rm -rf "$folder"
  exit 77
fi
trap 'chattr -i "$folder"; rm -rf "$folder"' EXIT
QV_READONLY_FOLDER="$folder" "$(dirname "$0")/../../tools/wine-run.sh" "$arch" "$driver" \
  --gtest_filter=ReadOnlyFolder.* --exe="$program"
