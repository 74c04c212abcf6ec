#include "export/clipboard.h"

#include <cstring>
#include <vector>

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "box/box_geometry.h"
#include "export/notation.h"
#include "history/history_menu.h"
#include "settings/settings.h"

namespace {

constexpr char kClipboardErrorText[] = "Clipboard error !!\r\rUnable to copy !!";

// Clipboard managers and remote-desktop clients hold the clipboard for a few milliseconds:
// five tries over 80 ms before the clipboard counts as busy.
constexpr int kOpenTries = 5;
constexpr DWORD kOpenRetryMs = 20;

// A movable block holding exactly `bytes` bytes of `data`. Sized to the data (and zeroed, should the system
// round it up): a larger block carried stale heap bytes to other programs.
HGLOBAL blockWith(const void* data, std::size_t bytes) {
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes);
  if (!block) return nullptr;
  void* at = GlobalLock(block);
  if (!at) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, data, bytes);
  GlobalUnlock(block);
  return block;
}

}  // namespace

bool openClipboardPatiently(HWND box) {
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(box)) return true;
    if (attempt == kOpenTries) return false;
    Sleep(kOpenRetryMs);
  }
}

void composeClipboardText(COLORREF color, char* out, std::size_t size) {
  char hexText[sizeof app.hexText], decText[sizeof app.decText];
  composeColorTexts(color, hexText, decText);
  composeNotationText(settings.formatIndex, hexText, decText, settings.customTemplate, out, size);
}

bool placeTextOnClipboard(HWND box, const char* text) {
  // The UTF-16 text too, converted from the ANSI code page the text is in: a reader of Unicode text would
  // otherwise get the system's conversion, made with the code page of the keyboard's language.
  // An ANSI character is one or more bytes and becomes one or two UTF-16 units, never more units than bytes.
  const std::size_t bytes = std::strlen(text) + 1;
  std::vector<wchar_t> wide(bytes);
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  // Both blocks are made and filled before the clipboard is opened and emptied: a failed allocation
  // must leave the user's clipboard as it was.
  const HGLOBAL ansi = blockWith(text, bytes);
  if (!ansi) return false;
  const HGLOBAL unicode = units > 0 ? blockWith(wide.data(), units * sizeof(wchar_t)) : nullptr;
  if (units > 0 && !unicode) {
    GlobalFree(ansi);
    return false;
  }
  if (!openClipboardPatiently(box)) {
    GlobalFree(ansi);
    if (unicode) GlobalFree(unicode);
    reportError(box, kErrClipboard, kClipboardErrorText);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns a block only once it took it; a refused block is still ours to free.
  const bool copied = SetClipboardData(CF_TEXT, ansi) != nullptr;
  if (!copied) GlobalFree(ansi);
  if (unicode && !SetClipboardData(CF_UNICODETEXT, unicode)) GlobalFree(unicode);
  CloseClipboard();
  return copied;
}

void copyColorToClipboard(HWND box, COLORREF color) {
  char text[kClipboardTextSize];
  composeClipboardText(color, text, sizeof text);
  if (placeTextOnClipboard(box, text)) rememberInHistory(color);
}
