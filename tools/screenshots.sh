#!/usr/bin/env bash
# Makes the README's pictures under the build's virtual display: the colour box in its normal, micro and zoom
# forms over bright colour bands, the four pages of the Options window, the tray menu with its History
# submenu, and the Options page again with the prefix at 144 DPI (a display scaled to 150 %), each cut to a
# small region and written to docs/screenshots/.
#   tools/screenshots.sh BUILD_WIN_DIR
set -euo pipefail
win=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "$here/.." && pwd)/docs/screenshots
tmp=$(mktemp -d)
app_pid='' backdrop_pid='' old_dpi=unchanged
desktop='HKCU\Control Panel\Desktop'

# The prefix's DPI for programs started from now on: set_dpi VALUE, or set_dpi '' to remove the setting.
set_dpi() {
  if [ -n "$1" ]; then
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  else
    wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
  fi
}

cleanup() {
  for pid in $app_pid $backdrop_pid; do kill "$pid" 2>/dev/null || true; done
  [ "$old_dpi" = unchanged ] || set_dpi "$old_dpi"
  "$here/wine-env.sh" stop "$win"
  rm -rf "$tmp"
}
trap cleanup EXIT
"$here/wine-env.sh" start "$win"
export DISPLAY=$(cat "$win/wine/display")
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display
mkdir -p "$out"

# Wine's console ends lines with CR LF; the numbers are wanted without the CR.
tool() { wine "$win/window_tool.exe" "$@" </dev/null | tr -d '\r'; }
point() { wine "$win/set_cursor.exe" "$1" "$2" </dev/null; sleep 0.5; }
WM_CLOSE=0x10 WM_CANCELMODE=0x1F WM_CHAR=0x102 WM_RBUTTONUP=0x205 WM_HOTKEY=0x312
# The pointer sits on the border of two bands, so the magnifier shows both.
pointer_x=312 pointer_y=240

# Cuts the screen to the given rectangle grown by a margin: shot NAME LEFT TOP RIGHT BOTTOM.
shot() {
  local name=$1 m=12
  local left=$(($2 - m)) top=$(($3 - m)) right=$(($4 + m)) bottom=$(($5 + m))
  ((left < 0)) && left=0
  ((top < 0)) && top=0
  import -window root "$tmp/screen.png"
  convert "$tmp/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -strip \
    -define png:compression-level=9 "$out/$name.png"
  echo "screenshots: $out/$name.png"
}

# Sends the box the given actions, then cuts out the box with the spot it reads, up and left of it:
# form NAME ACTION...
form() {
  local name=$1 action
  shift
  for action in "$@"; do tool send TintletApp $WM_HOTKEY "$action" 0; done
  sleep 0.5
  set -- $(tool rect TintletApp)
  shot "$name" $((pointer_x < $1 ? pointer_x : $1)) $((pointer_y < $2 ? pointer_y : $2)) "$3" "$4"
}

# The prefix's own DPI, put back at the end; 96 while the first pictures are made.
dpi=$(wine reg query "$desktop" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }' || true)
old_dpi=${dpi:+$((dpi))}
set_dpi 96

# Starts Tintlet and waits for its box.
start_tintlet() {
  wine "$win/Tintlet.exe" </dev/null &
  app_pid=$!
  tool wait TintletApp 10000 || { echo "screenshots: Tintlet's box did not appear" >&2; exit 1; }
  sleep 1
}

# Exit, and wait for the process to end.
exit_tintlet() {
  tool post TintletApp $WM_HOTKEY 8 0
  for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  app_pid=''
}

# A first run: the pictures show the default look.
wine reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1 || true
wine "$win/backdrop.exe" $pointer_x $pointer_y </dev/null &
backdrop_pid=$!
tool wait ScreenshotBackdrop 10000 || { echo "screenshots: the backdrop did not appear" >&2; exit 1; }
start_tintlet

form normal
form micro 7
form zoom 7 5
tool send TintletApp $WM_HOTKEY 5 0  # back to the normal form

# The Options window opens with the Options action; each page is chosen by clicking its tab.
# The box, which stays on top, is led away from where the window opens.
point 120 600
tool send TintletApp $WM_HOTKEY 0 0
if tool wait TintletOptions 3000; then
  page=0
  for name in options hotkeys help about; do
    tool tab $page
    sleep 0.5
    if [ "$name" = about ]; then
      # The pointer rests on the maker's link, which it underlines; the box, which would follow it onto
      # the page, is hidden meanwhile.
      tool send TintletApp $WM_HOTKEY 2 0
      point $(tool centre TintletOptions 21)
    fi
    shot "$name" $(tool rect TintletOptions)
    page=$((page + 1))
  done
  tool send TintletApp $WM_HOTKEY 2 0
  point 120 600
  tool send TintletApp $WM_HOTKEY 0 0
else
  echo "screenshots: no Options window appeared; the pictures of its four pages were not made" >&2
fi

# Three bands copied (the copy action) and the colour at the pointer fixed fill the history with four colours.
for band in 1 5 7; do
  point $((24 * band + 12)) $pointer_y
  tool send TintletApp $WM_HOTKEY 6 0
done

# A right click on the box opens the tray menu at the pointer; posted, as the menu runs its own loop.
# With the colour fixed and the box standing still, the pointer moves off so the menu does not hide the box.
point $pointer_x $pointer_y
tool send TintletApp $WM_HOTKEY 3 0
tool send TintletApp $WM_HOTKEY 4 0
point $((pointer_x - 60)) $((pointer_y + 45))
tool post TintletApp $WM_RBUTTONUP 0 0
if tool wait '#32768' 3000; then
  tool post TintletApp $WM_CHAR 0x79 0  # 'y', the mnemonic of "Histor&y": its submenu opens beside the menu
  sleep 0.8
  set -- $(tool rect TintletApp) $(tool span '#32768')
  shot menu $(($1 < $5 ? $1 : $5)) $(($2 < $6 ? $2 : $6)) $(($3 > $7 ? $3 : $7)) $(($4 > $8 ? $4 : $8))
else
  echo "screenshots: the tray menu did not open" >&2
fi

# Close the menu as a click elsewhere would, then Exit.
tool send TintletApp $WM_CANCELMODE 0 0
exit_tintlet

# The Options page on a display of 144 DPI: a program started with the prefix at 144 lays itself out for it.
set_dpi 144
start_tintlet
point 120 600
tool send TintletApp $WM_HOTKEY 0 0
if tool wait TintletOptions 3000; then
  sleep 0.5
  shot options-144 $(tool rect TintletOptions)
else
  echo "screenshots: no Options window appeared at 144 DPI" >&2
fi
exit_tintlet
set_dpi "$old_dpi"
old_dpi=unchanged

# Anything still running goes with the display.
tool post ScreenshotBackdrop $WM_CLOSE 0 0
