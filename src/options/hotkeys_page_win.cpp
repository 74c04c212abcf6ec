// The Hotkeys page: its rows show and take the stored hotkeys, and its two buttons.
#include <cstring>

#include "app/state.h"
#include "settings/settings.h"
#include "hotkeys/hotkey_table.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"

namespace {

void showStoredHotkey(int action) {
  const WORD word = MAKEWORD(settings.hotkeyChars[action], settings.hotkeyModifiers[action]);
  SendMessageA(optionsControls.hotkeyCtrl[action], HKM_SETHOTKEY, word, 0);
}

}  // namespace

void readHotkeyControls() {
  unregisterHotkeys();
  for (int i = 0; i < kActionCount; ++i) {
    // A control that was never made holds no choice of the user's: the stored hotkey stands.
    if (!optionsControls.hotkeyCtrl[i]) continue;
    const WORD word = LOWORD(SendMessageA(optionsControls.hotkeyCtrl[i], HKM_GETHOTKEY, 0, 0));
    settings.hotkeyChars[i] = LOBYTE(word);
    settings.hotkeyModifiers[i] = HIBYTE(word);
  }
}

void loadHotkeyControls() {
  for (int i = 0; i < kActionCount; ++i) showStoredHotkey(i);
}

void onHotkeysApply() {
  readHotkeyControls();
  registerHotkeys();
}

// The defaults are registered and shown at once, without "Apply".
void onHotkeysDefaults() {
  readHotkeyControls();
  std::memcpy(settings.hotkeyModifiers, kDefaultModifiers, kActionCount);
  std::memcpy(settings.hotkeyChars, kDefaultHotkeyChars, kActionCount);
  registerHotkeys();
}
