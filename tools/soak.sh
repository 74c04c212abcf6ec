#!/usr/bin/env bash
# The soak under the build's own Wine world: does Tintlet hold up when it runs all day?
#   1. Ticks: ticks_soak.exe drives the real colour box through TICKS ticks, form switches, "Default&s"
#      and rebuilt fonts, and prints its memory and GDI objects as it goes.
#   2. Footprint: the resident memory of a running Tintlet.exe after ZOOM_SECONDS in the zoom form, beside
#      bare_window.exe, a bare window program with the same system libraries, started the same way.
#   3. CPU: the share of one core of the running Tintlet.exe over 10 seconds in each form.
#   soak.sh BUILD_WIN [TICKS] [ZOOM_SECONDS]   (100 000 ticks and a minute unless told)
set -uo pipefail
win=$(cd "${1:?build folder}" && pwd)
ticks=${2:-100000}
zoomSeconds=${3:-60}
seconds=10
here=$(cd "$(dirname "$0")" && pwd)
run=$win/wine-run
trap '"$here/wine-env.sh" stop "$win"' EXIT
"$here/wine-env.sh" start "$win" || exit 1
cmake --build "$win" --target Tintlet ticks_soak bare_window set_cursor send_action -- --no-print-directory >/dev/null ||
  exit 1

status=0
echo "== 1. Ticks"
"$run" "$win/ticks_soak.exe" "$ticks" || status=1

# The CPU ticks (user + system) of a process, from the fields after the command name in /proc/PID/stat.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
clock=$(getconf CLK_TCK)
xvfb=$(cat "$win/wine/xvfb.pid")
# This prefix's wineserver: it does the server half of every call the programs make.
server=
for p in $(pgrep -x wineserver32) $(pgrep -x wineserver); do
  if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$win/wine/prefix"; then server=$p; fi
done
resident_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
libraries() { grep -o '[^/]*\.dll$' "/proc/$1/maps" | sort -u; }

# One row: the CPU share of Tintlet.exe, of the bare window program, of the wineserver and of the display.
measure() {
  local pids=("$tintlet" "$bare" "${server:-$tintlet}" "$xvfb") before=() after=() t0 t1 i
  for i in "${pids[@]}"; do before+=("$(cpu_ticks "$i")"); done
  t0=$(date +%s%N)
  sleep "$seconds"
  t1=$(date +%s%N)
  for i in "${pids[@]}"; do after+=("$(cpu_ticks "$i")"); done
  awk -v f="$1" -v t=$((t1 - t0)) -v hz="$clock" -v goal="$2" -v a="${before[*]}" -v b="${after[*]}" -v s="$server" 'BEGIN {
    split(a, x); split(b, y); wall = t / 1e9
    for (i = 1; i <= 4; i++) share[i] = 100 * (y[i] - x[i]) / hz / wall
    printf "%-8s %8.2f %% %8s %10.2f %% %10s %8.2f %%   %s\n", f, share[1], "<= " goal " %", share[2],
      s ? sprintf("%.2f %%", share[3]) : "-", share[4], share[1] <= goal ? "met" : "MISSED" }'
}

"$run" reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1  # a first run: the normal form
"$run" "$win/set_cursor.exe" 400 300
"$run" "$win/Tintlet.exe" &
tintlet=$!
sleep 3
# Tintlet has loaded all it loads by now; the bare program loads the same, and runs until the end.
mapfile -t dlls < <(libraries "$tintlet")
"$run" "$win/bare_window.exe" $((3 * (seconds + 1) + zoomSeconds + 5)) "${dlls[@]}" &
bare=$!
sleep 2

echo
echo "== 3. CPU: share of one core over $seconds s in each form, pointer still over the desktop"
echo "   (the bare window runs the same 1 ms timer: what the timer's messages alone cost here)"
printf '%-8s %10s %8s %12s %12s %10s\n' "form" "Tintlet" "goal" "bare window" "wineserver" "Xvfb"
for form in normal micro zoom; do
  case $form in
    micro) "$run" "$win/send_action.exe" 7 ;;  # the Micro form action
    zoom) "$run" "$win/send_action.exe" 5 ;;  # the Zoom action, which leaves the micro form first
  esac
  sleep 1
  if ! kill -0 "$tintlet" 2>/dev/null || ! kill -0 "$bare" 2>/dev/null; then
    echo "Tintlet.exe or bare_window.exe is not running" >&2
    status=1
    break
  fi
  measure "$form" "$([ $form = normal ] && echo 1 || echo 2)"
done

echo
echo "== 2. Footprint: resident memory after $zoomSeconds s in the zoom form"
sleep $((zoomSeconds - seconds))
if kill -0 "$tintlet" 2>/dev/null && kill -0 "$bare" 2>/dev/null; then
  t=$(resident_kib "$tintlet") b=$(resident_kib "$bare")
  awk -v t="$t" -v b="$b" 'BEGIN {
    printf "Tintlet.exe %d KiB, bare window %d KiB: %.2f x (goal <= 1.2 x: %s)\n", t, b, t / b, t / b <= 1.2 ? "met" : "MISSED" }'
  differ=$(comm -3 <(libraries "$tintlet") <(libraries "$bare") | tr -d '\t' | tr '\n' ' ')
  echo "libraries: ${#dlls[@]} in Tintlet.exe; loaded by only one of the two: ${differ:-none}"
else
  echo "Tintlet.exe or bare_window.exe is not running" >&2
  status=1
fi

"$run" "$win/send_action.exe" 8  # Exit
for _ in $(seq 50); do kill -0 "$tintlet" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$tintlet" 2>/dev/null; then kill "$tintlet"; status=1; fi
wait "$tintlet" 2>/dev/null
wait "$bare" 2>/dev/null
echo
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'); $(wine --version)"
exit $status
