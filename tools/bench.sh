#!/usr/bin/env bash
# Benchmarks under the build's own Wine world: every bench/*_bench.cpp program, then the CPU share of a
# running Tintlet.exe in each form, from the CPU time of its process against the wall time.
#   bench.sh BUILD_WIN [SECONDS]   (10 seconds a form unless told)
set -uo pipefail
win=$(cd "${1:?build folder}" && pwd)
seconds=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
run=$win/wine-run
trap '"$here/wine-env.sh" stop "$win"' EXIT
"$here/wine-env.sh" start "$win" || exit 1
echo "build measured: $(sed -n 's/^TINTLET_ARCH=//p' "$run"), $win/Tintlet.exe"

benches=$(cd "$here/../bench" && ls *_bench.cpp 2>/dev/null | sed 's/\.cpp$//')
cmake --build "$win" --target Tintlet set_cursor send_action timer_only bare_window $benches -- --no-print-directory >/dev/null ||
  exit 1

status=0
for b in $benches; do
  echo "== $b"
  "$run" "$win/$b.exe" || status=1
done

# The CPU ticks (user + system) of a process, from the fields after the command name in /proc/PID/stat.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
clock=$(getconf CLK_TCK)
xvfb=$(cat "$win/wine/xvfb.pid")

# Prints one row: the CPU share of process $2 and of the display over the next $seconds seconds.
measure() {
  local c0 x0 t0 c1 x1 t1
  c0=$(cpu_ticks "$2") x0=$(cpu_ticks "$xvfb") t0=$(date +%s%N)
  sleep "$seconds"
  c1=$(cpu_ticks "$2") x1=$(cpu_ticks "$xvfb") t1=$(date +%s%N)
  awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v t=$((t1 - t0)) -v hz="$clock" -v f="$1" 'BEGIN {
    wall = t / 1e9
    printf "%-16s %10.2f s %9.2f %% %9.2f %%\n", f, c / hz, 100 * c / hz / wall, 100 * x / hz / wall }'
}

echo "== CPU share of a running process over $seconds s, pointer still over the desktop"
echo "   The floor: a program with the same 1 ms timer that does nothing at a tick, and one that reads the pointer"
echo "   and the pixel under it at every tick, as a colour picker that never slows down must."
printf '%-16s %12s %11s %11s\n' "" "CPU time" "of a core" "Xvfb"
"$run" "$win/set_cursor.exe" 400 300
"$run" "$win/timer_only.exe" $((seconds + 2)) &
pid=$!
sleep 1
measure "timer only" "$pid"
wait "$pid"
"$run" "$win/bare_window.exe" $((seconds + 2)) sample &
pid=$!
sleep 1
measure "pointer + pixel" "$pid"
wait "$pid"

"$run" reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1  # a first run: the normal form
"$run" "$win/Tintlet.exe" &
pid=$!
sleep 3
for form in normal zoom micro; do
  case $form in
    zoom) "$run" "$win/send_action.exe" 5 ;;  # the Zoom action
    micro) "$run" "$win/send_action.exe" 7 ;;  # the Micro form action, which leaves the zoom form first
  esac
  sleep 1
  if ! kill -0 "$pid" 2>/dev/null; then echo "Tintlet.exe is not running" >&2; status=1; break; fi
  measure "Tintlet $form" "$pid"
done
"$run" "$win/send_action.exe" 8  # Exit
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; status=1; fi
wait "$pid" 2>/dev/null
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
exit $status
