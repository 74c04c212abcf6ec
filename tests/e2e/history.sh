#!/usr/bin/env bash
# The colour history with real X input: two bands copied with the real Ctrl+Shift+C, the tray menu opened
# with a real right click on the box, and its History submenu's second entry chosen with real keys
# (y, Down, Return). The X clipboard must then hold the older colour again, and the registry at exit the
# two colours, the one chosen again first.
#   bash tests/e2e/history.sh BUILD_WIN_DIR   (with the build's Xvfb and wineserver up)
set -uo pipefail
win=$(cd "${1:?build/win folder}" && pwd)
DISPLAY=$(cat "$win/wine/display") || exit 1
export DISPLAY
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display

fail() { echo "history: $*" >&2; exit 1; }
tool() { wine "$win/window_tool.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
point() { wine "$win/set_cursor.exe" "$1" "$2" </dev/null >/dev/null 2>&1; sleep 0.4; }
# Keys typed on the display reach Wine only while one of its windows has the X input focus.
focus_box() {
  local xwin
  xwin=$(xdotool search --onlyvisible --class tintlet.exe 2>/dev/null | head -1)
  [ -n "$xwin" ] && xdotool windowfocus --sync "$xwin"
}
clip() { xclip -o -selection clipboard 2>/dev/null | tr -d '\0'; }
# Waits until the X clipboard holds $1.
clip_is() {
  for _ in $(seq 30); do [ "$(clip)" = "$1" ] && return 0; sleep 0.1; done
  return 1
}

# The backdrop's second and sixth bands, 24 pixels wide: RGB(250, 140, 20) and RGB(20, 180, 200).
y=400 orange_x=36 cyan_x=132 orange='#FA8C14' cyan='#14B4C8'
wine reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tintlet' /f >/dev/null 2>&1
wine "$win/backdrop.exe" $orange_x $y </dev/null >/dev/null 2>&1 &
tool wait ScreenshotBackdrop 10000 || fail "the backdrop did not appear"
wine "$win/Tintlet.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; tool post ScreenshotBackdrop 0x0010 0 0' EXIT
tool wait TintletApp 10000 || fail "no colour box appeared"
sleep 0.5

focus_box || fail "no mapped Tintlet window to focus"
xdotool key ctrl+shift+c
clip_is $orange || fail "Ctrl+Shift+C over the orange band left \"$(clip)\" on the clipboard"
point $cyan_x $y
focus_box
xdotool key ctrl+shift+c
clip_is $cyan || fail "Ctrl+Shift+C over the cyan band left \"$(clip)\" on the clipboard"

# The box follows the pointer: stopped (Ctrl+Shift+S), it can be right-clicked.
focus_box
xdotool key ctrl+shift+s
sleep 0.3
read -r left top right bottom <<<"$(tool rect TintletApp)"
point $(((left + right) / 2)) $(((top + bottom) / 2))
xdotool click 3
tool wait '#32768' 3000 || fail "a right click on the box opened no menu"
focus_box
xdotool key y
sleep 0.3
xdotool key Down Return
clip_is $orange || fail "the second History entry put \"$(clip)\" on the clipboard, not $orange"

wine "$win/send_action.exe" 8 >/dev/null 2>&1
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
kill -0 $pid 2>/dev/null && fail "Tintlet still runs after Exit"
wait $pid
code=$?
[ $code -eq 0 ] || fail "Tintlet ended with exit code $code"
stored=$(wine reg query 'HKCU\Software\Quillon\Tintlet' /v history 2>/dev/null | tr -d '\r' | awk '$1 == "history" {print $2, $3}')
[ "$stored" = "REG_SZ FA8C14,14B4C8" ] || fail "the registry holds history \"$stored\", not REG_SZ FA8C14,14B4C8"
echo "history: real keys chose the older colour again; the registry holds FA8C14,14B4C8"
