#!/usr/bin/env bash
# Gives the output program tests a cutter on a serial line: maps the COM
# port to a pty in the running bench and appends everything that arrives at
# the pty's far end to a file, until the bench is cleaned up. With a gate
# file, the cutter takes nothing until that file exists: a pty nobody reads
# stops taking bytes after a few kilobytes, so a long send stalls. With
# --takes, the cutter takes that many bytes and then stops reading for good,
# like a cutter that jammed mid-job.
#
#   com_reader.sh BENCH_SCRIPT BENCH_DIR COMn RECEIVED_FILE [GATE_FILE | --takes BYTES]
set -euo pipefail
bench=$1 dir=$2 port=$3 received=$4 gate=${5:-} takes=
if [ "$gate" = --takes ]; then
  takes=${6:?byte count missing}
  gate=
fi

peer=$("$bench" com-port "$dir" "$port")
: >"$received"
[ -z "$gate" ] || rm -f "$gate"
# Recorded under the bench directory, so the bench's cleanup ends it.
if [ -n "$takes" ]; then
  # The line stays open, so the port stays blocked instead of hanging up.
  setsid sh -c 'exec 3<"$2"; head -c "$1" <&3; while :; do sleep 1; done' \
    reader "$takes" "$peer" >>"$received" </dev/null 2>/dev/null &
  echo $! >"$dir/reader-$port.pid"
  exit 0
fi
setsid sh -c 'while [ -n "$1" ] && [ ! -e "$1" ]; do sleep 0.05; done; exec cat "$2"' \
  reader "$gate" "$peer" >>"$received" </dev/null 2>/dev/null &
echo $! >"$dir/reader-$port.pid"
