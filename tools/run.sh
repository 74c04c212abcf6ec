#!/usr/bin/env bash
# Starts Tintlet under Wine from the given build folder. Without an X display it runs on a virtual one and
# writes a screenshot of the running program to out/run.png; RUN_SECONDS ends it after that many seconds.
#   run.sh BUILD_WIN
set -uo pipefail
win=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
run=$win/wine-run
# A prefix of its own, so that the program starts with the settings of the last run, not those a test left.
export WINE_RUN_PREFIX=$win/wine/run-prefix
# Made on first use; its Wine processes end before anything is set in it.
boot() {
  [ -f "$WINE_RUN_PREFIX/system.reg" ] && return
  "$run" wineboot -i </dev/null >/dev/null 2>&1
  "$run" wineserver -w
}
echo "run: the $(sed -n 's/^TINTLET_ARCH=//p' "$run") build, $win/Tintlet.exe"
mkdir -p out
if [ -z "${DISPLAY:-}" ]; then
  trap 'WINE_RUN_PREFIX="" "$here/wine-env.sh" stop "$win"; "$run" wineserver -k 2>/dev/null' EXIT
  WINE_RUN_PREFIX='' "$here/wine-env.sh" start "$win" || exit 1
  boot
  # No window manager runs on the virtual display: unmanaged windows, as for the tests.
  "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  "$run" "$win/Tintlet.exe" &
  pid=$!
  sleep 2
  "$run" "$win/set_cursor.exe" 400 300 >/dev/null 2>&1
  sleep 1
  DISPLAY=$(cat "$win/wine/display") import -window root out/run.png &&
    echo "run: screenshot of the running program in out/run.png"
  if [ -n "${RUN_SECONDS:-}" ]; then
    sleep "$RUN_SECONDS"
    "$run" "$win/send_action.exe" 8 >/dev/null 2>&1  # Exit, the orderly way
  fi
  wait $pid
else
  # On the user's own display: the run's prefix, made on first use.
  boot
  exec env DISPLAY="$DISPLAY" "$run" "$win/Tintlet.exe"
fi
