#include "hotkeys/hotkeys.h"

// System hotkeys are not registered yet: the actions arrive only as messages sent to the box.
void registerHotkeys() {}
void readHotkeyControls() {}
void loadHotkeyControls() {}
