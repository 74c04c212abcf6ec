// The Hotkeys page's two buttons; the rows themselves are loaded and read by the hotkeys code.
#include <cstring>

#include "app/state.h"
#include "settings/settings.h"
#include "hotkeys/hotkey_table.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"

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
