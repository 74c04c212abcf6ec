// The actions' global hotkeys: registered on the colour box from the stored pairs. The Hotkeys page
// shows and edits the pairs; this module decides which of them are in force.
#pragma once
#include <windows.h>

#include "hotkeys/hotkey_table.h"

// The pairs the system refused, listed as the report shows them; empty when none was.
struct RefusedHotkeys {
  char text[kFailureListSize] = "";
};

// Start-up: registers the stored pairs. A refused action has no hotkey in this run; its pair stays
// stored and is tried again at the next start, unless the user changes its row.
void registerStoredHotkeys(RefusedHotkeys* refused);
// Apply and Defaults: the same, but a refused pair, which the user has just chosen, is cleared.
void registerHotkeys(RefusedHotkeys* refused);
// Tells the user which pairs were refused, if any.
void reportRefusedHotkeys(const RefusedHotkeys& refused);
// Unregisters every action's hotkey.
void unregisterHotkeys();
// The pair a row shows for `action`: none for a pair refused at start.
WORD shownHotkey(int action);
// The pair the user left in the row of `action` becomes its stored hotkey. A row left empty where a
// pair was refused at start keeps that pair stored.
void takeHotkeyRow(int action, WORD pair);
// Every action's default pair becomes its stored hotkey, also where a pair was refused at start.
void takeDefaultHotkeys();
