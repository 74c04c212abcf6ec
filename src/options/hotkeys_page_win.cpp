// The Hotkeys page: a row per action that shows its stored pair and takes the user's, the two
// buttons, and the rows' focus.
#include "app/state.h"
#include "box/box.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"

void showHotkeyRows() {
  for (int i = 0; i < kActionCount; ++i)
    SendMessageA(optionsControls.hotkeyCtrl(i), HKM_SETHOTKEY, shownHotkey(i), 0);
}

void takeHotkeyRows() {
  unregisterHotkeys();
  for (int i = 0; i < kActionCount; ++i) {
    // A row that was never made holds no choice of the user's: the stored pair stands.
    if (!optionsControls.hotkeyCtrl(i)) continue;
    takeHotkeyRow(i, LOWORD(SendMessageA(optionsControls.hotkeyCtrl(i), HKM_GETHOTKEY, 0, 0)));
  }
}

namespace {

// The rows show what is in force before the report of any refused pair comes up.
void registerAndShow(void (*registerPairs)(RefusedHotkeys*)) {
  RefusedHotkeys refused;
  registerPairs(&refused);
  showHotkeyRows();
  reportRefusedHotkeys(refused);
}

}  // namespace

void applyStoredHotkeys() { registerAndShow(registerStoredHotkeys); }

void applyHotkeys() { registerAndShow(registerHotkeys); }

void onHotkeysApply() {
  takeHotkeyRows();
  applyHotkeys();
}

// The defaults are registered and shown at once, without "Apply".
void onHotkeysDefaults() {
  takeHotkeyRows();
  takeDefaultHotkeys();
  applyHotkeys();
}

namespace {

LRESULT CALLBACK hotkeyRowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_SETFOCUS) setNudgeMode(false);
  return DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace

// A row with the focus must get every key the user presses, the arrows, Enter and Escape too.
void watchHotkeyRowFocus(HWND row) { SetWindowSubclass(row, hotkeyRowProc, 0, 0); }
