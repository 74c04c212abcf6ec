#include "settings/settings.h"

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <utility>
#include <vector>
#include <string>

#include "box/area_mean.h"
#include "export/notation.h"
#include "hotkeys/hotkey_table.h"
#include "settings/ini_text.h"
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

// One store of the values: the registry key, or Tintlet.ini. The table's kinds read and write through it, so
// a value is one row whichever store holds it. A read is false when the value is missing or not of the
// kind asked for; the caller then gives the value its default, as it does for a value out of range.
class ValueStore {
 public:
  // A text's bytes as stored (a registry text may keep its zero byte); one of `limit` bytes or more with
  // its zero byte is unusable.
  virtual bool readText(const char* name, std::string* text, std::size_t limit) = 0;
  // A number: in the registry a text read by leadingInteger, in the file decimal digits.
  virtual bool readNumber(const char* name, long long* n) = 0;
  // Bytes: in the registry of any type, or only REG_BINARY when `binaryOnly`; in the file hex digits.
  virtual bool readBytes(const char* name, std::string* bytes, bool binaryOnly) = 0;
  virtual void remove(const char* name) = 0;
  virtual bool writeText(const char* name, const char* text) = 0;
  virtual bool writeNumber(const char* name, int n) = 0;
  virtual bool writeBytes(const char* name, const void* bytes, std::size_t size) = 0;
  // A 32-bit number: in the registry REG_DWORD only, in the file decimal digits.
  virtual bool readDword(const char* name, DWORD* n) = 0;
  virtual bool writeDword(const char* name, DWORD n) = 0;

 protected:
  ~ValueStore() = default;
};

constexpr std::size_t kWhole = SIZE_MAX;  // a text read at whatever size it has

class RegistryStore final : public ValueStore {
 public:
  explicit RegistryStore(HKEY key) : key_(key) {}

  bool readText(const char* name, std::string* text, std::size_t limit) override {
    DWORD type;
    return query(name, text, &type, limit) && type == REG_SZ;
  }
  bool readNumber(const char* name, long long* n) override {
    std::string text;
    if (!readText(name, &text, kValueLimit)) return false;
    char digits[kValueLimit + 1];
    takeText(text.data(), text.size(), digits, sizeof digits);
    *n = leadingInteger(digits);
    return true;
  }
  bool readBytes(const char* name, std::string* bytes, bool binaryOnly) override {
    DWORD type;
    return query(name, bytes, &type, kValueLimit) && (!binaryOnly || type == REG_BINARY);
  }
  void remove(const char* name) override { RegDeleteValueA(key_, name); }
  bool writeText(const char* name, const char* text) override {
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
  }
  bool writeNumber(const char* name, int n) override {
    char text[12];
    integerText(n, text);
    return writeText(name, text);
  }
  bool writeBytes(const char* name, const void* bytes, std::size_t size) override {
    return RegSetValueExA(key_, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
  }
  bool readDword(const char* name, DWORD* n) override {
    std::string data;
    DWORD type;
    if (!query(name, &data, &type, kValueLimit) || type != REG_DWORD || data.size() != sizeof *n) return false;
    std::memcpy(n, data.data(), sizeof *n);
    return true;
  }
  bool writeDword(const char* name, DWORD n) override {
    return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n) == ERROR_SUCCESS;
  }

 private:
  // The value's bytes when they fit in `limit`; a whole value is asked for its size first.
  bool query(const char* name, std::string* data, DWORD* type, std::size_t limit) {
    DWORD size = static_cast<DWORD>(limit);
    if (limit == kWhole && RegQueryValueExA(key_, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    data->assign(size, '\0');
    if (RegQueryValueExA(key_, name, nullptr, type, reinterpret_cast<BYTE*>(&(*data)[0]), &size) != ERROR_SUCCESS)
      return false;
    data->resize(size);
    return true;
  }
  HKEY key_;
};

// The values as Tintlet.ini spells them (ini_text.h): a number in decimal, bytes in hex, a text quoted.
class IniStore : public ValueStore {
 public:
  bool readText(const char* name, std::string* text, std::size_t limit) override {
    const IniValue* v = read_.find(name);
    if (!v || !v->quoted || (limit != kWhole && v->data.size() + 1 > limit)) return false;
    *text = v->data;
    return true;
  }
  bool readNumber(const char* name, long long* n) override {
    const IniValue* v = read_.find(name);
    return v && !v->quoted && parseDecimal(v->data, n);
  }
  bool readBytes(const char* name, std::string* bytes, bool) override {
    const IniValue* v = read_.find(name);
    return v && !v->quoted && parseHexBytes(v->data, bytes);
  }
  void remove(const char* name) override { changed_ |= lines_.erase(name) != 0; }
  bool writeText(const char* name, const char* text) override { return spell(name, iniText(text)); }
  bool writeNumber(const char* name, int n) override { return spell(name, iniNumber(n)); }
  bool writeBytes(const char* name, const void* bytes, std::size_t size) override {
    return spell(name, iniBytes(bytes, size));
  }
  bool readDword(const char* name, DWORD* n) override {
    long long number;
    if (!readNumber(name, &number) || number < 0 || number > 0xFFFFFFFFLL) return false;
    *n = static_cast<DWORD>(number);
    return true;
  }
  bool writeDword(const char* name, DWORD n) override { return spell(name, iniNumber(n)); }

  // Takes the text of a file: each value of the table that it holds keeps its spelling until written.
  template <typename Values>
  void parse(const std::string& text, const Values& values) {
    read_.parse(text.data(), text.size());
    for (const auto& v : values)
      if (const IniValue* found = read_.find(v.name))
        lines_[v.name] = found->quoted ? iniText(found->data.c_str()) : found->data;
  }
  bool changed() const { return changed_; }
  // The spelling of `name`, or null when the file is to have no such line.
  const std::string* line(const char* name) const {
    const auto found = lines_.find(name);
    return found == lines_.end() ? nullptr : &found->second;
  }

 private:
  bool spell(const char* name, std::string text) {
    lines_[name] = std::move(text);
    changed_ = true;
    return true;
  }
  IniFile read_;
  std::map<std::string, std::string> lines_;  // by the table's spelling of the name
  bool changed_ = false;
};

// A read that fails on a value of the wrong kind removes it, for the kinds whose default replaces it.
bool readTextOrRemove(ValueStore& store, const char* name, std::string* text) {
  if (store.readText(name, text, kValueLimit)) return true;
  store.remove(name);
  return false;
}

bool readNumberOrRemove(ValueStore& store, const char* name, long long* n) {
  if (store.readNumber(name, n)) return true;
  store.remove(name);
  return false;
}

// A text whose meaning is one of a few names: an unknown name is removed.
bool readNamed(ValueStore& store, const char* name, int (*meaning)(const char*), int* n) {
  std::string stored;
  if (!readTextOrRemove(store, name, &stored)) return false;
  char text[kValueLimit + 1];
  takeText(stored.data(), stored.size(), text, sizeof text);
  const int found = meaning(text);
  if (found < 0) {
    store.remove(name);
    return false;
  }
  *n = found;
  return true;
}

// A text field, written only up to its own size even if it lost its zero byte.
bool writeField(ValueStore& store, const char* name, const char* field, std::size_t fieldSize) {
  char text[kTemplateSize];
  takeText(field, fieldSize, text, fieldSize < sizeof text ? fieldSize : sizeof text);
  return store.writeText(name, text);
}

// The template list at its full size; no default is written when it is missing.
void loadTemplateList(ValueStore& store, const char* name) {
  settings.templates.clear();
  std::string stored;
  if (store.readText(name, &stored, kWhole)) settings.templates.addStored(stored.c_str(), stored.size());
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
// repair. A value of another kind is removed.
bool readHistory(ValueStore& store, const SettingValue& v) {
  std::string stored;
  if (!store.readText(v.name, &stored, kWhole)) {
    store.remove(v.name);
    return false;
  }
  return readHistoryText(stored.c_str(), listTextLength(stored.c_str(), stored.size()), &historyOf(v));
}

bool writeHistory(ValueStore& store, const SettingValue& v) {
  char text[kHistoryTextSize];
  historyText(historyOf(v), text);
  return store.writeText(v.name, text);
}

bool inRange(const SettingValue& v, long long n) { return n >= v.minimum && n <= v.maximum; }

// Reads one value into its member. False when it is missing or unusable: its default is then due.
bool readValue(ValueStore& store, const SettingValue& v) {
  std::string stored;
  long long number;
  int n;
  DWORD dword;
  switch (v.kind) {
    case Kind::notation:
      if (!readNamed(store, v.name, notationIndexOf, &n)) return false;
      setNumber(v, n);
      return true;
    case Kind::flag:
      if (!readNamed(store, v.name, flagOfText, &n)) return false;
      setNumber(v, n);
      return true;
    case Kind::number:
      if (!readNumberOrRemove(store, v.name, &number) || !inRange(v, number)) return false;
      setNumber(v, static_cast<int>(number));
      return true;
    case Kind::choice:
      if (!readNumberOrRemove(store, v.name, &number)) return false;
      setNumber(v, inRange(v, number) ? static_cast<int>(number) : v.defaultNumber);
      return true;
    case Kind::heldColor:
      if (!readNumberOrRemove(store, v.name, &number) || !inRange(v, number)) return false;
      if (settings.middleButtonMode) setNumber(v, static_cast<int>(number));
      return true;
    case Kind::bytes:
      // Taken at exactly their size, whatever their type.
      if (!store.readBytes(v.name, &stored, false) || stored.size() != v.size) return false;
      std::memcpy(memberOf(v), stored.data(), v.size);
      return true;
    case Kind::hotkey:
      if (!store.readBytes(v.name, &stored, true) || stored.size() != v.size) return false;
      settings.hotkeyChars[v.defaultNumber] = static_cast<BYTE>(stored[0]);
      settings.hotkeyModifiers[v.defaultNumber] = static_cast<BYTE>(stored[1]);
      return true;
    case Kind::faceName: {
      char text[kValueLimit + 1];
      if (!readTextOrRemove(store, v.name, &stored)) return false;
      takeText(stored.data(), stored.size(), text, sizeof text);
      if (!faceNameUsable(text)) return false;
      takeText(text, sizeof text, reinterpret_cast<char*>(memberOf(v)), v.size);
      return true;
    }
    case Kind::text:
      if (!store.readText(v.name, &stored, kValueLimit)) return false;
      takeText(stored.data(), stored.size(), reinterpret_cast<char*>(memberOf(v)), v.size);
      return true;
    case Kind::templateList:
      loadTemplateList(store, v.name);
      return true;
    case Kind::history:
      return readHistory(store, v);
    case Kind::listed:
      if (!store.readDword(v.name, &dword) || v.listed(static_cast<int>(dword)) != static_cast<int>(dword)) return false;
      setNumber(v, static_cast<int>(dword));
      return true;
  }
  return true;
}

// Writes the member of one value.
bool writeValue(ValueStore& store, const SettingValue& v) {
  switch (v.kind) {
    case Kind::notation:  return store.writeText(v.name, notationNameOf(numberOf(v)));
    case Kind::flag:      return store.writeText(v.name, flagText(numberOf(v) != 0));
    case Kind::number:
    case Kind::choice:
    case Kind::heldColor: return store.writeNumber(v.name, numberOf(v));
    case Kind::bytes:     return store.writeBytes(v.name, memberOf(v), v.size);
    case Kind::hotkey: {
      const BYTE pair[2] = {settings.hotkeyChars[v.defaultNumber], settings.hotkeyModifiers[v.defaultNumber]};
      return store.writeBytes(v.name, pair, sizeof pair);
    }
    case Kind::faceName:
    case Kind::text:      return writeField(store, v.name, reinterpret_cast<const char*>(memberOf(v)), v.size);
    case Kind::templateList: return store.writeText(v.name, settings.templates.stored().c_str());
    case Kind::history:   return writeHistory(store, v);
    case Kind::listed:    return store.writeDword(v.name, static_cast<DWORD>(numberOf(v)));
  }
  return true;
}

// Writes the default of one value: the member, which holds it until the value is read.
bool writeDefault(ValueStore& store, const SettingValue& v) {
  if (v.kind == Kind::number || v.kind == Kind::choice || v.kind == Kind::heldColor)
    return store.writeNumber(v.name, v.defaultNumber);
  if (v.kind == Kind::listed) setNumber(v, v.defaultNumber);  // a value not on the list is not taken either
  return writeValue(store, v);
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

namespace {

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
bool repairHotkeys(ValueStore& store) {
  bool repaired[kActionCount] = {};
  for (int action = 0; action < kActionCount; ++action)
    repaired[action] = repairStoredHotkey(&settings.hotkeyChars[action], &settings.hotkeyModifiers[action]);
  bool allOk = true;
  for (const SettingValue& v : kValues)
    if (allOk && holdsRepairedPair(v, repaired)) allOk = writeValue(store, v);
  return allOk;
}

bool loadFrom(ValueStore& store) {
  bool allOk = true;
  // Each value: taken when it reads, else its default is written while every earlier one was.
  for (const SettingValue& v : kValues)
    if (!readValue(store, v) && allOk) allOk = writeDefault(store, v);
  if (!repairHotkeys(store)) allOk = false;
  settleTemplates();
  return allOk;
}

// The settings as the file spells each value, in table order: what a save compares with the last one.
using Image = std::array<std::string, kValueCount>;

Image savedImage;  // what the store was last given
std::string settingsPath;  // Tintlet.ini in portable use; empty for the registry
DWORD fileError = 0;
bool fileErrorReading = false;

Image imageOfSettings() {
  IniStore spelled;
  Image image;
  for (int i = 0; i < kValueCount; ++i) {
    writeValue(spelled, kValues[i]);
    image[i] = *spelled.line(kValues[i].name);
  }
  return image;
}

// Outside middle-button mode the colour follows the pointer and is never read back: it changes nothing
// worth a write, and the exit stores it as before.
Image changedImage() {
  Image image = imageOfSettings();
  for (int i = 0; i < kValueCount; ++i)
    if (kValues[i].kind == Kind::heldColor && !settings.middleButtonMode) image[i] = savedImage[i];
  return image;
}

std::string documentOf(const Image& image) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (int i = 0; i < kValueCount; ++i) lines.emplace_back(kValues[i].name, image[i]);
  return iniDocument(lines);
}

// More than any file the program writes; the rest of a larger file is not read.
constexpr DWORD kFileReadMax = 64u << 20;

bool readWholeFile(const std::string& path, std::string* text) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  DWORD got = 0;
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (ok) {
    text->assign(size.QuadPart < kFileReadMax ? static_cast<std::size_t>(size.QuadPart) : kFileReadMax, '\0');
    ok = ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()), &got, nullptr) != 0;
    text->resize(got);
  }
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return ok;
}

// The file is written whole beside itself and moved over the old one, so that a crash or a full disk
// leaves the old file or the new one, never half of either.
bool writeWholeFile(const std::string& path, const std::string& text) {
  // Windows refuses to move a file over a read-only one; Wine run by root does not, so it is asked here.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  const std::string temporary = path + ".tmp";
  const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size() && FlushFileBuffers(file);
  DWORD error = GetLastError();
  CloseHandle(file);
  if (ok) {
    ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    error = GetLastError();
  }
  if (!ok) DeleteFileA(temporary.c_str());
  SetLastError(error);
  return ok;
}

bool writeSettingsFile(const std::string& text) {
  if (fileErrorReading) return false;  // a file that could not be read is left as it is
  if (writeWholeFile(settingsPath, text)) return true;
  fileError = GetLastError();
  return false;
}

bool loadSettingsFile() {
  std::string text;
  if (!readWholeFile(settingsPath, &text)) {
    fileError = GetLastError();
    fileErrorReading = true;
    return false;
  }
  IniStore store;
  store.parse(text, kValues);
  loadFrom(store);
  if (!store.changed()) return true;
  // The repaired file: each value as read unless it was written.
  std::vector<std::pair<std::string, std::string>> lines;
  for (const SettingValue& v : kValues)
    if (const std::string* line = store.line(v.name)) lines.emplace_back(v.name, *line);
  return writeSettingsFile(iniDocument(lines));
}

bool loadRegistry() {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS &&
      RegOpenKeyA(HKEY_CURRENT_USER, kOlderKey, &key) != ERROR_SUCCESS &&
      RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS)
    return false;
  const bool allOk = loadSettingsFrom(key);
  const bool closed = RegCloseKey(key) == ERROR_SUCCESS;  // closed after a failed write too
  return allOk && closed;
}

// Writes the values whose spelling differs from `before` (every value when there is none) to the registry key.
bool saveRegistry(const Image& image, const Image* before) {
  HKEY key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return false;
  RegistryStore store(key);
  bool allOk = true;
  for (int i = 0; i < kValueCount && allOk; ++i)
    if (!before || image[i] != (*before)[i]) allOk = writeValue(store, kValues[i]);
  const bool closed = RegCloseKey(key) == ERROR_SUCCESS;
  return allOk && closed;
}

}  // namespace

std::string portableSettingsFile() {
  char path[MAX_PATH * 4];
  const DWORD size = GetModuleFileNameA(nullptr, path, sizeof path);
  if (size == 0 || size >= sizeof path) return "";
  std::string file(path, size);
  file.erase(file.find_last_of("\\/") + 1);
  file += kIniFileName;
  const DWORD attributes = GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? file : "";
}

void useSettingsFile(const std::string& path) {
  settingsPath = path;
  fileError = 0;
  fileErrorReading = false;
}

const std::string& settingsFile() { return settingsPath; }

DWORD settingsFileError(bool* reading) {
  *reading = fileErrorReading;
  return fileError;
}

bool loadSettingsFrom(HKEY key) {
  RegistryStore store(key);
  return loadFrom(store);
}

bool loadSettings() {
  const bool allOk = settingsPath.empty() ? loadRegistry() : loadSettingsFile();
  savedImage = imageOfSettings();
  return allOk;
}

bool saveSettingsTo(HKEY key) {
  RegistryStore store(key);
  for (const SettingValue& v : kValues)
    if (!writeValue(store, v)) return false;
  return true;
}

bool saveSettings() {
  const Image image = imageOfSettings();
  savedImage = image;
  if (!settingsPath.empty()) return writeSettingsFile(documentOf(image));
  return saveRegistry(image, nullptr);
}

bool settingsChanged() { return !fileErrorReading && changedImage() != savedImage; }

bool saveChangedSettings() {
  if (fileErrorReading) return false;
  const Image image = changedImage();
  if (image == savedImage) return true;
  // Taken as given even when the write fails: it is tried again at the next change, not at every look.
  const Image before = savedImage;
  savedImage = image;
  if (!settingsPath.empty()) return writeSettingsFile(documentOf(image));
  return saveRegistry(image, &before);
}
