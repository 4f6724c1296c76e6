#!/usr/bin/env bash
# Runs a command against a private CUPS server on loopback and stops the
# server afterwards. The server has two raw queues:
#   corvane-capture  device "capture": every job lands in $CORVANE_CUPS_JOBS
#                    as job-N.data with its title in job-N.title;
#   corvane-usb      a USB device URI, so it is listed as a USB cutter.
# Needs root: cupsd runs a backend as root only when the backend is 0700,
# and only root may own the private server's files as cupsd demands.
# Usage: with_cups_server.sh WORKDIR COMMAND...
set -euo pipefail

work=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  echo "with_cups_server.sh: needs root to run a private cupsd; skipped"
  exit 77
fi
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "with_cups_server.sh: cupsd or lpadmin missing (packages cups, cups-client)"
  exit 1
fi

rm -rf "$work"
mkdir -p "$work"/{root,bin/backend,spool,cache,state,log,tmp,jobs}
chmod 755 "$work" "$work"/*
work=$(cd "$work" && pwd)

# cupsd finds its helpers below ServerBin; only the backend is ours.
for d in daemon filter monitor notifier cgi-bin driver; do
  [ -e "/usr/lib/cups/$d" ] && ln -s "/usr/lib/cups/$d" "$work/bin/$d"
done
cat >"$work/bin/backend/capture" <<'BACKEND'
#!/bin/sh
# CUPS backend: keeps each job's bytes and title in the directory of its URI.
[ $# -eq 0 ] && { echo 'direct capture "Unknown" "Capture to files"'; exit 0; }
dir="${DEVICE_URI#capture:}"
if [ -n "$6" ]; then cat "$6" >"$dir/.job-$1.data"; else cat >"$dir/.job-$1.data"; fi
printf '%s\n' "$3" >"$dir/job-$1.title"
mv "$dir/.job-$1.data" "$dir/job-$1.data"
BACKEND
chmod 700 "$work/bin/backend/capture"
ln -s /usr/lib/cups/backend/usb "$work/bin/backend/usb"

port=$((20000 + $$ % 20000))
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done

cat >"$work/root/cups-files.conf" <<CONF
ServerRoot $work/root
ServerBin $work/bin
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/state/printcap
FileDevice No
Sandboxing Relaxed
User lp
Group lp
SystemGroup root
CONF
cat >"$work/root/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
Browsing No
DefaultAuthType None
LogLevel info
WebInterface No
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cupsd -f -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf" </dev/null \
  >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
stop() {
  kill "$cupsd_pid" 2>/dev/null || true
  wait "$cupsd_pid" 2>/dev/null || true
}
trap stop EXIT

export CUPS_SERVER=127.0.0.1:$port
for _ in $(seq 100); do
  lpstat -r 2>/dev/null | grep -q 'is running' && break
  kill -0 "$cupsd_pid" 2>/dev/null || { cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null; exit 1; }
  sleep 0.1
done
lpadmin -p corvane-capture -E -v "capture:$work/jobs" -m raw 2>/dev/null
lpadmin -p corvane-usb -E -v "usb://Acme/SignCut%2060?serial=A1" -m raw -D "Acme SignCut 60" 2>/dev/null

export CORVANE_CUPS_JOBS=$work/jobs
"$@"
