#include "hotkeys/hotkeys.h"

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "settings/settings.h"
#include "hotkeys/hotkey_table.h"

static_assert(kHotkeyShift == HOTKEYF_SHIFT && kHotkeyControl == HOTKEYF_CONTROL && kHotkeyAlt == HOTKEYF_ALT &&
                  kHotkeyExt == HOTKEYF_EXT,
              "hotkey control modifier bits");
static_assert(kRegisterAlt == MOD_ALT && kRegisterControl == MOD_CONTROL && kRegisterShift == MOD_SHIFT,
              "hotkey registration flags");

namespace {

void showStoredHotkey(int action) {
  const WORD word = MAKEWORD(settings.hotkeyChars[action], settings.hotkeyModifiers[action]);
  SendMessageA(app.hotkeyCtrl[action], HKM_SETHOTKEY, word, 0);
}

}  // namespace

void registerHotkeys() {
  char failures[kFailureListSize] = "";
  for (int i = 0; i < kActionCount; ++i) {
    const BYTE key = settings.hotkeyChars[i];
    const BYTE modifiers = settings.hotkeyModifiers[i];
    if ((key || modifiers) && !RegisterHotKey(app.boxWnd, i, registrationModifiers(modifiers), key)) {
      appendFailedHotkey(modifiers, key, failures, sizeof failures);
      // A refused action is left without a hotkey, and saved so.
      settings.hotkeyChars[i] = 0;
      settings.hotkeyModifiers[i] = 0;
    }
    showStoredHotkey(i);
  }
  if (failures[0]) reportError(app.boxWnd, kErrHotkeys, failures);
}

void readHotkeyControls() {
  for (int i = 0; i < kActionCount; ++i) {
    UnregisterHotKey(app.boxWnd, i);  // fails harmlessly for an identifier that is not registered
    // A control that was never made holds no choice of the user's: the stored hotkey stands.
    if (!app.hotkeyCtrl[i]) continue;
    const WORD word = LOWORD(SendMessageA(app.hotkeyCtrl[i], HKM_GETHOTKEY, 0, 0));
    settings.hotkeyChars[i] = LOBYTE(word);
    settings.hotkeyModifiers[i] = HIBYTE(word);
  }
}

void loadHotkeyControls() {
  for (int i = 0; i < kActionCount; ++i) showStoredHotkey(i);
}
