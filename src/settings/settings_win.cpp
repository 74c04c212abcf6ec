#include "settings/settings.h"

#include <cstdlib>
#include <cstring>

#include "app/state.h"
#include "box/box.h"
#include "history/history.h"
#include "hotkeys/hotkey_table.h"
#include "settings/settings_text.h"

namespace {

constexpr char kSettingsKey[] = "Software\\Quillon\\Tintlet";
constexpr char kOlderKey[] = "Software\\Tintlet";

struct ValueBuffers {
  BYTE data[kValueLimit];
  char text[kValueLimit + 1];  // a value of the full limit without a zero byte still gets one
};

bool queryValue(HKEY key, const char* name, ValueBuffers& buf, DWORD* type, DWORD* size) {
  *size = kValueLimit;
  return RegQueryValueExA(key, name, nullptr, type, buf.data, size) == ERROR_SUCCESS;
}

const char* dataText(const ValueBuffers& buf) { return reinterpret_cast<const char*>(buf.data); }

// The value's text in buf.text. A value that is not text is deleted.
bool readText(HKEY key, const char* name, ValueBuffers& buf) {
  DWORD type, size;
  if (!queryValue(key, name, buf, &type, &size)) return false;
  if (type != REG_SZ) {
    RegDeleteValueA(key, name);
    return false;
  }
  takeText(dataText(buf), size, buf.text, sizeof buf.text);
  return true;
}

bool readFormatValue(HKEY key, const char* name, int* index, ValueBuffers& buf) {
  if (!readText(key, name, buf)) return false;
  const int found = notationIndexOf(buf.text);
  if (found < 0) {
    RegDeleteValueA(key, name);
    return false;
  }
  *index = found;
  return true;
}

bool readBoolValue(HKEY key, const char* name, int* flag, ValueBuffers& buf) {
  if (!readText(key, name, buf)) return false;
  const int found = flagOfText(buf.text);
  if (found < 0) {
    RegDeleteValueA(key, name);
    return false;
  }
  *flag = found;
  return true;
}

bool readIntValue(HKEY key, const char* name, int* value, ValueBuffers& buf) {
  if (!readText(key, name, buf)) return false;
  *value = leadingInteger(buf.text);
  return true;
}

// Binary values are taken at exactly their size, whatever their type.
bool readBytes(HKEY key, const char* name, void* out, DWORD size, ValueBuffers& buf) {
  DWORD type, got;
  if (!queryValue(key, name, buf, &type, &got) || got != size) return false;
  std::memcpy(out, buf.data, size);
  return true;
}

bool writeText(HKEY key, const char* name, const char* text) {
  const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

// A text field of the state, written only up to its own size even if it lost its zero byte.
bool writeField(HKEY key, const char* name, const char* field, std::size_t fieldSize) {
  char text[kTemplateSize];
  takeText(field, fieldSize, text, fieldSize < sizeof text ? fieldSize : sizeof text);
  return writeText(key, name, text);
}

bool writeFormatValue(HKEY key, const char* name, int index) { return writeText(key, name, notationNameOf(index)); }
bool writeBoolValue(HKEY key, const char* name, bool flag) { return writeText(key, name, flagText(flag)); }

bool writeIntValue(HKEY key, const char* name, int value) {
  char text[12];
  integerText(value, text);
  return writeText(key, name, text);
}

bool writeBytes(HKEY key, const char* name, const void* bytes, DWORD size) {
  return RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), size) == ERROR_SUCCESS;
}

void releaseTemplateList() {
  std::free(app.templateListData);
  app.templateListData = nullptr;
  app.templateListSize = 0;
}

// A text value at its full size in a malloc'ed block, with a zero byte after the stored bytes even when
// they hold none; null when the value is missing, not REG_SZ or cannot be read.
char* readWholeText(HKEY key, const char* name, DWORD* size) {
  DWORD type;
  *size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, size) != ERROR_SUCCESS || type != REG_SZ) return nullptr;
  char* block = static_cast<char*>(std::malloc(*size + 1));
  if (!block) return nullptr;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(block), size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    std::free(block);
    return nullptr;
  }
  block[*size] = '\0';
  return block;
}

// "combo" at its full size; no default is written when it is missing.
void loadTemplateList(HKEY key) {
  releaseTemplateList();
  DWORD size;
  char* block = readWholeText(key, "combo", &size);
  if (!block) return;
  app.templateListData = block;
  app.templateListSize = size;
}

enum class HistoryRead { missing, clean, repaired };

// "history" at its full size too: a value of many entries still gives its good ones. A value of another
// type is deleted.
HistoryRead readHistoryValue(HKEY key, ColorHistory* history) {
  DWORD size;
  char* block = readWholeText(key, "history", &size);
  if (!block) {
    RegDeleteValueA(key, "history");
    return HistoryRead::missing;
  }
  const bool clean = readHistoryText(block, listTextLength(block, size), history);
  std::free(block);
  return clean ? HistoryRead::clean : HistoryRead::repaired;
}

bool writeHistoryValue(HKEY key, const ColorHistory& history) {
  char text[kHistoryTextSize];
  historyText(history, text);
  return writeText(key, "history", text);
}

LRESULT comboFind(const char* text) {
  return SendMessageA(app.templateCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void comboAdd(const char* text) { SendMessageA(app.templateCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

}  // namespace

bool loadSettingsFrom(HKEY key) {
  ValueBuffers buf;
  LOGFONTA& font = app.boxLogFont;
  bool allOk = true;
  int n;
  DWORD type, size;
  // Each value: taken when it reads, else its default is written while every earlier one was.
  if (readFormatValue(key, "platform", &n, buf)) app.formatIndex = n;
  else if (allOk) allOk = writeFormatValue(key, "platform", app.formatIndex);
  if (readBoolValue(key, "italic", &n, buf)) font.lfItalic = static_cast<BYTE>(n);
  else if (allOk) allOk = writeBoolValue(key, "italic", font.lfItalic != 0);
  if (readBoolValue(key, "strikeout", &n, buf)) font.lfStrikeOut = static_cast<BYTE>(n);
  else if (allOk) allOk = writeBoolValue(key, "strikeout", font.lfStrikeOut != 0);
  if (readBoolValue(key, "underline", &n, buf)) font.lfUnderline = static_cast<BYTE>(n);
  else if (allOk) allOk = writeBoolValue(key, "underline", font.lfUnderline != 0);
  if (readIntValue(key, "fontheight", &n, buf)) font.lfHeight = n;
  else if (allOk) allOk = writeIntValue(key, "fontheight", font.lfHeight);
  if (readIntValue(key, "fontwidth", &n, buf)) font.lfWidth = n;
  else if (allOk) allOk = writeIntValue(key, "fontwidth", font.lfWidth);
  if (readIntValue(key, "fontweight", &n, buf)) font.lfWeight = n;
  else if (allOk) allOk = writeIntValue(key, "fontweight", font.lfWeight);
  if (readIntValue(key, "textcolor", &n, buf)) app.textColor = static_cast<COLORREF>(n);
  else if (allOk) allOk = writeIntValue(key, "textcolor", static_cast<int>(app.textColor));
  if (readIntValue(key, "basecolor", &n, buf)) app.baseColor = static_cast<COLORREF>(n);
  else if (allOk) allOk = writeIntValue(key, "basecolor", static_cast<int>(app.baseColor));
  if (!readBytes(key, "customclr", app.customColors, sizeof app.customColors, buf) && allOk)
    allOk = writeBytes(key, "customclr", app.customColors, sizeof app.customColors);
  // A stored face name longer than the font's field is cut to fit it.
  if (queryValue(key, "facename", buf, &type, &size)) takeText(dataText(buf), size, font.lfFaceName, LF_FACESIZE);
  else if (allOk) allOk = writeField(key, "facename", font.lfFaceName, LF_FACESIZE);
  if (!readBytes(key, "hotchars", app.hotkeyChars, kActionCount, buf) && allOk)
    allOk = writeBytes(key, "hotchars", kDefaultHotkeyChars, kActionCount);
  if (!readBytes(key, "modifiers", app.hotkeyModifiers, kActionCount, buf) && allOk)
    allOk = writeBytes(key, "modifiers", app.defaultModifiers, kActionCount);
  // Out of range counts as 100 but stays stored until the exit writes the value in use.
  if (readIntValue(key, "trans", &n, buf)) app.opacityPercent = n >= 70 && n <= 100 ? n : 100;
  else if (allOk) allOk = writeIntValue(key, "trans", 100);
  // A stored template longer than the field is cut to fit it.
  if (queryValue(key, "customFormat", buf, &type, &size) && type == REG_SZ)
    takeText(dataText(buf), size, app.customTemplate, kTemplateSize);
  else if (allOk) allOk = writeField(key, "customFormat", app.customTemplate, kTemplateSize);
  loadTemplateList(key);
  // The base is loaded inverted: start-up's one Dec / Hex action flips it to the saved one.
  if (readIntValue(key, "display1", &n, buf)) app.decimalDisplay = n == 1 ? 0 : 1;
  else if (allOk) allOk = writeIntValue(key, "display1", 0);
  if (readIntValue(key, "display2", &n, buf)) {
    app.microForm = n == 1;
    app.zoomView = n == 2;
  } else if (allOk) {
    allOk = writeIntValue(key, "display2", 0);
  }
  if (readBoolValue(key, "mouse", &n, buf)) app.middleButtonMode = n != 0;
  else if (allOk) allOk = writeBoolValue(key, "mouse", app.middleButtonMode);
  if (readIntValue(key, "color", &n, buf)) {
    if (app.middleButtonMode) app.pickedColor = static_cast<COLORREF>(n);
  } else if (allOk) {
    allOk = writeIntValue(key, "color", 0);
  }
  // Bad entries and those past the twelfth are dropped, and the good ones written back at once.
  if (readHistoryValue(key, &app.history) != HistoryRead::clean && allOk)
    allOk = writeHistoryValue(key, app.history);
  return allOk;
}

bool loadSettings() {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS &&
      RegOpenKeyA(HKEY_CURRENT_USER, kOlderKey, &key) != ERROR_SUCCESS &&
      RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS)
    return false;
  const bool allOk = loadSettingsFrom(key);
  const bool closed = RegCloseKey(key) == ERROR_SUCCESS;  // closed after a failed write too
  return allOk && closed;
}

bool saveSettingsTo(HKEY key) {
  const LOGFONTA& font = app.boxLogFont;
  const int display2 = app.microForm ? 1 : app.zoomView ? 2 : 0;
  // Without a list built at exit the stored one stays, rather than an empty list replacing it.
  return writeFormatValue(key, "platform", app.formatIndex) && writeBoolValue(key, "italic", font.lfItalic != 0) &&
         writeBoolValue(key, "underline", font.lfUnderline != 0) &&
         writeBoolValue(key, "strikeout", font.lfStrikeOut != 0) && writeIntValue(key, "fontwidth", font.lfWidth) &&
         writeIntValue(key, "fontheight", font.lfHeight) && writeIntValue(key, "fontweight", font.lfWeight) &&
         writeIntValue(key, "textcolor", static_cast<int>(app.textColor)) &&
         writeIntValue(key, "basecolor", static_cast<int>(app.baseColor)) &&
         writeBytes(key, "customclr", app.customColors, sizeof app.customColors) &&
         writeField(key, "facename", font.lfFaceName, LF_FACESIZE) &&
         writeBytes(key, "modifiers", app.hotkeyModifiers, kActionCount) &&
         writeBytes(key, "hotchars", app.hotkeyChars, kActionCount) &&
         writeIntValue(key, "trans", app.opacityPercent) &&
         writeField(key, "customFormat", app.customTemplate, kTemplateSize) &&
         (!app.templateListData || writeText(key, "combo", app.templateListData)) &&
         writeIntValue(key, "display1", app.decimalDisplay == 1 ? 1 : 0) && writeIntValue(key, "display2", display2) &&
         writeBoolValue(key, "mouse", app.middleButtonMode) &&
         writeIntValue(key, "color", static_cast<int>(app.pickedColor)) && writeHistoryValue(key, app.history);
}

bool saveSettings() {
  HKEY key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return false;
  const bool allOk = saveSettingsTo(key);
  const bool closed = RegCloseKey(key) == ERROR_SUCCESS;
  return allOk && closed;
}

void packTemplateList() {
  // Without the combo box the list loaded at start is still in templateListData: it is saved as it was.
  if (!app.templateCombo) return;
  GetWindowTextA(app.templateCombo, app.customTemplate, kTemplateSize);
  if (comboFind(app.customTemplate) == CB_ERR) comboAdd(app.customTemplate);
  releaseTemplateList();
  const LRESULT count = SendMessageA(app.templateCombo, CB_GETCOUNT, 0, 0);
  std::size_t room = 1, longest = 0;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(app.templateCombo, CB_GETLBTEXTLEN, i, 0);
    if (length <= 0) continue;
    room += static_cast<std::size_t>(length) + 1;
    if (static_cast<std::size_t>(length) > longest) longest = static_cast<std::size_t>(length);
  }
  char* block = static_cast<char*>(std::malloc(room));
  char* item = static_cast<char*>(std::malloc(longest + 1));
  if (block && item) {
    PackedList list = {block, room, 0};
    beginTemplateList(&list);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageA(app.templateCombo, CB_GETLBTEXTLEN, i, 0);
      if (length <= 0 || static_cast<std::size_t>(length) > longest) continue;
      if (SendMessageA(app.templateCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item)) == CB_ERR) continue;
      addTemplateEntry(&list, item);
    }
    app.templateListData = block;
    app.templateListSize = static_cast<DWORD>(packedSize(list));
    block = nullptr;
  }
  std::free(item);
  std::free(block);  // the list was not built: the stored one is kept at saving
}

void unpackTemplateList() {
  if (!app.templateCombo) return;  // the list stays loaded and is saved back unchanged
  if (app.templateListData) {
    const std::size_t length = listTextLength(app.templateListData, app.templateListSize);
    std::size_t pos = 0;
    char entry[kTemplateEntryMax + 1];
    while (nextTemplateEntry(app.templateListData, length, &pos, entry))
      if (comboFind(entry) == CB_ERR) comboAdd(entry);
  }
  if (SendMessageA(app.templateCombo, CB_GETCOUNT, 0, 0) <= 0) comboAdd(app.customTemplate);
  const LRESULT found = comboFind(app.customTemplate);
  if (found != CB_ERR) SendMessageA(app.templateCombo, CB_SETCURSEL, found, 0);
  else SendMessageA(app.templateCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(app.customTemplate));
  releaseTemplateList();
}

LRESULT onQueryEndSession() { return TRUE; }

LRESULT onEndSession(HWND box, bool ending) {
  if (!ending) return 0;
  onBoxDestroy(box);  // the same close as Exit: template list and hotkeys taken into the state
  saveSettings();
  return 0;
}
