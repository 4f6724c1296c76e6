#!/usr/bin/env bash
# The bench's port helpers, proven end to end: a text written by a Windows
# program to a mapped COM port comes out of the pty's other end, and a RAW
# job printed to a mapped printer port lands in the Linux file.
#
#   ports_test.sh BENCH_SCRIPT BENCH_DIR PROBE_EXE
set -euo pipefail
bench=$1 dir=$2 probe=$3
failures=0
check() {
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected '$3', got '$2'"
    failures=$((failures + 1))
  fi
}

text='IN;PU0,0;PD400,0;'
peer=$("$bench" com-port "$dir" COM7)
# The reader first: with nobody reading, a pty stops taking bytes.
timeout 20 head -c ${#text} "$peer" >"$dir/com7.out" &
reader=$!
"$bench" exec "$dir" "$probe" serial COM7 "$text"
wait $reader || true
check "COM7 carries the text to the pty" "$(cat "$dir/com7.out")" "$text"

rm -f "$dir/usb007.prn"
"$bench" spooler-port "$dir" USB007 "$dir/usb007.prn"
"$bench" exec "$dir" "$probe" print USB007 "$text"
check "a RAW job on USB007 lands in the file" "$(cat "$dir/usb007.prn" 2>/dev/null)" "$text"

echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
