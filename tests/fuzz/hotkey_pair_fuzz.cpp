// Stored hotkey pairs of any bytes (a virtual key, then its modifier byte, as "nudgekey" holds them),
// repaired as the store repairs them: no pair is left a bare key, a pair the Hotkeys page could give is
// left alone, and every name fits the failure list.
#include <cstring>
#include <vector>

#include "fuzz.h"
#include "hotkeys/hotkey_table.h"

namespace {

constexpr unsigned char kModifierBits = kHotkeyShift | kHotkeyControl | kHotkeyAlt;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputBytes in = {data, size};
  std::vector<char> failures(kFailureListSize);  // exactly its size, so a write past it is caught
  for (int pair = 0; in.size >= 2; ++pair) {
    const unsigned char storedKey = in.take(), storedModifiers = in.take();
    unsigned char key = storedKey, modifiers = storedModifiers;
    const bool changed = repairStoredHotkey(&key, &modifiers);

    require(changed == (key != storedKey || modifiers != storedModifiers));
    require(key == storedKey);
    if (key == 0) {
      require(modifiers == 0);
    } else {
      require((modifiers & kModifierBits) != 0 && registrationModifiers(modifiers) != 0);
      require((modifiers & ~(kHotkeyShift | kHotkeyControl)) == (storedModifiers & ~(kHotkeyShift | kHotkeyControl)));
      require(changed == ((storedModifiers & kModifierBits) == 0));
    }
    unsigned char againKey = key, againModifiers = modifiers;
    require(!repairStoredHotkey(&againKey, &againModifiers));

    std::vector<char> name(kHotkeyNameMax + 1);
    formatHotkeyName(modifiers, key, name.data(), name.size());
    require(std::strlen(name.data()) <= kHotkeyNameMax);
    if (key != 0)
      require(!std::strncmp(name.data(), "Ctrl+", 5) || !std::strncmp(name.data(), "Alt+", 4) ||
              !std::strncmp(name.data(), "Shift+", 6));
    if (pair < kActionCount) appendFailedHotkey(modifiers, key, failures.data(), failures.size());
  }
  require(std::strlen(failures.data()) < failures.size());
  return 0;
}
