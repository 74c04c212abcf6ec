#pragma once

// Registers the nine hotkeys on the colour box and reports those the system refused.
void registerHotkeys();
// Unregisters the nine hotkeys.
void unregisterHotkeys();
