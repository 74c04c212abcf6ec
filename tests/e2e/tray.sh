#!/usr/bin/env bash
# A real double click on Tintlet's icon in Wine's system tray window hides the box; a second one
# shows it again.   bash tests/e2e/tray.sh BUILD_WIN_DIR   (with the build's Xvfb and wineserver up)
set -uo pipefail
win=$(cd "${1:?build/win folder}" && pwd)
DISPLAY=$(cat "$win/wine/display") || exit 1
export DISPLAY
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display

fail() { echo "tray: $*" >&2; exit 1; }
box_shown() { wine "$win/window_tool.exe" wait TintletApp "${1:-0}" >/dev/null 2>&1; }

wine reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1
wine "$win/Tintlet.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
box_shown 10000 || fail "no colour box appeared"

# Without a taskbar Wine shows the icons in a small window of its own; the first icon sits at the
# left of its one row, which is the bottom of the window (a caption, when Wine draws one, is above it).
# Explorer makes the window afresh when the first icon comes and maps it a moment later: it counts once mapped.
tray_id=""
for _ in $(seq 25); do
  tray_id=$(xwininfo -root -tree | grep '"Wine System Tray"' | head -1 | awk '{print $1}')
  [ -n "$tray_id" ] && xwininfo -id "$tray_id" | grep -q IsViewable && break
  tray_id=""
  sleep 0.2
done
[ -n "$tray_id" ] || fail "Wine shows no system tray window"
double_click_icon() {
  # With no window manager a window an earlier program mapped may lie over the tray: raise it first.
  xdotool windowraise "$tray_id"
  # Its size is read each time: Explorer sizes it again as icons come.
  eval "$(xdotool getwindowgeometry --shell "$tray_id")"
  local at_x=$((X + 12)) at_y=$((Y + HEIGHT - 10))
  # The move reaches the X server a moment after set_cursor returns.
  for _ in $(seq 30); do
    wine "$win/set_cursor.exe" $at_x $at_y >/dev/null 2>&1
    under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
    [ "$((under))" -eq "$((tray_id))" ] && break
    sleep 0.1
  done
  [ "$((under))" -eq "$((tray_id))" ] ||
    fail "the pointer at $at_x,$at_y is over window $under, not the tray $tray_id at $X,$Y (${WIDTH}x$HEIGHT)" \
      "($(xdotool getmouselocation))"
  xdotool click --repeat 2 --delay 80 1
}

double_click_icon
for _ in $(seq 25); do box_shown || break; sleep 0.2; done
box_shown && fail "a double click on the icon did not hide the box"
double_click_icon
box_shown 5000 || fail "a second double click did not show the box again"

wine "$win/send_action.exe" 8 >/dev/null 2>&1
wait $pid
code=$?
trap - EXIT
[ $code -eq 0 ] || fail "Tintlet ended with exit code $code"
echo "tray: the icon's double click hides and shows the box"
