#include "hotkeys/hotkeys.h"

#include <commctrl.h>
#include <versionhelpers.h>

#include <cstring>

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "settings/settings.h"

static_assert(kHotkeyShift == HOTKEYF_SHIFT && kHotkeyControl == HOTKEYF_CONTROL && kHotkeyAlt == HOTKEYF_ALT &&
                  kHotkeyExt == HOTKEYF_EXT,
              "hotkey control modifier bits");
static_assert(kRegisterAlt == MOD_ALT && kRegisterControl == MOD_CONTROL && kRegisterShift == MOD_SHIFT,
              "hotkey registration flags");

namespace {

// Actions whose stored pair another program held when Tintlet started: they have no hotkey in this
// run, but the user's pair stays stored and is tried again at the next start, unless the row is changed.
bool refusedAtStart[kActionCount] = {};

// A held hotkey would run its action again at every repeat of the keyboard: toggles would flicker. Windows 7
// brought the flag that stops that; Vista does not know it, so it is asked for only from Windows 7 on.
UINT noRepeat() {
  static const UINT flag = IsWindows7OrGreater() ? MOD_NOREPEAT : 0;
  return flag;
}

void registerPairs(bool atStart, RefusedHotkeys* refused) {
  refused->text[0] = '\0';
  for (int i = 0; i < kActionCount; ++i) {
    const BYTE key = settings.hotkeyChars[i];
    const BYTE modifiers = settings.hotkeyModifiers[i];
    if (refusedAtStart[i] || (!key && !modifiers) ||
        RegisterHotKey(app.boxWnd, i, registrationModifiers(modifiers) | noRepeat(), key))
      continue;
    appendFailedHotkey(modifiers, key, refused->text, sizeof refused->text);
    if (atStart) {
      refusedAtStart[i] = true;
    } else {
      // A pair the user has just chosen and the system refused is left empty, and saved so.
      settings.hotkeyChars[i] = 0;
      settings.hotkeyModifiers[i] = 0;
    }
  }
}

}  // namespace

void registerStoredHotkeys(RefusedHotkeys* refused) { registerPairs(true, refused); }

void registerHotkeys(RefusedHotkeys* refused) { registerPairs(false, refused); }

void reportRefusedHotkeys(const RefusedHotkeys& refused) {
  if (refused.text[0]) reportError(app.boxWnd, kErrHotkeys, refused.text);
}

void unregisterHotkeys() {
  for (int i = 0; i < kActionCount; ++i) UnregisterHotKey(app.boxWnd, i);  // harmless for one not registered
}

WORD shownHotkey(int action) {
  return refusedAtStart[action] ? 0 : MAKEWORD(settings.hotkeyChars[action], settings.hotkeyModifiers[action]);
}

void takeHotkeyRow(int action, WORD pair) {
  if (refusedAtStart[action] && !pair) return;
  refusedAtStart[action] = false;
  settings.hotkeyChars[action] = LOBYTE(pair);
  settings.hotkeyModifiers[action] = HIBYTE(pair);
}

void takeDefaultHotkeys() {
  std::memcpy(settings.hotkeyModifiers, kDefaultModifiers.data(), kActionCount);
  std::memcpy(settings.hotkeyChars, kDefaultHotkeyChars.data(), kActionCount);
  std::memset(refusedAtStart, 0, sizeof refusedAtStart);
}
