#include "hotkeys/hotkeys.h"

#include <cstring>

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "hotkeys/hotkey_table.h"

static_assert(kHotkeyShift == HOTKEYF_SHIFT && kHotkeyControl == HOTKEYF_CONTROL && kHotkeyAlt == HOTKEYF_ALT &&
                  kHotkeyExt == HOTKEYF_EXT,
              "hotkey control modifier bits");
static_assert(kRegisterAlt == MOD_ALT && kRegisterControl == MOD_CONTROL && kRegisterShift == MOD_SHIFT,
              "hotkey registration flags");

namespace {

// Actions whose stored pair another program held when Tintlet started: they have no hotkey in this
// run, but the user's pair stays stored and is tried again at the next start, unless the row is changed.
bool refusedAtStart[kActionCount] = {};

void showStoredHotkey(int action) {
  const WORD stored = MAKEWORD(settings.hotkeyChars[action], settings.hotkeyModifiers[action]);
  SendMessageA(optionsControls.hotkeyCtrl[action], HKM_SETHOTKEY, refusedAtStart[action] ? 0 : stored, 0);
}

void registerPairs(bool atStart) {
  char failures[kFailureListSize] = "";
  for (int i = 0; i < kActionCount; ++i) {
    const BYTE key = settings.hotkeyChars[i];
    const BYTE modifiers = settings.hotkeyModifiers[i];
    if (!refusedAtStart[i] && (key || modifiers) &&
        !RegisterHotKey(app.boxWnd, i, registrationModifiers(modifiers), key)) {
      appendFailedHotkey(modifiers, key, failures, sizeof failures);
      if (atStart) {
        refusedAtStart[i] = true;
      } else {
        // A pair the user has just chosen and the system refused is left empty, and saved so.
        settings.hotkeyChars[i] = 0;
        settings.hotkeyModifiers[i] = 0;
      }
    }
    showStoredHotkey(i);
  }
  if (failures[0]) reportError(app.boxWnd, kErrHotkeys, failures);
}

}  // namespace

void registerStoredHotkeys() { registerPairs(true); }

void registerHotkeys() { registerPairs(false); }

void readHotkeyControls() {
  for (int i = 0; i < kActionCount; ++i) {
    UnregisterHotKey(app.boxWnd, i);  // fails harmlessly for an identifier that is not registered
    // A control that was never made holds no choice of the user's: the stored hotkey stands.
    if (!optionsControls.hotkeyCtrl[i]) continue;
    const WORD word = LOWORD(SendMessageA(optionsControls.hotkeyCtrl[i], HKM_GETHOTKEY, 0, 0));
    // The row of a pair refused at start shows nothing; left so, the stored pair stands too.
    if (refusedAtStart[i] && !word) continue;
    refusedAtStart[i] = false;
    settings.hotkeyChars[i] = LOBYTE(word);
    settings.hotkeyModifiers[i] = HIBYTE(word);
  }
}

void takeDefaultHotkeys() {
  std::memcpy(settings.hotkeyModifiers, kDefaultModifiers, kActionCount);
  std::memcpy(settings.hotkeyChars, kDefaultHotkeyChars, kActionCount);
  std::memset(refusedAtStart, 0, sizeof refusedAtStart);
}

void loadHotkeyControls() {
  for (int i = 0; i < kActionCount; ++i) showStoredHotkey(i);
}
