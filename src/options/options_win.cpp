#include "options/options.h"

#include "hotkeys/hotkeys.h"

// The Options window is not built yet: its handles stay null, so what is sent to it does nothing.
// The hotkeys are still registered at the point where its creation would do it.
LRESULT CALLBACK optionsProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(wnd, msg, wp, lp); }
void createOptionsWindow() { registerHotkeys(); }
void selectTab(int) {}
