#include "settings/settings.h"

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "box/area_mean.h"
#include "export/notation.h"
#include "hotkeys/hotkey_table.h"
#include "settings/settings_text.h"

Settings settings;

namespace {

constexpr char kSettingsKey[] = "Software\\Quillon\\Tintlet";
constexpr char kOlderKey[] = "Software\\Tintlet";

// How a value is stored and read back.
enum class Kind {
  notation,      // REG_SZ notation name; an unknown name is deleted
  flag,          // REG_SZ "true" / "false"; any other text is deleted
  number,        // REG_SZ decimal text; another type is deleted; outside the range it is unusable
  choice,        // a number; outside the range the default is used and the stored text stays
  heldColor,     // a number within the range, taken only in middle-button mode
  bytes,         // exactly `size` bytes of any type, written as REG_BINARY; another size is overwritten
  hotkey,        // REG_BINARY of two bytes, the key and the modifier byte of action `defaultNumber`
  faceName,      // printable REG_SZ text, cut to the field; another type is deleted
  text,          // REG_SZ only, cut to the field; another type is overwritten
  templateList,  // REG_SZ read at its full size; never a default
  history,       // REG_SZ read at its full size; bad entries dropped, another type deleted
  listed,        // REG_DWORD that `listed` keeps as it is; another type, size or number gives the default
};

struct SettingValue {
  const char* name;
  Kind kind;
  std::size_t offset;  // the member of Settings
  std::size_t size;
  int defaultNumber;          // the default of a notation, flag or number; the action of a hotkey
  const void* defaultBytes;   // the default of bytes and texts
  int minimum, maximum;       // the accepted numbers
  int (*listed)(int) = nullptr;  // a listed number: the number itself when it is on the list, else another
};

constexpr BYTE kNoCustomColors[sizeof Settings::customColors] = {};

#define MEMBER(m) offsetof(Settings, m), sizeof Settings::m
#define FONT(f) offsetof(Settings, boxLogFont.f), sizeof(LOGFONTA::f)
#define WITHIN(range) range.min, range.max
#define NINE(m) offsetof(Settings, m), kStoredHotkeyCount

// Read in this order at start-up (a later value may depend on an earlier one: the held colour on the mode),
// and written in the same order. The pairs of the actions after the ninth follow "modifiers", one value each.
constexpr SettingValue kBeforeHotkeys[] = {
    {"platform", Kind::notation, MEMBER(formatIndex), 0, nullptr, 0, kNotationCount - 1},
    {"italic", Kind::flag, FONT(lfItalic), 0, nullptr, 0, 1},
    {"strikeout", Kind::flag, FONT(lfStrikeOut), 0, nullptr, 0, 1},
    {"underline", Kind::flag, FONT(lfUnderline), 0, nullptr, 0, 1},
    {"fontheight", Kind::number, FONT(lfHeight), kDefaultFontHeight, nullptr, WITHIN(kFontHeightRange)},
    {"fontwidth", Kind::number, FONT(lfWidth), 0, nullptr, WITHIN(kFontWidthRange)},
    {"fontweight", Kind::number, FONT(lfWeight), kDefaultFontWeight, nullptr, WITHIN(kFontWeightRange)},
    {"textcolor", Kind::number, MEMBER(textColor), kDefaultTextColor, nullptr, WITHIN(kColorRange)},
    {"basecolor", Kind::number, MEMBER(baseColor), kDefaultBaseColor, nullptr, WITHIN(kColorRange)},
    {"customclr", Kind::bytes, MEMBER(customColors), 0, kNoCustomColors, 0, 0},
    {"facename", Kind::faceName, FONT(lfFaceName), 0, kDefaultFaceName, 0, 0},
    {"hotchars", Kind::bytes, NINE(hotkeyChars), 0, kDefaultHotkeyChars.data(), 0, 0},
    {"modifiers", Kind::bytes, NINE(hotkeyModifiers), 0, kDefaultModifiers.data(), 0, 0},
};
constexpr SettingValue kAfterHotkeys[] = {
    // Out of range counts as 100 but stays stored until the exit writes the value in use.
    {"trans", Kind::choice, MEMBER(opacityPercent), 100, nullptr, 70, 100},
    {"customFormat", Kind::text, MEMBER(customTemplate), 0, kDefaultTemplate, 0, 0},
    {"combo", Kind::templateList, 0, 0, 0, nullptr, 0, 0},
    // "1" is decimal, any other number hexadecimal.
    {"display1", Kind::choice, MEMBER(decimalDisplay), 0, nullptr, 0, 1},
    // "1" is the micro form, "2" the zoom form, "3" the contrast form, any other number the normal form.
    {"display2", Kind::choice, MEMBER(form), 0, nullptr, 0, 3},
    {"mouse", Kind::flag, MEMBER(middleButtonMode), 0, nullptr, 0, 1},
    {"color", Kind::heldColor, MEMBER(pickedColor), 0, nullptr, WITHIN(kColorRange)},
    {"history", Kind::history, MEMBER(history), 0, nullptr, 0, 0},
    {"zoomscale", Kind::listed, MEMBER(magnifierScale), 2, nullptr, 0, 0, validMagnifierScale},
    {"sample", Kind::listed, MEMBER(sampleSide), 1, nullptr, 0, 0, validSampleSide},
};
constexpr int kValueCount = int(std::size(kBeforeHotkeys) + (kActionCount - kStoredHotkeyCount) + std::size(kAfterHotkeys));

constexpr std::array<SettingValue, kValueCount> settingValues() {
  std::array<SettingValue, kValueCount> t{};
  int n = 0;
  for (const SettingValue& v : kBeforeHotkeys) t[n++] = v;
  for (int action = kStoredHotkeyCount; action < kActionCount; ++action)
    t[n++] = {kActions[action].storedAs, Kind::hotkey, 0, 2, action, nullptr, 0, 0};
  for (const SettingValue& v : kAfterHotkeys) t[n++] = v;
  return t;
}
constexpr std::array<SettingValue, kValueCount> kValues = settingValues();

#undef MEMBER
#undef FONT
#undef WITHIN
#undef NINE

static_assert(sizeof(BoxForm) == sizeof(std::int32_t), "the form is stored as a number");

BYTE* memberOf(const SettingValue& v) { return reinterpret_cast<BYTE*>(&settings) + v.offset; }

// Numbers and flags live in members of one byte (flags, the base) or four (the rest).
int numberOf(const SettingValue& v) {
  if (v.size == 1) return *memberOf(v);
  std::int32_t n;
  std::memcpy(&n, memberOf(v), sizeof n);
  return n;
}

void setNumber(const SettingValue& v, int n) {
  if (v.size == 1) {
    *memberOf(v) = static_cast<BYTE>(n);
    return;
  }
  const std::int32_t value = n;
  std::memcpy(memberOf(v), &value, sizeof value);
}

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

// A text whose meaning is one of a few names: an unknown name is deleted.
bool readNamed(HKEY key, const char* name, int (*meaning)(const char*), int* n, ValueBuffers& buf) {
  if (!readText(key, name, buf)) return false;
  const int found = meaning(buf.text);
  if (found < 0) {
    RegDeleteValueA(key, name);
    return false;
  }
  *n = found;
  return true;
}

bool writeText(HKEY key, const char* name, const char* text) {
  const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

// A text field, written only up to its own size even if it lost its zero byte.
bool writeField(HKEY key, const char* name, const char* field, std::size_t fieldSize) {
  char text[kTemplateSize];
  takeText(field, fieldSize, text, fieldSize < sizeof text ? fieldSize : sizeof text);
  return writeText(key, name, text);
}

bool writeInteger(HKEY key, const char* name, int value) {
  char text[12];
  integerText(value, text);
  return writeText(key, name, text);
}

bool writeBytes(HKEY key, const char* name, const void* bytes, std::size_t size) {
  return RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), static_cast<DWORD>(size)) ==
         ERROR_SUCCESS;
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

// The template list at its full size; no default is written when it is missing.
void loadTemplateList(HKEY key, const char* name) {
  settings.templates.clear();
  DWORD size;
  char* block = readWholeText(key, name, &size);
  if (!block) return;
  settings.templates.addStored(block, size);
  std::free(block);
}

// The template in use is always in the list, and spelled as the list spells it.
void settleTemplates() {
  if (settings.templates.empty()) settings.templates.add(settings.customTemplate);
  const int found = settings.templates.find(settings.customTemplate);
  if (found >= 0) lstrcpynA(settings.customTemplate, settings.templates[found].c_str(), kTemplateSize);
}

ColorHistory& historyOf(const SettingValue& v) { return *reinterpret_cast<ColorHistory*>(memberOf(v)); }

// The colour history at its full size, so that a value of many entries still gives its good ones. When
// entries were dropped the value is unusable, and the good ones, now in the member, are written as its
// repair. A value of another type is deleted.
bool readHistory(HKEY key, const SettingValue& v) {
  DWORD size;
  char* block = readWholeText(key, v.name, &size);
  if (!block) {
    RegDeleteValueA(key, v.name);
    return false;
  }
  const bool clean = readHistoryText(block, listTextLength(block, size), &historyOf(v));
  std::free(block);
  return clean;
}

bool writeHistory(HKEY key, const SettingValue& v) {
  char text[kHistoryTextSize];
  historyText(historyOf(v), text);
  return writeText(key, v.name, text);
}

// Reads one value into its member. False when it is missing or unusable: its default is then due.
bool readValue(HKEY key, const SettingValue& v, ValueBuffers& buf) {
  DWORD type, size;
  int n;
  switch (v.kind) {
    case Kind::notation:
      if (!readNamed(key, v.name, notationIndexOf, &n, buf)) return false;
      setNumber(v, n);
      return true;
    case Kind::flag:
      if (!readNamed(key, v.name, flagOfText, &n, buf)) return false;
      setNumber(v, n);
      return true;
    case Kind::number:
      if (!readText(key, v.name, buf)) return false;
      n = leadingInteger(buf.text);
      if (n < v.minimum || n > v.maximum) return false;
      setNumber(v, n);
      return true;
    case Kind::choice:
      if (!readText(key, v.name, buf)) return false;
      n = leadingInteger(buf.text);
      setNumber(v, n >= v.minimum && n <= v.maximum ? n : v.defaultNumber);
      return true;
    case Kind::heldColor:
      if (!readText(key, v.name, buf)) return false;
      n = leadingInteger(buf.text);
      if (n < v.minimum || n > v.maximum) return false;
      if (settings.middleButtonMode) setNumber(v, n);
      return true;
    case Kind::bytes:
      // Taken at exactly their size, whatever their type.
      if (!queryValue(key, v.name, buf, &type, &size) || size != v.size) return false;
      std::memcpy(memberOf(v), buf.data, v.size);
      return true;
    case Kind::hotkey:
      if (!queryValue(key, v.name, buf, &type, &size) || type != REG_BINARY || size != v.size) return false;
      settings.hotkeyChars[v.defaultNumber] = buf.data[0];
      settings.hotkeyModifiers[v.defaultNumber] = buf.data[1];
      return true;
    case Kind::faceName:
      if (!readText(key, v.name, buf) || !faceNameUsable(buf.text)) return false;
      takeText(buf.text, sizeof buf.text, reinterpret_cast<char*>(memberOf(v)), v.size);
      return true;
    case Kind::text:
      if (!queryValue(key, v.name, buf, &type, &size) || type != REG_SZ) return false;
      takeText(dataText(buf), size, reinterpret_cast<char*>(memberOf(v)), v.size);
      return true;
    case Kind::templateList:
      loadTemplateList(key, v.name);
      return true;
    case Kind::history:
      return readHistory(key, v);
    case Kind::listed:
      if (!queryValue(key, v.name, buf, &type, &size) || type != REG_DWORD || size != sizeof(DWORD)) return false;
      std::memcpy(&n, buf.data, sizeof n);
      if (v.listed(n) != n) return false;
      setNumber(v, n);
      return true;
  }
  return true;
}

// Writes the member of one value.
bool writeValue(HKEY key, const SettingValue& v) {
  switch (v.kind) {
    case Kind::notation:  return writeText(key, v.name, notationNameOf(numberOf(v)));
    case Kind::flag:      return writeText(key, v.name, flagText(numberOf(v) != 0));
    case Kind::number:
    case Kind::choice:
    case Kind::heldColor: return writeInteger(key, v.name, numberOf(v));
    case Kind::bytes:     return writeBytes(key, v.name, memberOf(v), v.size);
    case Kind::hotkey: {
      const BYTE pair[2] = {settings.hotkeyChars[v.defaultNumber], settings.hotkeyModifiers[v.defaultNumber]};
      return writeBytes(key, v.name, pair, sizeof pair);
    }
    case Kind::faceName:
    case Kind::text:      return writeField(key, v.name, reinterpret_cast<const char*>(memberOf(v)), v.size);
    case Kind::templateList: return writeText(key, v.name, settings.templates.stored().c_str());
    case Kind::history:   return writeHistory(key, v);
    case Kind::listed: {
      const DWORD n = static_cast<DWORD>(numberOf(v));
      return RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n) == ERROR_SUCCESS;
    }
  }
  return true;
}

// Writes the default of one value: the member, which holds it until the value is read.
bool writeDefault(HKEY key, const SettingValue& v) {
  if (v.kind == Kind::number || v.kind == Kind::choice || v.kind == Kind::heldColor)
    return writeInteger(key, v.name, v.defaultNumber);
  if (v.kind == Kind::listed) setNumber(v, v.defaultNumber);  // a value not on the list is not taken either
  return writeValue(key, v);
}

void setDefault(const SettingValue& v) {
  switch (v.kind) {
    case Kind::bytes:        std::memcpy(memberOf(v), v.defaultBytes, v.size); break;
    case Kind::faceName:
    case Kind::text: {
      const char* text = static_cast<const char*>(v.defaultBytes);
      takeText(text, std::strlen(text) + 1, reinterpret_cast<char*>(memberOf(v)), v.size);
      break;
    }
    case Kind::templateList: settings.templates.clear(); break;
    case Kind::hotkey:
      settings.hotkeyChars[v.defaultNumber] = kDefaultHotkeyChars[v.defaultNumber];
      settings.hotkeyModifiers[v.defaultNumber] = kDefaultModifiers[v.defaultNumber];
      break;
    case Kind::history:      historyOf(v) = {}; break;
    default:                 setNumber(v, v.defaultNumber); break;
  }
}

}  // namespace

void initDefaultLogFont(LOGFONTA* font) {
  *font = {};
  font->lfHeight = kDefaultFontHeight;
  font->lfWeight = kDefaultFontWeight;
  font->lfCharSet = ANSI_CHARSET;
  font->lfOutPrecision = OUT_STROKE_PRECIS;
  font->lfClipPrecision = CLIP_STROKE_PRECIS;
  font->lfQuality = DRAFT_QUALITY;
  font->lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(font->lfFaceName, kDefaultFaceName);
}

int compareTemplates(const char* a, const char* b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1) - CSTR_EQUAL;
}

void resetSettings() {
  settings = {};
  initDefaultLogFont(&settings.boxLogFont);
  for (const SettingValue& v : kValues) setDefault(v);
  settleTemplates();
}

// Whether the value holds the pair of an action that `repaired` marks.
bool holdsRepairedPair(const SettingValue& v, const bool repaired[kActionCount]) {
  if (v.kind == Kind::hotkey) return repaired[v.defaultNumber];
  const bool nine = v.offset == offsetof(Settings, hotkeyChars) || v.offset == offsetof(Settings, hotkeyModifiers);
  if (v.kind != Kind::bytes || !nine) return false;
  for (int action = 0; action < kStoredHotkeyCount; ++action)
    if (repaired[action]) return true;
  return false;
}

// A stored key without Ctrl, Alt or Shift would be taken from every program as a bare key: it becomes
// the pair the Hotkeys page makes of it, Ctrl+Shift+key, and is written back.
bool repairHotkeys(HKEY key) {
  bool repaired[kActionCount] = {};
  for (int action = 0; action < kActionCount; ++action)
    repaired[action] = repairStoredHotkey(&settings.hotkeyChars[action], &settings.hotkeyModifiers[action]);
  bool allOk = true;
  for (const SettingValue& v : kValues)
    if (allOk && holdsRepairedPair(v, repaired)) allOk = writeValue(key, v);
  return allOk;
}

bool loadSettingsFrom(HKEY key) {
  ValueBuffers buf;
  bool allOk = true;
  // Each value: taken when it reads, else its default is written while every earlier one was.
  for (const SettingValue& v : kValues)
    if (!readValue(key, v, buf) && allOk) allOk = writeDefault(key, v);
  if (!repairHotkeys(key)) allOk = false;
  settleTemplates();
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
  for (const SettingValue& v : kValues)
    if (!writeValue(key, v)) return false;
  return true;
}

bool saveSettings() {
  HKEY key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return false;
  const bool allOk = saveSettingsTo(key);
  const bool closed = RegCloseKey(key) == ERROR_SUCCESS;
  return allOk && closed;
}
