#include "export/clipboard.h"

#include <cstring>

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
  // The block is made and filled before the clipboard is opened and emptied: a failed allocation
  // must leave the user's clipboard as it was. It is sized to the text and its zero (and zeroed,
  // should the system round it up): a larger block carried stale heap bytes to other programs.
  const std::size_t bytes = std::strlen(text) + 1;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes);
  if (!block) return false;
  void* data = GlobalLock(block);
  if (!data) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(data, text, bytes);
  GlobalUnlock(block);
  if (!openClipboardPatiently(box)) {
    GlobalFree(block);
    reportError(box, kErrClipboard, kClipboardErrorText);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the block only once it took it; a refused block is still ours to free.
  const bool copied = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!copied) GlobalFree(block);
  CloseClipboard();
  return copied;
}

void copyColorToClipboard(HWND box, COLORREF color) {
  char text[kClipboardTextSize];
  composeClipboardText(color, text, sizeof text);
  if (placeTextOnClipboard(box, text)) rememberInHistory(color);
}
