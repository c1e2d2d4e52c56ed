#!/bin/bash
# A private print spooler with one PDF printer, for the print tests and the
# print benchmark: CUPS with the cups-pdf backend, configured and spooling
# under a folder of the build, listening only on a socket there. Wine finds
# it through CUPS_SERVER; nothing of the machine's own CUPS is used or
# changed, and without it running a Wine prefix has no printer at all.
#
# Usage: tools/pdf-printer.sh start|stop DIR
#   start  starts cupsd and adds the printer "PDF" as the default; prints
#          the variables to export (CUPS_SERVER, QV_PDF_OUT: the folder
#          cups-pdf writes to, under the job user's home from the password
#          entry). Fails with the reason when the spooler cannot start.
#   stop   stops the cupsd started in DIR.
set -uo pipefail
cmd=${1:-} dir=${2:-}
if [ -z "$cmd" ] || [ -z "$dir" ]; then
  echo "usage: $0 start|stop DIR" >&2
  exit 2
fi
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
sock="$dir/cups.sock" pidfile="$dir/cupsd.pid"

stop() {
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  if kill "$pid" 2>/dev/null; then
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$pidfile" "$sock"
}

fail() {
  echo "pdf-printer: the print spooler could not start: $*" >&2
  stop
  exit 1
}

if [ "$cmd" = stop ]; then
  stop
  exit 0
fi
[ "$cmd" = start ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

command -v cupsd >/dev/null || fail "cupsd is not installed (tools/install-deps.sh installs cups)"
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || fail "$ppd is missing"
[ "$(id -u)" = 0 ] || fail "cupsd runs its PDF backend as root; run the tests as root"
stop

# cups-pdf writes to "${HOME}/PDF" of the user who submitted the job, read
# from the password entry (not the HOME of the environment).
user_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out="$user_home/PDF"
conf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
case "$conf_out" in
  ''|'${HOME}/PDF') ;;
  *) fail "cups-pdf writes to '$conf_out' (/etc/cups/cups-pdf.conf), not to \${HOME}/PDF" ;;
esac

rm -rf "$dir/root" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log"
mkdir -p "$dir/root/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
cat > "$dir/root/cups-files.conf" <<EOF
ServerRoot $dir/root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
EOF
cat > "$dir/root/cupsd.conf" <<EOF
Listen $sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
# The spool's parents must let the filters (user lp) through.
chmod 755 "$dir"

# In the foreground of a session of its own, so that its id is known and it
# outlives this script without holding the caller's output open.
setsid cupsd -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" >"$dir/log/start.log" 2>&1 </dev/null &
echo $! > "$pidfile"
for _ in $(seq 100); do
  [ -S "$sock" ] && break
  kill -0 "$(cat "$pidfile")" 2>/dev/null ||
    fail "cupsd exited: $(tail -3 "$dir/log/start.log" "$dir/log/error_log" 2>/dev/null | tr '\n' ' ')"
  sleep 0.1
done
[ -S "$sock" ] || fail "no socket $sock after 10 s: $(tail -3 "$dir/log/error_log" 2>/dev/null | tr '\n' ' ')"

export CUPS_SERVER="$sock"
lpadmin -p PDF -v cups-pdf:/ -E -P "$ppd" >"$dir/log/lpadmin.log" 2>&1 ||
  fail "lpadmin could not add the PDF printer: $(cat "$dir/log/lpadmin.log")"
lpadmin -d PDF >>"$dir/log/lpadmin.log" 2>&1 || fail "lpadmin could not make PDF the default"
lpstat -p PDF >/dev/null 2>&1 || fail "the PDF printer does not answer"
mkdir -p "$out"
echo "export CUPS_SERVER='$sock' QV_PDF_OUT='$out'"
