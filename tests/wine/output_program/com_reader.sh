#!/usr/bin/env bash
# Gives the output program tests a cutter on a serial line: maps the COM
# port to a pty in the running bench and appends everything that arrives at
# the pty's far end to a file, until the bench is cleaned up.
#
#   com_reader.sh BENCH_SCRIPT BENCH_DIR COMn RECEIVED_FILE
set -euo pipefail
bench=$1 dir=$2 port=$3 received=$4

peer=$("$bench" com-port "$dir" "$port")
: >"$received"
# Recorded under the bench directory, so the bench's cleanup ends it.
setsid cat "$peer" >>"$received" </dev/null 2>/dev/null &
echo $! >"$dir/reader-$port.pid"
