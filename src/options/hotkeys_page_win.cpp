// The Hotkeys page's two buttons; the rows themselves are loaded and read by the hotkeys code.
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
