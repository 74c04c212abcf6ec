// The Hotkeys page's two buttons and its rows' focus; the rows are loaded and read by the hotkeys code.
#include "app/state.h"
#include "box/box.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"

void onHotkeysApply() {
  readHotkeyControls();
  registerHotkeys();
}

// The defaults are registered and shown at once, without "Apply".
void onHotkeysDefaults() {
  readHotkeyControls();
  takeDefaultHotkeys();
  registerHotkeys();
}

namespace {

LRESULT CALLBACK hotkeyRowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_SETFOCUS) setNudgeMode(false);
  return DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace

// A row with the focus must get every key the user presses, the arrows, Enter and Escape too.
void watchHotkeyRowFocus(HWND row) { SetWindowSubclass(row, hotkeyRowProc, 0, 0); }
