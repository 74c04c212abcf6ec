#include "hotkeys/hotkeys.h"

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "settings/settings.h"
#include "hotkeys/hotkey_table.h"
#include "options/options.h"

static_assert(kHotkeyShift == HOTKEYF_SHIFT && kHotkeyControl == HOTKEYF_CONTROL && kHotkeyAlt == HOTKEYF_ALT &&
                  kHotkeyExt == HOTKEYF_EXT,
              "hotkey control modifier bits");
static_assert(kRegisterAlt == MOD_ALT && kRegisterControl == MOD_CONTROL && kRegisterShift == MOD_SHIFT,
              "hotkey registration flags");

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
  }
  loadHotkeyControls();
  if (failures[0]) reportError(app.boxWnd, kErrHotkeys, failures);
}

void unregisterHotkeys() {
  // Fails harmlessly for an identifier that is not registered.
  for (int i = 0; i < kActionCount; ++i) UnregisterHotKey(app.boxWnd, i);
}
