#!/bin/bash
# Runs a command with an X display: the caller's DISPLAY when it works,
# otherwise a private Xvfb that is stopped (with the Wine server) afterwards.
# Usage: tools/with-display.sh [--own] command args...
set -uo pipefail
own=0
if [ "${1:-}" = --own ]; then own=1; shift; fi

xvfb_pid=
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ $own = 1 ] || [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    xvfb_pid=
  done
  if [ -z "$xvfb_pid" ]; then
    echo "with-display: could not start Xvfb; set DISPLAY to a working X display" >&2
    exit 1
  fi
  [ $own = 0 ] && echo "with-display: no usable DISPLAY, started Xvfb on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)" >&2
fi
"$@"
