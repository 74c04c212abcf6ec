#pragma once
#include <windows.h>

#include <cstddef>

// Copy to Clipboard: `color` (the one the box shows, or one of the history) as text in the notation of
// formatIndex. A colour that reached the clipboard enters the history.
void copyColorToClipboard(HWND box, COLORREF color);
// Puts `text` on the clipboard as CF_TEXT, trying a busy clipboard a few times; a clipboard that stays
// busy is reported. True when the text is there.
bool placeTextOnClipboard(HWND box, const char* text);
// The clipboard text of `color` in the notation of formatIndex; the custom notation expands
// customTemplate, which every edit of the Options page's template field updates.
void composeClipboardText(COLORREF color, char* out, std::size_t size);
// Opens the clipboard, trying again for a moment while another program holds it; false when it stays busy.
bool openClipboardPatiently(HWND box);
