#!/usr/bin/env bash
# The Wine bench: runs the Windows test programs under Wine on Linux.
#
#   wine-bench.sh setup DIR             fresh prefix in DIR/prefix, Xvfb display,
#                                       one persistent wineserver
#   wine-bench.sh cleanup DIR           stops everything setup and the helpers started
#   wine-bench.sh exec DIR PROGRAM ...  runs a Windows program in the bench (the
#                                       cross build's CMAKE_CROSSCOMPILING_EMULATOR)
#   wine-bench.sh com-port DIR COMn     maps COMn to one end of a pty pair, prints
#                                       the other end's path
#   wine-bench.sh spooler-port DIR PORT FILE
#                                       adds the printer port PORT; jobs printed to
#                                       it land in the Linux file FILE
#
# Why it is built this way:
# - wineserver and the services it starts keep the standard output and error
#   of the first Wine process. Started from a test runner they would hold the
#   runner's pipe open and the run would never end, so the server and its
#   services are always started here with /dev/null for their stdio.
# - Without a window manager Wine stalls 2 s on every window destroyed unless
#   its X11 driver manages the windows itself (Managed=N).
# - Dialogs and message boxes draw in Tahoma, whose fallback list in a fresh
#   prefix names Windows fonts that are not there: Chinese texts would show
#   as boxes. WenQuanYi Micro Hei is linked in instead.
# - Everything started is recorded under DIR so cleanup can stop exactly it.
set -euo pipefail

command=${1:?usage: wine-bench.sh setup|cleanup|exec|com-port|spooler-port DIR ...}
dir=${2:?bench directory missing}
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Also closes the lock: a server or display that inherited it would hold it
# for ever.
quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

lock() {
  exec 9>"$dir/lock"
  flock 9
}

write_registry() {
  cat >"$dir/bench.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):77,71,79,2d,6d,69,63,72,6f,68,65,69,2e,74,74,63,2c,57,65,6e,51,75,61,6e,\
  59,69,20,4d,69,63,72,6f,20,48,65,69,00,00
REG
}

make_prefix() {
  [ -f "$WINEPREFIX/.corvane-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  quiet timeout 180 wineboot -i
  write_registry
  quiet wine regedit /S "$dir/bench.reg"
  quiet wineserver -k || true
  quiet wineserver -w || true
  touch "$WINEPREFIX/.corvane-ready"
}

# Starts a wineserver that lingers for the given seconds after its last
# client ("" for the whole run), plus its services, unless one is running.
start_server() {
  if quiet wineserver "-p$1"; then
    quiet wine cmd /c exit
  fi
}

start_display() {
  : >"$dir/display"
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
    </dev/null >/dev/null 2>&1 9>&- &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && return 0
    sleep 0.1
  done
  echo "wine-bench: Xvfb did not start" >&2
  return 1
}

# Only what this bench started: a pid left by a run that was killed may
# belong to another program by now.
stop_recorded() {
  for file in "$dir"/*.pid; do
    [ -e "$file" ] || continue
    pid=$(cat "$file")
    if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q -e "^Xvfb " -e "$dir"; then
      kill "$pid" 2>/dev/null || true
    fi
    rm -f "$file"
  done
}

cleanup() {
  # The server first: a pty that vanishes under it makes it dump its state.
  if [ -d "$WINEPREFIX" ]; then
    quiet wineserver -k || true
    quiet wineserver -w || true
  fi
  stop_recorded
  rm -f "$dir/display"
}

use_display() {
  if [ -s "$dir/display" ]; then
    DISPLAY=:$(head -n1 "$dir/display")
    export DISPLAY
  fi
}

case $command in
  setup)
    lock
    cleanup
    rm -rf "$WINEPREFIX"
    make_prefix
    if command -v Xvfb >/dev/null; then start_display; fi
    use_display
    start_server ""
    echo "wine-bench: prefix $WINEPREFIX${DISPLAY:+, display $DISPLAY}"
    ;;
  cleanup)
    lock
    cleanup
    ;;
  exec)
    (
      lock
      make_prefix
      # Outside a set-up bench (a single program run by hand) the server
      # goes away on its own shortly after the program.
      start_server 5
    )
    use_display
    exec wine "$@"
    ;;
  com-port)
    port=${1:?COM port name missing}
    lower=$(echo "$port" | tr '[:upper:]' '[:lower:]')
    rm -f "$dir/$port" "$dir/$port.peer"
    socat "pty,raw,echo=0,link=$dir/$port" "pty,raw,echo=0,link=$dir/$port.peer" \
      </dev/null >/dev/null 2>&1 9>&- &
    echo $! >"$dir/socat-$port.pid"
    for _ in $(seq 100); do
      [ -e "$dir/$port" ] && [ -e "$dir/$port.peer" ] && break
      sleep 0.05
    done
    ln -sfn "$dir/$port" "$WINEPREFIX/dosdevices/$lower"
    # The list of serial ports programs read; volatile, so it ends with the server.
    quiet wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v "\\Device\\Corvane$port" \
      /t REG_SZ /d "$port" /f
    echo "$dir/$port.peer"
    ;;
  spooler-port)
    port=${1:?port name missing}
    file=${2:?output file missing}
    quiet wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports' /v "$port" \
      /t REG_SZ /d '' /f
    quiet wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v "$port" /t REG_SZ /d "$file" /f
    ;;
  *)
    echo "wine-bench: unknown command $command" >&2
    exit 2
    ;;
esac
