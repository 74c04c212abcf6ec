#include "options/options.h"

// The font and colour dialogs are not built yet.
void onFontCommand() {}
void onColorCommand(HWND) {}
bool bringToFront(HWND) { return false; }
void applyShiftPick(COLORREF) {}
