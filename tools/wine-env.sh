#!/usr/bin/env bash
# The build's own Wine world: a virtual X display and a Wine prefix under BUILD/wine.
#   wine-env.sh start BUILD   start Xvfb (unless one of ours runs), boot the prefix, start a persistent wineserver
#   wine-env.sh stop BUILD    end the wineserver and the Xvfb that start made
# Wine itself is reached through BUILD/wine-run, which names the loader and server of the build's architecture.
set -euo pipefail
cmd=${1:?start or stop}
build=$(cd "${2:?build folder}" && pwd)
dir=$build/wine
run=$build/wine-run
mkdir -p "$dir"

display_alive() { [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; }

start() {
  local n=90
  while ! display_alive; do
    # Another build may take the same number at the same moment: then try the next one.
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    echo ":$n" >"$dir/display"
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    sleep 0.2
    n=$((n + 1))
  done
  if [ ! -f "$dir/prefix/system.reg" ]; then
    "$run" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 || true
    "$run" wineserver -w
  fi
  # No window manager runs on this display: unmanaged windows keep Wine from waiting seconds for one.
  "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  # Started before ctest and detached from its pipes, or ctest waits for Wine's helpers for ever.
  "$run" wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
  "$run" cmd /c exit </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$dir/prefix/system.reg" ]; then
    echo "wine-env: the Wine prefix in $dir/prefix could not be made; see $dir/wineboot.log" >&2
    return 1
  fi
}

stop() {
  if [ -d "$dir/prefix" ] && [ -x "$run" ]; then "$run" wineserver -k </dev/null >/dev/null 2>&1 || true; fi
  if display_alive; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$dir/xvfb.pid" "$dir/display"
}

case $cmd in
  start) start ;;
  stop) stop ;;
  *) echo "usage: wine-env.sh start|stop BUILD" >&2; exit 2 ;;
esac
