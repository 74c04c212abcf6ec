// Paste color: the colour text on the clipboard becomes the fixed colour, as Fix color makes one.
#include <cstring>
#include <string>

#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "export/clipboard.h"
#include "export/color_reader.h"
#include "history/history_menu.h"
#include "settings/settings.h"

namespace {

enum class ClipboardRead { text, noText, busy };

// The clipboard's text, from its first character that is no white space and no longer than the reader
// looks: a clipboard of megabytes costs no more than a short text. Windows gives CF_TEXT in the program's
// code page also where another program placed only CF_UNICODETEXT.
ClipboardRead readClipboardText(HWND box, std::string* text) {
  if (!openClipboardPatiently(box)) return ClipboardRead::busy;
  ClipboardRead result = ClipboardRead::noText;
  const HANDLE block = GetClipboardData(CF_TEXT);
  const char* data = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  if (data) {
    const SIZE_T size = GlobalSize(block);
    SIZE_T start = 0;
    while (start < size && data[start] && std::strchr(" \t\r\n\f\v", data[start])) ++start;
    SIZE_T end = start;
    while (end < size && end - start <= kReadableLength && data[end]) ++end;
    text->assign(data + start, end - start);
    GlobalUnlock(block);
    result = ClipboardRead::text;
  }
  CloseClipboard();
  return result;
}

void tellUnreadable(HWND box, const char* why, const std::string& text) {
  char shown[64];
  describeUnreadable(text.data(), text.size(), shown, sizeof shown);
  const std::string message = std::string(why) + "\r\r" + shown;
  MessageBoxA(box, message.c_str(), kProgramTitle, MB_ICONINFORMATION | MB_OK);
}

void fixColor(COLORREF color) {
  settings.pickedColor = color;
  composeColorTexts(color, app.hexText, app.decText);
  boxState.colorFixed = true;
  app.textDirty = true;
  rememberInHistory(color);
  if (app.boxShown) redrawBox(app.boxWnd);
}

}  // namespace

void pasteColor() {
  const HWND box = app.boxWnd;
  std::string text;
  switch (readClipboardText(box, &text)) {
    case ClipboardRead::busy:
      MessageBoxA(box, "The clipboard is busy: another program holds it.", kProgramTitle, MB_ICONINFORMATION | MB_OK);
      return;
    case ClipboardRead::noText:
      tellUnreadable(box, "The clipboard holds no colour Tintlet can read:", text);
      return;
    case ClipboardRead::text:
      break;
  }
  const ReadColor read = readColorText(text.data(), text.size(), settings.customTemplate);
  switch (read.status) {
    case ReadColor::ok:          fixColor(RGB(read.r, read.g, read.b)); break;
    case ReadColor::transparent: tellUnreadable(box, "The clipboard's colour has transparency:", text); break;
    case ReadColor::noColor:     tellUnreadable(box, "The clipboard holds no colour Tintlet can read:", text); break;
  }
}
