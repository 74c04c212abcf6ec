#pragma once

// Registers the actions' hotkeys on the colour box and reports those the system refused.
void registerHotkeys();
// Unregisters the actions' hotkeys and takes the hotkey controls' contents as the stored hotkeys.
void readHotkeyControls();
// Shows every stored hotkey in its hotkey control.
void loadHotkeyControls();
