#!/usr/bin/env bash
# The Wine session the tests and the demo run in: a fresh prefix of the
# project's own (never the user's), an Xvfb display for the programs that
# make windows, and a persistent wineserver, so that test runners are not
# left waiting on a server that inherited their output.
#
#   tools/wine-session.sh start   creates it and writes build/wine/session.env
#   tools/wine-session.sh stop    ends what start started, by process id
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dir=${LUMVEX_WINE_DIR:-$root/build/wine}
env_file=$dir/session.env
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

stop() {
  [ -f "$env_file" ] || return 0
  # shellcheck disable=SC1090
  . "$env_file"
  WINEPREFIX=$WINEPREFIX "$wineserver" -k 2>/dev/null || true
  for pid in ${LUMVEX_WINESERVER_PID:-} ${LUMVEX_XVFB_PID:-}; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in ${LUMVEX_WINESERVER_PID:-} ${LUMVEX_XVFB_PID:-}; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -f "$env_file"
}

start() {
  stop
  mkdir -p "$dir"
  prefix=$dir/prefix
  rm -rf "$prefix"
  mkdir -p "$prefix"

  display=90
  while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.1; done
  [ -e /tmp/.X11-unix/X$display ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }

  export WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY=:$display WINEDLLOVERRIDES="mscoree,mshtml="
  # The prefix is made first, under a server of its own that ends with it:
  # services started while a new prefix is set up do not survive that well.
  "$wine64" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
  "$wineserver" -w
  setsid "$wineserver" -f -p </dev/null >/dev/null 2>&1 &
  server_pid=$!
  cat >"$env_file" <<EOT
export WINEPREFIX=$prefix
export WINEDEBUG=\${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:$display
LUMVEX_WINE=$wine64
LUMVEX_XVFB_PID=$xvfb_pid
LUMVEX_WINESERVER_PID=$server_pid
EOT
  # Start the system processes now, with their output in a file: started
  # later by a test, they would keep its output pipe open after it ends.
  "$wine64" wineboot </dev/null >>"$dir/wineboot.log" 2>&1
  echo "wine-session: prefix $prefix, display :$display"
}

case ${1:-} in
  start) start ;;
  stop) stop ;;
  *) echo "usage: wine-session.sh start|stop" >&2; exit 2 ;;
esac
