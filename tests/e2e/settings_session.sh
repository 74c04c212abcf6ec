#!/usr/bin/env bash
# One session of use, and the registry it leaves: the running Tintlet.exe is given a notation, a form,
# a base, two templates, an opacity, a hotkey and middle-button mode through its tray commands, its
# action messages and the Options window's controls, and ended. The exported key must then hold
# exactly the values these steps set and the first-run defaults for the rest, nothing more.
#   bash tests/e2e/settings_session.sh BUILD_WIN_DIR [TINTLET_EXE]   (with the build's Xvfb and wineserver up)
set -uo pipefail
win=$(cd "${1:?build/win folder}" && pwd)
exe=${2:-$win/Tintlet.exe}
DISPLAY=$(cat "$win/wine/display") || exit 1
export DISPLAY
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display

key='HKCU\Software\Quillon\Tintlet'
fail() { echo "settings_session: $*" >&2; exit 1; }
tool() { wine "$win/window_tool.exe" "$@" </dev/null >/dev/null 2>&1; }
# WM_COMMAND with a tray menu id, to the colour box, as choosing it in the menu does.
menu() { tool send TintletApp 0x0111 "$1" 0 || fail "tray command $1 was not delivered"; }
action() { wine "$win/send_action.exe" "$1" </dev/null >/dev/null 2>&1 || fail "action $1 was not delivered"; }
options() { tool child TintletOptions "$@" || fail "Options control $1 $2: not found"; }

# What the steps choose, and what each becomes in the registry.
pointer_x=12 pointer_y=400
picked=$((40 * 65536 + 40 * 256 + 230))  # the backdrop's first band, RGB(230, 40, 40), under the pointer
notation_cmd=13 notation=java             # "&Java", the fourth notation item
added_template='$r$g$b' edited_template='#r-#g-#b'
scroll_steps=3 opacity=97                 # each step to the right makes the box 1 % more transparent
copy_action=6 copy_key=K copy_modifiers=6 # Copy to Clipboard on Ctrl+Alt+K (HOTKEYF_CONTROL | HOTKEYF_ALT)

app_pid='' backdrop_pid=''
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$backdrop_pid" ] && tool post ScreenshotBackdrop 0x0010 0 0
}
trap cleanup EXIT

wine reg delete "$key" /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tintlet' /f >/dev/null 2>&1
wine "$win/backdrop.exe" $pointer_x $pointer_y </dev/null >/dev/null 2>&1 &
backdrop_pid=$!
tool wait ScreenshotBackdrop 10000 || fail "the backdrop did not appear"
wine "$exe" </dev/null >/dev/null 2>&1 &
app_pid=$!
tool wait TintletApp 10000 || fail "no colour box appeared"
sleep 0.5  # a few ticks: the box has sampled the band under the pointer

menu $notation_cmd
menu 32                 # Zoom
action 7                # Micro form: from the zoom form straight into the micro one
menu 20                 # Decimal
menu 40                 # Mouse mode: the picked colour stays while the middle button is up
action 0                # the Options window
tool wait TintletOptions 5000 || fail "the Options window did not open"
tool settext TintletOptions ComboBox 0 "$added_template" || fail "no template combo box"
options 101 0 send 0x00F5 0 0   # BM_CLICK on "+"
tool settext TintletOptions ComboBox 0 "$edited_template" || fail "no template combo box"
for _ in $(seq $scroll_steps); do tool send TintletOptions 0x0114 1 0; done  # WM_HSCROLL, SB_LINERIGHT
copy_word=$(( copy_modifiers * 256 + $(printf '%d' "'$copy_key") ))
options msctls_hotkey32 $copy_action send 0x0401 $copy_word 0   # HKM_SETHOTKEY
options 31 0 send 0x00F5 0 0    # BM_CLICK on "Apply"
sleep 0.3
action 8                # Exit
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app_pid" 2>/dev/null && fail "Tintlet still runs after Exit"
wait "$app_pid"
code=$?
app_pid=''
[ $code -eq 0 ] || fail "Tintlet ended with exit code $code"

hex_bytes() { od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /,/g'; }
hotchars=$(printf 'ODQFSZ%sMX' "$copy_key" | hex_bytes)
modifiers=$(printf "\\3\\3\\3\\3\\3\\3\\$(printf %o "$copy_modifiers")\\3\\3" | hex_bytes)
# The export shows the list's end bytes 0xFF as the code-page character they stand for.
end=$(printf '\xff' | iconv -f CP1252 -t UTF-8)
# Values as `wine reg export` writes them, in its order (by name); long hex lines break after 80 columns.
expected=$(cat <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Quillon\\Tintlet]
"basecolor"="8421504"
"color"="$picked"
"combo"="$edited_template$end$added_template${end}RGB(#r,#g,#b)$end"
"contrastkey"=hex:00,00
"customclr"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\
  00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\
  00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00
"customFormat"="$edited_template"
"display1"="1"
"display2"="1"
"facename"="Tahoma"
"fontheight"="-11"
"fontweight"="400"
"fontwidth"="0"
"history"=""
"hotchars"=hex:$hotchars
"italic"="false"
"modifiers"=hex:$modifiers
"mouse"="true"
"nudgekey"=hex:4e,03
"pastekey"=hex:00,00
"platform"="$notation"
"sample"=dword:00000001
"strikeout"="false"
"textcolor"="16777215"
"trans"="$opacity"
"underline"="false"
"zoomscale"=dword:00000002
EOF
)
export_file=$(mktemp -u /tmp/tintlet-session.XXXXXX.reg)
wine reg export "$key" "$(wine winepath -w "$export_file" 2>/dev/null | tr -d '\r')" /y >/dev/null 2>&1 ||
  fail "the key could not be exported"
actual=$(iconv -f UTF-16 -t UTF-8 "$export_file" | tr -d '\r')
rm -f "$export_file"
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") | sed 's/^/  /' >&2
  fail "the registry differs from what the session set (< expected, > found)"
fi
echo "settings_session: the registry holds exactly the session's choices and the defaults"
