#pragma once
#include <windows.h>

// Copy to Clipboard: the colour the box shows, as text in the notation of formatIndex.
void copyColorToClipboard(HWND box);
