#pragma once
#include <windows.h>

#include <cstddef>

// Copy to Clipboard: the colour the box shows, as text in the notation of formatIndex.
void copyColorToClipboard(HWND box);
// The clipboard text of the colour the box shows, in the notation of formatIndex; the custom
// notation expands customTemplate, which every edit of the Options page's template field updates.
void composeClipboardText(char* out, std::size_t size);
