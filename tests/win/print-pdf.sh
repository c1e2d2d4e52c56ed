#!/bin/bash
# Starts a print spooler with a PDF printer (tools/pdf-printer.sh), runs
# the PrintToPdf tests of the Windows test program against it, and stops
# it. A spooler that cannot start fails the test, saying why: the print
# tests never pass without printing.
# Usage: print-pdf.sh ARCH TESTS.exe WORK-DIR
set -u
arch=$1 tests=$2 work=$3
root="$(cd "$(dirname "$0")/../.." && pwd)"
spool="$work/spooler"
if ! vars=$("$root/tools/pdf-printer.sh" start "$spool"); then
  echo "print-pdf: FAILED: there is no print spooler, so nothing can be printed (the reason is above)"
  exit 1
fi
eval "$vars"
trap '"$root/tools/pdf-printer.sh" stop "$spool"' EXIT
shots="$work/print-shots"
rm -rf "$shots" && mkdir -p "$shots"
QV_CUPS_SERVER="$CUPS_SERVER" QV_PDF_OUT="$QV_PDF_OUT" QV_PDF_SHOTS="$shots" QV_PDF_SPOOL="$spool/spool" \
  "$root/tools/wine-run.sh" "$arch" "$tests" --gtest_filter='PrintToPdf.*'
