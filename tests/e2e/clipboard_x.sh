#!/usr/bin/env bash
# The copy as another X program sees it: the running Tintlet.exe copies in its default notation
# (html) and the X clipboard must hold exactly "#" and six hexadecimal digits, nothing after them.
set -uo pipefail
win=$(cd "${1:?build folder}" && pwd)
export DISPLAY=$(cat "$win/wine/display")
wine() { "$win/wine-run" "$@"; }  # this build's Wine: its loader, prefix and display

# Something else on the clipboard first, so the copy is seen to replace it.
echo before-copy | xclip -selection clipboard -quiet >/dev/null 2>&1 &
holder=$!
tintlet=
cleanup() {
  kill "$holder" 2>/dev/null
  [ -n "$tintlet" ] && kill "$tintlet" 2>/dev/null
}
trap cleanup EXIT
sleep 0.3

# A first start: a notation saved by an earlier run must not count.
wine reg delete 'HKCU\Software\Quillon\Tintlet' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tintlet' /f >/dev/null 2>&1
wine "$win/set_cursor.exe" 400 300
wine "$win/Tintlet.exe" &
tintlet=$!
wine "$win/send_action.exe" 6 || { echo "clipboard_x: the colour box did not appear"; exit 1; }

clip() { xclip -o -selection clipboard 2>/dev/null; }
for _ in $(seq 100); do
  [ "$(clip | tr -d '\0')" != before-copy ] && break
  sleep 0.1
done
bytes=$(clip | wc -c)
plain=$(clip | tr -d '\0')
shown=$(clip | od -An -c | head -4 | tr -s ' \n' ' ')

wine "$win/send_action.exe" 8
for _ in $(seq 100); do kill -0 "$tintlet" 2>/dev/null || break; sleep 0.1; done
tintlet=

if ! [[ $plain =~ ^#[0-9A-F]{6}$ ]] || [ "$bytes" -ne 7 ]; then
  echo "clipboard_x: X clipboard holds $bytes bytes:$shown"
  exit 1
fi
echo "clipboard_x: X clipboard holds $plain and nothing else"
