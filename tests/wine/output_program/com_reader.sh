#!/usr/bin/env bash
# Gives the output program tests a cutter on a serial line: maps the COM
# port to a pty in the running bench and appends everything that arrives at
# the pty's far end to a file, until the bench is cleaned up. With a gate
# file, the cutter takes nothing until that file exists: a pty nobody reads
# stops taking bytes after a few kilobytes, so a long send stalls.
#
#   com_reader.sh BENCH_SCRIPT BENCH_DIR COMn RECEIVED_FILE [GATE_FILE]
set -euo pipefail
bench=$1 dir=$2 port=$3 received=$4 gate=${5:-}

peer=$("$bench" com-port "$dir" "$port")
: >"$received"
[ -z "$gate" ] || rm -f "$gate"
# Recorded under the bench directory, so the bench's cleanup ends it.
setsid sh -c 'while [ -n "$1" ] && [ ! -e "$1" ]; do sleep 0.05; done; exec cat "$2"' \
  reader "$gate" "$peer" >>"$received" </dev/null 2>/dev/null &
echo $! >"$dir/reader-$port.pid"
