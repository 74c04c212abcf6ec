#pragma once
#include <windows.h>

#include <cstddef>

// Copy to Clipboard: the colour the box shows, as text in the notation of formatIndex.
void copyColorToClipboard(HWND box);
// The clipboard text of the colour the box shows, in the notation of formatIndex; the custom
// template is the edit text of templateCombo at this moment (customTemplate while it does not exist).
void composeClipboardText(char* out, std::size_t size);
