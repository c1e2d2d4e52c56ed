#!/bin/bash
# Runs every benchmark; each prints its figures as ratios against a floor
# measured in the same run. The Windows benchmarks run on the build this
# machine runs (tools/arch.sh; QV_ARCH forces one).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
for b in build/bench/bench/*_bench; do
  [ -x "$b" ] && "$b"
done

# The Windows layer's benchmarks run under Wine; their test folders stay in
# the prefix between runs.
arch=$QV_RUN_ARCH
win=$(qv_build_dir "$arch")
if [ -x "$win/bench/win/shell_bench.exe" ]; then
  echo "bench: measuring the $arch build${QV_NOT_RUN_WHY:+ ($QV_NOT_RUN_WHY)}"
  QV_WINE_ARCH=$arch tools/wine-prefix.sh test
  # The large folders are made from Linux: creating files one by one through
  # Wine slows down as a folder grows.
  data="build/wine/$arch/prefix-test/drive_c/quirevue-bench"
  for n in 10000 100000; do
    [ -f "$data/files$n/.complete" ] && continue
    rm -rf "$data/files$n" && mkdir -p "$data/files$n"
    (cd "$data/files$n" && perl -e 'for my $i (0..$ARGV[0]-1) {
        my $name = "file$i" . ($i % 3 ? ".txt" : ".dat");
        open(my $f, ">", $name) or die; truncate($f, ($i * 7919) % 100000); close($f) }' "$n")
    touch "$data/files$n/.complete"
  done
  # The start-up folder holds exactly its 100,000 files.
  if [ ! -f "$data/startup100000.complete" ]; then
    rm -rf "$data/startup100000" && mkdir -p "$data/startup100000"
    (cd "$data/startup100000" && perl -e 'for my $i (0..99999) {
        open(my $f, ">", sprintf("f%06d.dat", $i)) or die; close($f) }')
    touch "$data/startup100000.complete"
  fi
  # The copy benchmark's 10,000 small files, and its targets afresh each run.
  if [ ! -f "$data/copy10000.complete" ]; then
    rm -rf "$data/copy10000" && mkdir -p "$data/copy10000"
    (cd "$data/copy10000" && perl -e 'for my $i (0..9999) {
        open(my $f, ">", "file$i.txt") or die; print $f "x" x ($i % 512); close($f) }')
    touch "$data/copy10000.complete"
  fi
  rm -rf "$data/transfer-out"
  # The rename benchmark changes its folder: it is made afresh each run.
  rm -rf "$data/rename10000" && mkdir -p "$data/rename10000"
  (cd "$data/rename10000" && perl -e 'for my $i (0..9999) { open(my $f, ">", "file$i.txt") or die; close($f) }')
  # The print benchmark prints to the PDF printer of a spooler of its own;
  # without one it measures the preview only and says so.
  spool="$PWD/build/bench-spooler"
  if pdf_vars=$(tools/pdf-printer.sh start "$spool" 2>build/print_bench.spooler); then
    eval "$pdf_vars"
    export QV_CUPS_SERVER="$CUPS_SERVER"
    touch "$spool/start"
  else
    echo "bench: no print spooler: $(tail -1 build/print_bench.spooler); printing is not measured"
    unset QV_PDF_OUT QV_CUPS_SERVER
  fi
  (
    export QV_WINE_ARCH=$arch QV_PREFIX_KIND=test
    . tools/wine-env.sh
    tools/with-display.sh --own bash -c '
      "$WINESERVER" -p >/dev/null 2>&1 </dev/null
      "$WINELOADER" cmd.exe /c exit >/dev/null 2>&1 </dev/null
      "$WINELOADER" "'"$win"'/bench/win/shell_bench.exe" > build/shell_bench.out 2>&1 </dev/null
      cat build/shell_bench.out
      "$WINELOADER" "'"$win"'/bench/win/startup_bench.exe" "Z:'"$win"'/Quirevue.exe" \
        "Z:'"$win"'/bench/win/bare_startup.exe" "C:\\quirevue-bench\\startup100000" \
        "C:\\quirevue-bench\\startup-run" > build/startup_bench.out 2>&1 </dev/null
      cat build/startup_bench.out
      "$WINELOADER" "'"$win"'/bench/win/viewer_bench.exe" > build/viewer_bench.out 2>&1 </dev/null
      cat build/viewer_bench.out
      "$WINELOADER" "'"$win"'/bench/win/watch_bench.exe" > build/watch_bench.out 2>&1 </dev/null
      cat build/watch_bench.out
      "$WINELOADER" "'"$win"'/bench/win/rename_bench.exe" > build/rename_bench.out 2>&1 </dev/null
      cat build/rename_bench.out
      "$WINELOADER" "'"$win"'/bench/win/transfer_bench.exe" > build/transfer_bench.out 2>&1 </dev/null
      cat build/transfer_bench.out
      "$WINELOADER" "'"$win"'/bench/win/export_bench.exe" > build/export_bench.out 2>&1 </dev/null
      cat build/export_bench.out
      "$WINELOADER" "'"$win"'/bench/win/print_bench.exe" > build/print_bench.out 2>&1 </dev/null
      cat build/print_bench.out'

  )
  rm -rf "$data/transfer-out" "$data/export-out"
  if [ -n "${QV_PDF_OUT:-}" ]; then
    # What the benchmark printed goes, once the spooler has written it.
    for _ in $(seq 300); do [ -z "$(lpstat -o 2>/dev/null)" ] && break; sleep 0.2; done
    find "$QV_PDF_OUT" -maxdepth 1 -name '*.pdf' -newer "$spool/start" -delete
    tools/pdf-printer.sh stop "$spool"
  fi
fi
