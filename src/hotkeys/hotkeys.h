#pragma once

// Start-up: registers the nine stored hotkeys on the colour box and reports those the system refused.
// A refused action has no hotkey in this run; its pair stays stored unless the user changes its row.
void registerStoredHotkeys();
// Apply and Defaults: the same, but a refused pair, which the user has just chosen, is cleared.
void registerHotkeys();
// Unregisters the nine hotkeys and takes the hotkey controls' contents as the stored hotkeys.
void readHotkeyControls();
// Every action's default pair becomes its stored hotkey, also where a pair was refused at start.
void takeDefaultHotkeys();
// Shows every stored hotkey in its hotkey control (a pair refused at start as none).
void loadHotkeyControls();
