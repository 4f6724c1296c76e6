#!/usr/bin/env bash
# Runs transport_wine_check.exe under a private Wine prefix: COM5 is a
# pseudo-terminal pair made by socat, COM7 points nowhere, COM8 at a
# directory (Wine then refuses the open as Windows refuses a busy port),
# and the spooler port USB001 prints into a file. The bytes read at the far
# end of the line must equal everything the program sent.
# Usage: run_wine_checks.sh EXE WORKDIR
set -euo pipefail
# A set-up step that fails says which; its own output goes to /dev/null.
trap 'echo "FAIL set-up step exited $?: $BASH_COMMAND"' ERR

exe=$(realpath "$1")
mkdir -p "$2"
work=$(realpath "$2")
data=$work/data
winpath() { printf 'Z:%s' "${1//\//\\}"; }

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=${CORVANE_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

rm -rf "$data" "$work/ttyA" "$work/ttyB" "$work/received.bin"
mkdir -p "$data" "$work/busy"
head -c 65535 /dev/urandom >"$data/stream65535.bin"
head -c 200000 /dev/urandom >"$data/stream200000.bin"
# The order in which the program sends to COM5.
{
  printf 'TB25,3600,5600;'
  cat "$data/stream65535.bin" "$data/stream200000.bin" "$data/stream65535.bin"
} >"$work/expected.bin"
cat >"$data/raw.ppd" <<'PPD'
*PPD-Adobe: "4.3"
*ModelName: "Corvane Test Raw"
*NickName: "Corvane Test Raw"
*DefaultPageSize: A4
*PageSize A4: "<</PageSize[595 842]>>setpagedevice"
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
PPD

socat_pid=""
reader_pid=""
cleanup() {
  set +e
  # wineserver first: the pty is its controlling terminal.
  wineserver -k 2>/dev/null
  for pid in $reader_pid $socat_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
}
trap cleanup EXIT

socat pty,raw,echo=0,link="$work/ttyA" pty,raw,echo=0,link="$work/ttyB" </dev/null >/dev/null 2>&1 &
socat_pid=$!
for _ in $(seq 100); do [ -e "$work/ttyA" ] && [ -e "$work/ttyB" ] && break; sleep 0.05; done

# A fresh prefix each run: the spooler's queues and drivers are part of
# what is checked.
rm -rf "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
cat >"$work/setup.reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]
"COM5"="$work/ttyA"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports]
"USB001"=""

[HKEY_CURRENT_USER\\Software\\Wine\\Printing\\Spooler]
"USB001"="$data/usb001.prn"
REG
wine regedit /S "$(winpath "$work/setup.reg")" </dev/null >/dev/null 2>&1
wineserver -k || true
wineserver -w || true
ln -sfn "$work/absent" "$WINEPREFIX/dosdevices/com7"
ln -sfn "$work/busy" "$WINEPREFIX/dosdevices/com8"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
# Some USB adapters' drivers give their value a long name. The key is
# volatile, so this lasts as long as the server started above.
wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\VendorUsbSerialAdapterPort0' \
  /t REG_SZ /d COM42 /f </dev/null >/dev/null 2>&1

# The reader must run before the writer: a pty nobody reads blocks writes.
cat "$work/ttyB" >"$work/received.bin" &
reader_pid=$!

trap - ERR
set +e
timeout 120 wine "$exe" "$(winpath "$data")" COM5 COM7 COM8 </dev/null >"$work/check.out" 2>&1
status=$?
set -e
tr -d '\r' <"$work/check.out" | grep -v -E ' passed, [0-9]+ failed' || true

expected=$(stat -c %s "$work/expected.bin")
for _ in $(seq 200); do
  [ "$(stat -c %s "$work/received.bin")" -ge "$expected" ] && break
  sleep 0.05
done
if cmp -s "$work/expected.bin" "$work/received.bin"; then
  echo "PASS far end of COM5 received every byte sent, in order ($expected bytes)"
else
  echo "FAIL far end of COM5 received $(stat -c %s "$work/received.bin") of $expected bytes, or other bytes"
  status=1
fi

passed=$(grep -c '^PASS' "$work/check.out" || true)
failed=$(grep -c '^FAIL' "$work/check.out" || true)
if cmp -s "$work/expected.bin" "$work/received.bin"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && { echo "FAIL check program exited $status"; failed=1; }
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
