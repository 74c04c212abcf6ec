#!/usr/bin/env bash
# Starts Tintlet under Wine. Without an X display it runs on a virtual one and writes a
# screenshot of the running program to out/run.png; RUN_SECONDS ends it after that many seconds.
set -uo pipefail
win=$1
here=$(cd "$(dirname "$0")" && pwd)
exe=$(cd "$win" && pwd)/Tintlet.exe
mkdir -p out
export WINEDEBUG=-all
if [ -z "${DISPLAY:-}" ]; then
  trap '"$here/wine-env.sh" stop "$win"' EXIT
  "$here/wine-env.sh" start "$win" || exit 1
  export DISPLAY=$(cat "$win/wine/display")
  export WINEPREFIX=$(cd "$win" && pwd)/wine/prefix
  wine "$exe" &
  pid=$!
  sleep 2
  wine "$(cd "$win" && pwd)/set_cursor.exe" 400 300 >/dev/null 2>&1
  sleep 1
  import -window root out/run.png && echo "run: screenshot of the running program in out/run.png"
  if [ -n "${RUN_SECONDS:-}" ]; then
    sleep "$RUN_SECONDS"
    wine "$(cd "$win" && pwd)/send_action.exe" 8 >/dev/null 2>&1  # Exit, the orderly way
  fi
  wait $pid
else
  export WINEPREFIX=${WINEPREFIX:-$(cd "$win" && pwd)/wine/prefix}
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  exec wine "$exe"
fi
