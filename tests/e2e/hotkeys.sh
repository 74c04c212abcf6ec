#!/usr/bin/env bash
# Real keys typed on the X display reach the running Tintlet.exe through its global hotkeys:
# Ctrl+Shift+M turns the box into the micro form, Ctrl+Shift+X ends the program with code 0.
#   bash tests/e2e/hotkeys.sh BUILD_WIN_DIR   (with the build's Xvfb and wineserver up)
set -uo pipefail
win=$(cd "${1:?build/win folder}" && pwd)
DISPLAY=$(cat "$win/wine/display") || exit 1
export DISPLAY
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display

fail() { echo "hotkeys: $*" >&2; exit 1; }
# "WIDTH HEIGHT LINE" of the running box, LINE being the height of its text line.
box_size() { wine "$win/box_size.exe" 2>/dev/null | tr -d '\r'; }
# Hotkeys typed on the display reach Wine only while one of its windows has the X input focus.
focus_box() {
  local xwin
  xwin=$(xdotool search --onlyvisible --class tintlet.exe 2>/dev/null | head -1)
  [ -n "$xwin" ] && xdotool windowfocus --sync "$xwin"
}

# No saved settings: the default hotkeys apply.
wine reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tintlet' /f >/dev/null 2>&1

wine "$win/Tintlet.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT

# The box window exists a moment before its text line does (the tray icon is added in between).
line=""
for _ in $(seq 50); do
  read -r _ height line <<<"$(box_size)"
  [ "${line:-0}" -gt 0 ] && break
  sleep 0.2
done
[ "${line:-0}" -gt 0 ] || fail "no colour box with its text line appeared"
micro=$((line + 2))  # the micro form: one text line and a pixel above and below
[ "$height" -ne "$micro" ] || fail "the box starts in the micro form ($height pixels high)"

focused=no
for _ in $(seq 25); do focus_box && focused=yes && break; sleep 0.2; done
[ $focused = yes ] || fail "no mapped Tintlet window to focus"
xdotool key ctrl+shift+m
for _ in $(seq 25); do
  read -r _ height _ <<<"$(box_size)"
  [ "$height" = "$micro" ] && break
  sleep 0.2
done
[ "$height" = "$micro" ] || fail "after Ctrl+Shift+M the box is $height pixels high, not $micro"

focus_box || fail "no mapped Tintlet window to focus"
xdotool key ctrl+shift+x
for _ in $(seq 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.2
done
kill -0 $pid 2>/dev/null && fail "Tintlet still runs after Ctrl+Shift+X"
wait $pid
code=$?
trap - EXIT
[ $code -eq 0 ] || fail "Tintlet ended with exit code $code"
echo "hotkeys: Ctrl+Shift+M gave the micro form ($micro pixels), Ctrl+Shift+X ended with code 0"
