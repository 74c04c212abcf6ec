#include "history/history_menu.h"

#include "app/gdi.h"
#include "app/state.h"
#include "box/box_dpi.h"
#include "box/dpi_scale.h"
#include "export/clipboard.h"
#include "export/notation.h"
#include "history/palette.h"
#include "settings/settings.h"

HistoryMenuState historyMenuState;

static_assert(kCmdLastHistory - kCmdFirstHistory + 1 == kHistoryMax, "one menu command per history entry");

namespace {

constexpr int kSwatchSize = 12;                         // pixels at 96 DPI
constexpr COLORREF kSwatchFrame = RGB(0x40, 0x40, 0x40);  // keeps a white or menu-coloured swatch visible

// A framed square of `color`, `size` pixels wide, as a 24-bit DIB: a 32-bit one would be drawn with its
// (empty) alpha channel by the menu.
HBITMAP createSwatch(COLORREF color, int size) {
  BITMAPINFO info = topDownBitmapInfo(size, size, 24);
  void* pixels = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;
  const int stride = (size * 3 + 3) & ~3;
  for (int y = 0; y < size; ++y) {
    BYTE* row = static_cast<BYTE*>(pixels) + y * stride;
    for (int x = 0; x < size; ++x) {
      const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      const COLORREF c = edge ? kSwatchFrame : color;
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return bitmap;
}

int pointerDpi() {
  POINT p = {0, 0};
  GetCursorPos(&p);
  return monitorDpi(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

// The entry's text: the colour in the current notation, with '&' doubled so that it is not a mnemonic.
void entryCaption(COLORREF color, char* out, std::size_t size) {
  char text[kClipboardTextSize];
  composeClipboardText(color, text, sizeof text);
  std::size_t n = 0;
  for (const char* c = text; *c && n + 2 < size; ++c) {
    if (*c == '&') out[n++] = '&';
    out[n++] = *c;
  }
  out[n] = '\0';
}

void setEntryCaptions() {
  for (int i = 0; i < settings.history.count; ++i) {
    char caption[2 * kClipboardTextSize];
    entryCaption(settings.history.colors[i], caption, sizeof caption);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = caption;
    SetMenuItemInfoA(app.historyMenu, kCmdFirstHistory + i, FALSE, &item);
  }
}

void appendSeparator() {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;  // a state of 0 given, or Wine grays it
  item.fType = MFT_SEPARATOR;
  item.wID = kCmdSeparator;
  InsertMenuItemA(app.historyMenu, GetMenuItemCount(app.historyMenu), TRUE, &item);
}

// What takes the history whole. "..." and not the ellipsis character: 0x85 is the ellipsis only in some
// ANSI code pages (a lead byte in Shift JIS).
void appendWholeHistoryItems(UINT grayed) {
  if (grayed) appendSeparator();
  AppendMenuA(app.historyMenu, MF_STRING | grayed, kCmdCopyAllHistory, "Copy &all");
  AppendMenuA(app.historyMenu, MF_STRING | grayed, kCmdSaveHistory, "&Save as...");
}

}  // namespace

void rememberInHistory(COLORREF color) {
  if (rememberColor(&settings.history, color)) fillHistoryMenu();
}

void clearHistory() {
  settings.history.count = 0;
  fillHistoryMenu();
}

void releaseHistorySwatches() {
  for (HBITMAP& swatch : historyMenuState.historySwatches) {
    if (swatch) DeleteObject(swatch);
    swatch = nullptr;
  }
}

void fillHistoryMenu() {
  if (!app.historyMenu) return;
  // The items go before their bitmaps: a menu never holds a deleted one.
  while (GetMenuItemCount(app.historyMenu) > 0) DeleteMenu(app.historyMenu, 0, MF_BYPOSITION);
  releaseHistorySwatches();
  if (settings.history.count == 0) {
    AppendMenuA(app.historyMenu, MF_STRING | MF_GRAYED | MF_DISABLED, kCmdHistoryEmpty, "(empty)");
    appendWholeHistoryItems(MF_GRAYED | MF_DISABLED);
    return;
  }
  historyMenuState.historySwatchDpi = pointerDpi();
  const int size = scaleForDpi(kSwatchSize, historyMenuState.historySwatchDpi);
  for (int i = 0; i < settings.history.count; ++i) {
    historyMenuState.historySwatches[i] = createSwatch(settings.history.colors[i], size);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
    item.wID = kCmdFirstHistory + i;
    item.dwTypeData = const_cast<char*>("");
    item.hbmpItem = historyMenuState.historySwatches[i];
    InsertMenuItemA(app.historyMenu, i, TRUE, &item);
  }
  setEntryCaptions();
  appendSeparator();
  AppendMenuA(app.historyMenu, MF_STRING, kCmdClearHistory, "C&lear history");
  appendWholeHistoryItems(0);
}

LRESULT onMenuPopup(HMENU menu) {
  if (menu != app.historyMenu || settings.history.count == 0) return 0;
  if (pointerDpi() != historyMenuState.historySwatchDpi) fillHistoryMenu();
  else setEntryCaptions();
  return 0;
}

void copyHistoryEntry(HWND box, int entry) {
  if (entry >= 0 && entry < settings.history.count) copyColorToClipboard(box, settings.history.colors[entry]);
}

void copyWholeHistory(HWND box) {
  if (settings.history.count == 0) return;
  const std::string text = historyNotationText(settings.history, settings.formatIndex, settings.customTemplate);
  placeTextOnClipboard(box, text.c_str());
}
