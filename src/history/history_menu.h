// The colour history in the program: what enters it, and the tray's "Histor&y" submenu that shows it.
#pragma once
#include <windows.h>

#include "history/history.h"

// The History entries' bitmaps, made with the submenu, and the DPI they were made for.
struct HistoryMenuState {
  HBITMAP historySwatches[kHistoryMax] = {};
  int historySwatchDpi = 0;
};
extern HistoryMenuState historyMenuState;

// A colour copied or frozen: it goes to the front of the history, and the submenu is built again when
// that changed anything.
void rememberInHistory(COLORREF color);
void clearHistory();
// Builds the submenu afresh from the history: an entry with a swatch for each colour, newest first, then a
// separator, "C&lear history", "Copy &all" and "&Save as..."; when there is none, "(empty)", a separator and
// the last two, all grayed. The swatches of the last build are released first.
void fillHistoryMenu();
// The swatches, once at shutdown, after the menus are destroyed.
void releaseHistorySwatches();
// A menu about to open: the History submenu's captions follow the current notation, and its swatches the
// DPI of the pointer's monitor, where the menu opens.
LRESULT onMenuPopup(HMENU menu);
// Copies entry `entry` (0 the newest) in the current notation, as the copy does; nothing past the last.
void copyHistoryEntry(HWND box, int entry);
// Every entry, newest first, one a line in the current notation, on the clipboard as the copy puts one.
void copyWholeHistory(HWND box);
