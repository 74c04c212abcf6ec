#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "harness.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {


struct StoredValue {
  DWORD type;
  std::string bytes;
  bool operator==(const StoredValue& o) const { return type == o.type && bytes == o.bytes; }
};

std::ostream& operator<<(std::ostream& out, const StoredValue& v) {
  out << "type " << v.type << " \"";
  for (unsigned char c : v.bytes) {
    if (c >= 0x20 && c < 0x7F) out << c;
    else out << "\\x" << "0123456789ABCDEF"[c >> 4] << "0123456789ABCDEF"[c & 15];
  }
  return out << '"';
}

using Values = std::map<std::string, StoredValue>;

std::string describe(const StoredValue& v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

std::string sz(const std::string& text) { return text + '\0'; }

std::string dword(DWORD n) { return std::string(reinterpret_cast<const char*>(&n), sizeof n); }

// What a first start stores, kept here on its own.
Values defaultValues() {
  return {
      {"platform", {REG_SZ, sz("html")}},
      {"italic", {REG_SZ, sz("false")}},
      {"strikeout", {REG_SZ, sz("false")}},
      {"underline", {REG_SZ, sz("false")}},
      {"fontheight", {REG_SZ, sz("-11")}},
      {"fontwidth", {REG_SZ, sz("0")}},
      {"fontweight", {REG_SZ, sz("400")}},
      {"textcolor", {REG_SZ, sz("16777215")}},
      {"basecolor", {REG_SZ, sz("8421504")}},
      {"customclr", {REG_BINARY, std::string(64, '\0')}},
      {"facename", {REG_SZ, sz("Tahoma")}},
      {"hotchars", {REG_BINARY, "ODQFSZCMX"}},
      {"modifiers", {REG_BINARY, std::string(9, '\3')}},
      {"nudgekey", {REG_BINARY, "N\3"}},
      {"contrastkey", {REG_BINARY, std::string(2, '\0')}},  // no hotkey
      {"pastekey", {REG_BINARY, std::string(2, '\0')}},
      {"trans", {REG_SZ, sz("100")}},
      {"customFormat", {REG_SZ, sz("RGB(#r,#g,#b)")}},
      {"display1", {REG_SZ, sz("0")}},
      {"display2", {REG_SZ, sz("0")}},
      {"mouse", {REG_SZ, sz("false")}},
      {"color", {REG_SZ, sz("0")}},
      {"history", {REG_SZ, sz("")}},
      {"zoomscale", {REG_DWORD, dword(2)}},
      {"sample", {REG_DWORD, dword(1)}},
  };
}

bool keyExists(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

Values storedValues(const char* path) {
  Values values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    static BYTE data[65536];
    DWORD nameSize = sizeof name, type = 0, size = sizeof data;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    values[name] = {type, std::string(reinterpret_cast<char*>(data), size)};
  }
  RegCloseKey(key);
  return values;
}

StoredValue storedValue(const char* path, const char* name) {
  const Values values = storedValues(path);
  const auto found = values.find(name);
  return found == values.end() ? StoredValue{REG_NONE, "<missing>"} : found->second;
}

void store(const char* path, const char* name, DWORD type, const std::string& bytes) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void storeText(const char* name, const std::string& text) { store(kSettingsKey, name, REG_SZ, sz(text)); }

// The persisted members as start-up sets them before the settings are read.
void resetToStartupDefaults() {
  settings.formatIndex = 0;
  settings.decimalDisplay = false;
  settings.form = BoxForm::normal;
  settings.middleButtonMode = false;
  settings.pickedColor = RGB(1, 2, 3);
  settings.baseColor = RGB(0x80, 0x80, 0x80);
  settings.textColor = RGB(0xFF, 0xFF, 0xFF);
  initDefaultLogFont(&settings.boxLogFont);
  std::memset(settings.customColors, 0, sizeof settings.customColors);
  // The later actions have no default key.
  std::memset(settings.hotkeyChars, 0, kActionCount);
  std::memset(settings.hotkeyModifiers, 0, kActionCount);
  std::memcpy(settings.hotkeyChars, "ODQFSZCMXN", 10);
  std::memset(settings.hotkeyModifiers, 3, 10);
  settings.opacityPercent = 100;
  std::strcpy(settings.customTemplate, kDefaultTemplate);
  settings.templates.clear();
  settings.history = {};
  settings.magnifierScale = 2;
  settings.sampleSide = 1;
}

// The member a value loads into, as text.
std::string inMemory(const std::string& name) {
  const LOGFONTA& f = settings.boxLogFont;
  if (name == "platform") return std::to_string(settings.formatIndex);
  if (name == "italic") return std::to_string(f.lfItalic);
  if (name == "underline") return std::to_string(f.lfUnderline);
  if (name == "strikeout") return std::to_string(f.lfStrikeOut);
  if (name == "fontheight") return std::to_string(f.lfHeight);
  if (name == "fontwidth") return std::to_string(f.lfWidth);
  if (name == "fontweight") return std::to_string(f.lfWeight);
  if (name == "textcolor") return std::to_string(settings.textColor);
  if (name == "basecolor") return std::to_string(settings.baseColor);
  if (name == "customclr") return std::string(reinterpret_cast<const char*>(settings.customColors), 64);
  if (name == "facename") return f.lfFaceName;
  if (name == "hotchars") return std::string(reinterpret_cast<const char*>(settings.hotkeyChars), kStoredHotkeyCount);
  if (name == "modifiers")
    return std::string(reinterpret_cast<const char*>(settings.hotkeyModifiers), kStoredHotkeyCount);
  if (name == "nudgekey")
    return std::string({char(settings.hotkeyChars[kActionNudge]), char(settings.hotkeyModifiers[kActionNudge])});
  if (name == "contrastkey")
    return std::string({char(settings.hotkeyChars[kActionContrast]), char(settings.hotkeyModifiers[kActionContrast])});
  if (name == "trans") return std::to_string(settings.opacityPercent);
  if (name == "customFormat") return settings.customTemplate;
  if (name == "display1") return settings.decimalDisplay ? "decimal" : "hexadecimal";
  if (name == "display2") {
    const BoxForm form = settings.form;
    return form == BoxForm::micro      ? "micro"
           : form == BoxForm::zoom     ? "zoom"
           : form == BoxForm::contrast ? "contrast"
           : form == BoxForm::normal   ? "normal"
                                       : "?";
  }
  if (name == "mouse") return std::to_string(settings.middleButtonMode);
  if (name == "color") return std::to_string(settings.pickedColor);
  if (name == "zoomscale") return std::to_string(settings.magnifierScale);
  if (name == "sample") return std::to_string(settings.sampleSide);
  if (name == "history") {
    char text[kHistoryTextSize];
    historyText(settings.history, text);
    return text;
  }
  return "<unknown value " + name + ">";
}

// The template combo box as the Options page makes it, on a hidden window of the test's own.
struct TemplateCombo {
  HWND parent = nullptr;
  TemplateCombo() {
    parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    optionsControls[kTemplateCombo] = CreateWindowExA(
        0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, 5, 5, 200,
        150, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TemplateCombo() {
    DestroyWindow(parent);
    optionsControls[kTemplateCombo] = nullptr;
  }
  std::vector<std::string> items() const { return templateEntries(); }
  std::string selected() const {
    const LRESULT i = SendMessageA(optionsControls[kTemplateCombo], CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return "<none>";
    char text[256] = {};
    SendMessageA(optionsControls[kTemplateCombo], CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::string editText() const { return windowText(optionsControls[kTemplateCombo]); }
  TemplateCombo(const TemplateCombo&) = delete;
  TemplateCombo& operator=(const TemplateCombo&) = delete;
};


}  // namespace

TEST(Settings, FirstStartWritesTheTwentyDefaults) {
  clearSettings();
  startTintlet();
  EXPECT_EQ(storedValues(kSettingsKey), defaultValues());
  EXPECT_FALSE(keyExists(kOlderSettingsKey));
  EXPECT_EQ(settings.formatIndex, 0);
  EXPECT_FALSE(settings.decimalDisplay);  // hexadecimal
  EXPECT_EQ(settings.form, BoxForm::normal);
  EXPECT_FALSE(settings.middleButtonMode);
  EXPECT_EQ(settings.opacityPercent, 100);
  EXPECT_STREQ(settings.boxLogFont.lfFaceName, "Tahoma");
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  EXPECT_EQ(settings.boxLogFont.lfWeight, 400);
  EXPECT_EQ(settings.textColor, RGB(255, 255, 255));
  EXPECT_EQ(settings.baseColor, RGB(128, 128, 128));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(settings.hotkeyChars), kActionCount),
            std::string("ODQFSZCMXN") + std::string(kActionCount - 10, '\0'));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(settings.hotkeyModifiers), kActionCount),
            std::string(10, '\3') + std::string(kActionCount - 10, '\0'));
  EXPECT_STREQ(settings.customTemplate, "RGB(#r,#g,#b)");
  EXPECT_EQ(settings.templates.entries(), std::vector<std::string>{"RGB(#r,#g,#b)"});
  EXPECT_EQ(exitTintlet(), 0);
  Values saved = defaultValues();
  saved["combo"] = {REG_SZ, sz("RGB(#r,#g,#b)\xFF")};  // the template combo box's one entry
  EXPECT_EQ(storedValues(kSettingsKey), saved);
}

TEST(Settings, OnlyTheOlderKeyIsReadFilledAndSavedUnderTheCurrentKey) {
  clearSettings();
  store(kOlderSettingsKey, "platform", REG_SZ, sz("java"));
  store(kOlderSettingsKey, "trans", REG_SZ, sz("80"));
  store(kOlderSettingsKey, "fontheight", REG_SZ, sz("-15"));
  store(kOlderSettingsKey, "combo", REG_SZ, sz("a\xFF" "b\xFF"));
  startTintlet();
  EXPECT_EQ(settings.formatIndex, 4);
  EXPECT_EQ(settings.opacityPercent, 80);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -15);
  EXPECT_FALSE(keyExists(kSettingsKey));
  Values filled = defaultValues();
  filled["platform"] = {REG_SZ, sz("java")};
  filled["trans"] = {REG_SZ, sz("80")};
  filled["fontheight"] = {REG_SZ, sz("-15")};
  filled["combo"] = {REG_SZ, sz("a\xFF" "b\xFF")};
  EXPECT_EQ(storedValues(kOlderSettingsKey), filled);
  EXPECT_EQ(exitTintlet(), 0);
  Values saved = filled;
  saved["combo"] = {REG_SZ, sz("a\xFF" "b\xFF" "RGB(#r,#g,#b)\xFF")};  // the template in use joins the sorted list
  EXPECT_EQ(storedValues(kSettingsKey), saved);
  EXPECT_EQ(storedValues(kOlderSettingsKey), filled);  // only ever read and filled, never removed
}

TEST(Settings, UnusableValuesGiveWayToDefaultsAndSpoilNothingElse) {
  struct Case {
    const char* name;
    DWORD type;
    std::string stored;
    StoredValue after;
    std::string setting;  // the member the value loads, as inMemory() shows it
  };
  const std::string wide(40, 'F'), long150(150, 'x'), long250(250, 'x');
  std::string thirteen = "FADC1E", forty = "zzzzzz";  // a bad entry first, then 39 good ones in 280 bytes
  for (int i = 1; i <= 12; ++i) thirteen += ",0000" + std::string(i < 10 ? "0" : "") + std::to_string(i);
  for (int i = 1; i < 40; ++i) forty += ",A0A0" + std::string(i < 10 ? "0" : "") + std::to_string(i);
  const std::string firstTwelve = thirteen.substr(0, 12 * 7 - 1), fortysTwelve = forty.substr(7, 12 * 7 - 1);
  const Case cases[] = {
      {"platform", REG_SZ, sz("HTML"), {REG_SZ, sz("html")}, "0"},
      {"platform", REG_DWORD, dword(2), {REG_SZ, sz("html")}, "0"},
      {"platform", REG_SZ, sz("c++"), {REG_SZ, sz("c++")}, "2"},
      {"platform", REG_SZ, sz("oklch"), {REG_SZ, sz("oklch")}, "11"},
      {"platform", REG_SZ, sz("OKLCH"), {REG_SZ, sz("html")}, "0"},
      {"platform", REG_SZ, sz("hsl"), {REG_SZ, sz("html")}, "0"},
      {"italic", REG_SZ, sz("TRUE"), {REG_SZ, sz("false")}, "0"},
      {"italic", REG_BINARY, "true", {REG_SZ, sz("false")}, "0"},
      {"italic", REG_SZ, sz("true"), {REG_SZ, sz("true")}, "1"},
      {"underline", REG_SZ, sz("1"), {REG_SZ, sz("false")}, "0"},
      {"strikeout", REG_SZ, sz("true"), {REG_SZ, sz("true")}, "1"},
      {"mouse", REG_SZ, sz("yes"), {REG_SZ, sz("false")}, "0"},
      {"fontheight", REG_DWORD, dword(20), {REG_SZ, sz("-11")}, "-11"},
      // Numbers outside what the program writes: the default is used and written over them.
      {"fontheight", REG_SZ, sz("tall"), {REG_SZ, sz("-11")}, "-11"},  // no digits: 0, a height never written
      {"fontheight", REG_SZ, sz("-2000"), {REG_SZ, sz("-11")}, "-11"},
      {"fontheight", REG_SZ, sz("-8"), {REG_SZ, sz("-8")}, "-8"},
      {"fontheight", REG_SZ, sz("-67"), {REG_SZ, sz("-67")}, "-67"},
      {"fontheight", REG_SZ, sz("20"), {REG_SZ, sz("-11")}, "-11"},
      {"fontwidth", REG_SZ, sz("99999"), {REG_SZ, sz("0")}, "0"},
      {"fontwidth", REG_SZ, sz("7"), {REG_SZ, sz("7")}, "7"},
      {"fontweight", REG_SZ, sz("  700bold"), {REG_SZ, sz("  700bold")}, "700"},
      {"fontweight", REG_SZ, sz("5000"), {REG_SZ, sz("400")}, "400"},
      {"fontweight", REG_SZ, sz("-1"), {REG_SZ, sz("400")}, "400"},
      {"textcolor", REG_BINARY, "\1\2\3", {REG_SZ, sz("16777215")}, "16777215"},
      {"textcolor", REG_SZ, sz("-1"), {REG_SZ, sz("16777215")}, "16777215"},
      {"basecolor", REG_SZ, sz("255"), {REG_SZ, sz("255")}, "255"},
      {"basecolor", REG_SZ, sz("16777216"), {REG_SZ, sz("8421504")}, "8421504"},
      {"basecolor", REG_SZ, sz("4294967295"), {REG_SZ, sz("8421504")}, "8421504"},
      {"trans", REG_SZ, sz("50"), {REG_SZ, sz("50")}, "100"},
      {"trans", REG_SZ, sz("abc"), {REG_SZ, sz("abc")}, "100"},
      {"trans", REG_SZ, sz("69"), {REG_SZ, sz("69")}, "100"},
      {"trans", REG_SZ, sz("101"), {REG_SZ, sz("101")}, "100"},
      {"trans", REG_SZ, sz("70"), {REG_SZ, sz("70")}, "70"},
      {"trans", REG_SZ, sz(" 85%"), {REG_SZ, sz(" 85%")}, "85"},
      {"trans", REG_DWORD, dword(80), {REG_SZ, sz("100")}, "100"},
      // A face name is printable text of the text type.
      {"facename", REG_BINARY, "Arial", {REG_SZ, sz("Tahoma")}, "Tahoma"},
      {"facename", REG_DWORD, dword(0x14131211), {REG_SZ, sz("Tahoma")}, "Tahoma"},
      {"facename", REG_SZ, sz("\x01\x02\x03"), {REG_SZ, sz("Tahoma")}, "Tahoma"},
      {"facename", REG_SZ, sz(""), {REG_SZ, sz("Tahoma")}, "Tahoma"},
      {"facename", REG_SZ, sz("Courier New"), {REG_SZ, sz("Courier New")}, "Courier New"},
      {"facename", REG_SZ, sz(wide), {REG_SZ, sz(wide)}, std::string(31, 'F')},
      {"customFormat", REG_BINARY, "abc", {REG_SZ, sz("RGB(#r,#g,#b)")}, "RGB(#r,#g,#b)"},
      {"customFormat", REG_SZ, sz(long150), {REG_SZ, sz(long150)}, std::string(99, 'x')},
      {"customFormat", REG_SZ, sz(long250), {REG_SZ, sz("RGB(#r,#g,#b)")}, "RGB(#r,#g,#b)"},
      {"customclr", REG_BINARY, std::string(60, '\7'), {REG_BINARY, std::string(64, '\0')}, std::string(64, '\0')},
      {"customclr", REG_NONE, std::string(64, '\7'), {REG_NONE, std::string(64, '\7')}, std::string(64, '\7')},
      {"hotchars", REG_BINARY, "ODQFSZCM", {REG_BINARY, "ODQFSZCMX"}, "ODQFSZCMX"},
      {"hotchars", REG_BINARY, "ABCDEFGHI", {REG_BINARY, "ABCDEFGHI"}, "ABCDEFGHI"},
      {"modifiers", REG_BINARY, std::string(10, '\1'), {REG_BINARY, std::string(9, '\3')}, std::string(9, '\3')},
      {"nudgekey", REG_BINARY, "J", {REG_BINARY, "N\3"}, "N\3"},
      {"nudgekey", REG_BINARY, std::string("J\4\0", 3), {REG_BINARY, "N\3"}, "N\3"},
      {"nudgekey", REG_SZ, sz("J"), {REG_BINARY, "N\3"}, "N\3"},  // two bytes, but text
      {"nudgekey", REG_BINARY, std::string("\x77\x06", 2), {REG_BINARY, std::string("\x77\x06", 2)}, "\x77\x06"},
      {"contrastkey", REG_BINARY, "K\3", {REG_BINARY, "K\3"}, "K\3"},
      {"contrastkey", REG_BINARY, "K", {REG_BINARY, std::string(2, '\0')}, std::string(2, '\0')},
      {"contrastkey", REG_SZ, sz("K"), {REG_BINARY, std::string(2, '\0')}, std::string(2, '\0')},
      {"contrastkey", REG_BINARY, std::string("\0\3", 2), {REG_BINARY, std::string(2, '\0')}, std::string(2, '\0')},
      {"display1", REG_DWORD, dword(1), {REG_SZ, sz("0")}, "hexadecimal"},
      {"display1", REG_SZ, sz("1"), {REG_SZ, sz("1")}, "decimal"},
      {"display2", REG_SZ, sz("2"), {REG_SZ, sz("2")}, "zoom"},
      {"display2", REG_SZ, sz("1"), {REG_SZ, sz("1")}, "micro"},
      {"display2", REG_SZ, sz("3"), {REG_SZ, sz("3")}, "contrast"},
      {"display2", REG_SZ, sz("4"), {REG_SZ, sz("4")}, "normal"},  // kept until the exit writes the form in use
      {"color", REG_SZ, sz("255"), {REG_SZ, sz("255")}, std::to_string(RGB(1, 2, 3))},  // not in middle-button mode
      {"color", REG_SZ, sz("16777216"), {REG_SZ, sz("0")}, std::to_string(RGB(1, 2, 3))},
      {"history", REG_SZ, sz("FADC1E,050CFF"), {REG_SZ, sz("FADC1E,050CFF")}, "FADC1E,050CFF"},
      {"history", REG_SZ, sz("fadc1e"), {REG_SZ, sz("fadc1e")}, "FADC1E"},  // good; written in capitals at exit
      {"history", REG_DWORD, dword(0x1EDCFA), {REG_SZ, sz("")}, ""},
      {"history", REG_EXPAND_SZ, sz("FADC1E"), {REG_SZ, sz("")}, ""},
      {"history", REG_BINARY, "FADC1E", {REG_SZ, sz("")}, ""},
      {"history", REG_SZ, sz("FADC1E,zzzzzz,050CFF"), {REG_SZ, sz("FADC1E,050CFF")}, "FADC1E,050CFF"},
      {"history", REG_SZ, sz(",FADC1E,,050CFF,"), {REG_SZ, sz("FADC1E,050CFF")}, "FADC1E,050CFF"},
      {"history", REG_SZ, sz("#FADC1E, 050CFF,050CFF0,FADC1"), {REG_SZ, sz("")}, ""},
      {"history", REG_SZ, sz("FADC1E,050CFF,FADC1E"), {REG_SZ, sz("FADC1E,050CFF")}, "FADC1E,050CFF"},
      {"history", REG_SZ, sz(thirteen), {REG_SZ, sz(firstTwelve)}, firstTwelve},
      {"history", REG_SZ, sz(forty), {REG_SZ, sz(fortysTwelve)}, fortysTwelve},
      {"history", REG_SZ, sz("FADC1E") + sz("050CFF"), {REG_SZ, sz("FADC1E") + sz("050CFF")}, "FADC1E"},  // ends at a zero
      // A listed number of the REG_DWORD type and four bytes, or the default written over it.
      {"zoomscale", REG_DWORD, dword(8), {REG_DWORD, dword(8)}, "8"},
      {"zoomscale", REG_DWORD, dword(4), {REG_DWORD, dword(4)}, "4"},
      {"zoomscale", REG_DWORD, dword(3), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_DWORD, dword(10), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_DWORD, dword(0), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_DWORD, dword(DWORD(-4)), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_DWORD, dword(0x7FFFFFFF), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_SZ, sz("6"), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_BINARY, dword(6), {REG_DWORD, dword(2)}, "2"},
      {"zoomscale", REG_DWORD, dword(6) + '\0', {REG_DWORD, dword(2)}, "2"},
      {"sample", REG_DWORD, dword(13), {REG_DWORD, dword(13)}, "13"},
      {"sample", REG_DWORD, dword(5), {REG_DWORD, dword(5)}, "5"},
      {"sample", REG_DWORD, dword(4), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_DWORD, dword(0), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_DWORD, dword(DWORD(-3)), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_DWORD, dword(15), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_DWORD, dword(0xFFFFFFF3), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_SZ, sz("3"), {REG_DWORD, dword(1)}, "1"},
      {"sample", REG_QWORD, dword(3) + dword(0), {REG_DWORD, dword(1)}, "1"},
  };
  for (const Case& c : cases) {
    const std::string label = std::string(c.name) + " stored as " + describe({c.type, c.stored});
    clearSettings();
    store(kSettingsKey, c.name, c.type, c.stored);
    resetToStartupDefaults();
    EXPECT_TRUE(loadSettings()) << label;
    Values expected = defaultValues();
    expected[c.name] = c.after;
    EXPECT_EQ(storedValues(kSettingsKey), expected) << label;
    EXPECT_EQ(inMemory(c.name), c.setting) << label;
  }
}

TEST(Settings, OutOfRangeOpacityIsStoredUntilExit) {
  clearSettings();
  storeText("trans", "50");
  startTintlet();
  EXPECT_EQ(settings.opacityPercent, 100);
  pumpFor(50);
  EXPECT_EQ(storedValue(kSettingsKey, "trans"), (StoredValue{REG_SZ, sz("50")}));
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedValue(kSettingsKey, "trans"), (StoredValue{REG_SZ, sz("100")}));
}

TEST(Settings, ColorIsTakenOnlyInMiddleButtonMode) {
  struct Case { const char* mouse; COLORREF picked; };
  const Case cases[] = {{"true", 0x123456}, {"false", RGB(1, 2, 3)}};
  for (const Case& c : cases) {
    clearSettings();
    storeText("mouse", c.mouse);
    storeText("color", "1193046");
    resetToStartupDefaults();
    EXPECT_TRUE(loadSettings());
    EXPECT_EQ(settings.pickedColor, c.picked) << c.mouse;
  }
}

// Base and form come from "display1" and "display2" through start-up's Dec / Hex action, and the
// real program stores them back at its exit.
TEST(Settings, DisplayValuesChooseBaseAndFormOfTheRealProgram) {
  struct Case {
    const char* display1;
    const char* display2;
    bool decimal;
    const char* form;
    const char* saved1;
    const char* saved2;
  };
  const Case cases[] = {
      {"1", "1", true, "micro", "1", "1"},
      {"0", "2", false, "zoom", "0", "2"},
      {"1", "0", true, "normal", "1", "0"},
      {"2", "7", false, "normal", "0", "0"},
      {"0", "3", false, "contrast", "0", "3"},
      {"abc", "abc", false, "normal", "0", "0"},
  };
  for (const Case& c : cases) {
    const std::string label = std::string(c.display1) + "/" + c.display2;
    clearSettings();
    storeText("display1", c.display1);
    storeText("display2", c.display2);
    RunningTintlet tintlet;
    ASSERT_NE(tintlet.box, nullptr) << label;
    EXPECT_EQ(tintlet.form(), c.form) << label;
    // The contrast form's line shows no base: the normal form's, for a moment, does.
    const bool contrast = tintlet.form() == "contrast";
    if (contrast) tintlet.action(kActionContrast);
    pumpUntil([&] { return tintlet.boxText().find(':') == std::string::npos; });
    EXPECT_EQ(tintlet.decimal(), c.decimal) << label << ": " << tintlet.boxText();
    if (contrast) tintlet.action(kActionContrast);
    EXPECT_EQ(tintlet.form(), c.form) << label;
    ASSERT_TRUE(tintlet.exit()) << label;
    EXPECT_EQ(storedValue(kSettingsKey, "display1"), (StoredValue{REG_SZ, sz(c.saved1)})) << label;
    EXPECT_EQ(storedValue(kSettingsKey, "display2"), (StoredValue{REG_SZ, sz(c.saved2)})) << label;
  }
}

// Values another tool or a careless edit left: the real program starts with the defaults in their place,
// the box as small and as grey as on a first start, and a usable value beside them kept.
TEST(Settings, ValuesOutOfRangeGiveWayToDefaultsAtARealStart) {
  clearSettings();
  RECT first;
  {
    RunningTintlet clean;
    ASSERT_NE(clean.box, nullptr);
    GetWindowRect(clean.box, &first);
    ASSERT_TRUE(clean.exit());
  }
  clearSettings();
  storeText("fontheight", "-2000");
  storeText("fontwidth", "99999");
  storeText("fontweight", "5000");
  storeText("textcolor", "-1");
  storeText("basecolor", "4294967295");
  store(kSettingsKey, "facename", REG_DWORD, dword(0x14131211));
  storeText("platform", "java");
  RunningTintlet tintlet;
  ASSERT_NE(tintlet.box, nullptr);
  Values expected = defaultValues();
  expected["platform"] = {REG_SZ, sz("java")};
  EXPECT_EQ(storedValues(kSettingsKey), expected);
  RECT box;
  GetWindowRect(tintlet.box, &box);
  EXPECT_EQ(box.right - box.left, first.right - first.left);
  EXPECT_EQ(box.bottom - box.top, first.bottom - first.top);
  const HDC screen = GetDC(nullptr);
  const COLORREF behindText = GetPixel(screen, box.left + 2, box.top + 2);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(behindText, RGB(128, 128, 128)) << std::hex << behindText;
  EXPECT_TRUE(tintlet.exit());
}

TEST(Settings, ChangesSurviveARestartOfTheRealProgram) {
  clearSettings();
  {
    RunningTintlet first;
    ASSERT_NE(first.box, nullptr);
    EXPECT_FALSE(first.decimal());
    first.action(kActionDecHex);
    first.action(kActionZoom);
    EXPECT_TRUE(pumpUntil([&] { return first.decimal(); }));  // the text follows at the next tick
    EXPECT_EQ(first.form(), "zoom");
    ASSERT_TRUE(first.exit());
  }
  RunningTintlet second;
  ASSERT_NE(second.box, nullptr);
  EXPECT_TRUE(second.decimal()) << second.boxText();
  EXPECT_EQ(second.form(), "zoom");
  EXPECT_TRUE(second.exit());
}

// The five later notations in the real program: chosen as the tray menu chooses them, the Options
// radio follows, the copy gives their text, and the next start copies the same again.
TEST(Settings, LaterNotationsCopyAndSurviveARestartOfTheRealProgram) {
  ColorWindow target({200, 200, 400, 400}, RGB(200, 120, 40));
  struct Case { const char* name; int id; const char* text; };
  const Case cases[] = {
      {"cssrgb", 50, "rgb(200, 120, 40)"},   {"csshsl", 51, "hsl(30, 67%, 47%)"},
      {"hsv", 52, "30, 80%, 78%"},           {"float", 53, "0.784, 0.471, 0.157"},
      {"oklch", 54, "oklch(64.65% 0.1343 60.59)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearSettings();
    SetCursorPos(300, 300);
    {
      RunningTintlet first;
      ASSERT_NE(first.box, nullptr);
      ASSERT_TRUE(pumpUntil([&] { return first.boxText() == "C87828"; })) << first.boxText();
      EXPECT_TRUE(first.optionChecked(10));
      first.command(c.id);
      EXPECT_TRUE(first.optionChecked(c.id));
      EXPECT_FALSE(first.optionChecked(10));
      first.action(kActionCopy);
      EXPECT_EQ(clipboardText(), c.text);
      ASSERT_TRUE(first.exit());
    }
    EXPECT_EQ(storedValue(kSettingsKey, "platform"), (StoredValue{REG_SZ, sz(c.name)}));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    RunningTintlet second;
    ASSERT_NE(second.box, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return second.boxText() == "C87828"; })) << second.boxText();
    EXPECT_TRUE(second.optionChecked(c.id));
    second.action(kActionCopy);
    EXPECT_EQ(clipboardText(), c.text);
    EXPECT_TRUE(second.exit());
  }
}

// Windows ends a tray program at log-off without a WM_QUIT: what it saved at WM_ENDSESSION is
// all that is left once the process is killed.
TEST(Settings, SessionEndSavesBeforeTheProcessIsKilled) {
  clearSettings();
  RunningTintlet tintlet;
  ASSERT_NE(tintlet.box, nullptr);
  tintlet.action(kActionDecHex);
  tintlet.action(kActionMicro);
  ASSERT_TRUE(pumpUntil([&] { return tintlet.decimal() && tintlet.form() == "micro"; }));
  DWORD_PTR allowed = 0, ignored;
  ASSERT_TRUE(SendMessageTimeoutA(tintlet.box, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                                  &allowed));
  EXPECT_EQ(allowed, static_cast<DWORD_PTR>(TRUE));
  ASSERT_TRUE(SendMessageTimeoutA(tintlet.box, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                                  &ignored));
  TerminateProcess(tintlet.process, 1);
  ASSERT_TRUE(tintlet.ended(5000));
  EXPECT_EQ(storedValue(kSettingsKey, "display1"), (StoredValue{REG_SZ, sz("1")}));
  EXPECT_EQ(storedValue(kSettingsKey, "display2"), (StoredValue{REG_SZ, sz("1")}));
}

// In the test's own process: a cancelled end changes nothing; a real one saves, and a normal exit
// afterwards saves the same again without freeing the template list twice.
TEST(Settings, SessionEndSavesOnceEndingAndLeavesTheLaterExitSound) {
  clearSettings();
  store(kSettingsKey, "combo", REG_SZ, sz("$r$g$b\xFF"));
  startTintlet();
  typeTemplate("#r #g #b");
  keepTypedTemplate();
  typeTemplate("RGB(#r,#g,#b)");
  settings.opacityPercent = 75;

  EXPECT_EQ(SendMessageA(app.boxWnd, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(app.boxWnd, WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(storedValue(kSettingsKey, "trans"), (StoredValue{REG_SZ, sz("100")}));
  EXPECT_TRUE(app.timerActive);  // the end was cancelled: the program runs on

  SendMessageA(app.boxWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  const StoredValue list = {REG_SZ, sz("#r #g #b\xFF$r$g$b\xFFRGB(#r,#g,#b)\xFF")};
  EXPECT_EQ(storedValue(kSettingsKey, "trans"), (StoredValue{REG_SZ, sz("75")}));
  EXPECT_EQ(storedValue(kSettingsKey, "combo"), list);
  EXPECT_FALSE(app.timerActive);

  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedValue(kSettingsKey, "trans"), (StoredValue{REG_SZ, sz("75")}));
  EXPECT_EQ(storedValue(kSettingsKey, "combo"), list);
  EXPECT_EQ(settings.templates.stored(), list.bytes);
}

TEST(Settings, RoundTripGivesEverySettingBack) {
  clearSettings();
  resetToStartupDefaults();
  settings.formatIndex = 5;
  settings.decimalDisplay = true;
  settings.form = BoxForm::micro;
  settings.middleButtonMode = true;
  settings.pickedColor = 0x00123456;
  settings.baseColor = 0x00010203;
  settings.textColor = 0x000A0B0C;
  settings.boxLogFont.lfItalic = 1;
  settings.boxLogFont.lfUnderline = 1;
  settings.boxLogFont.lfStrikeOut = 1;
  settings.boxLogFont.lfHeight = -20;
  settings.boxLogFont.lfWidth = 7;
  settings.boxLogFont.lfWeight = 700;
  std::strcpy(settings.boxLogFont.lfFaceName, "Courier New");
  for (int i = 0; i < 16; ++i) settings.customColors[i] = 0x00010101u * (i + 1);
  static_assert(kActionCount <= 16, "room for every action's pair below");
  std::memcpy(settings.hotkeyChars, "ABCDEFGHIJKLMNOP", kActionCount);
  // Each with Ctrl, Alt or Shift, as the page makes them.
  const BYTE modifiers[16] = {1, 2, 4, 9, 3, 5, 6, 7, 12, 6, 5, 3, 6, 7, 1, 2};
  std::memcpy(settings.hotkeyModifiers, modifiers, kActionCount);
  settings.opacityPercent = 85;
  std::strcpy(settings.customTemplate, "#r-#g-#b");
  settings.templates.add("$r$g$b");
  settings.templates.add("#r-#g-#b");
  settings.history = {{RGB(0xFA, 0xDC, 0x1E), 0, RGB(255, 255, 255)}, 3};
  settings.magnifierScale = 6;
  settings.sampleSide = 11;
  const Settings saved = settings;
  ASSERT_TRUE(saveSettings());
  EXPECT_EQ(storedValues(kSettingsKey).size(), 24u + (kActionCount - 10));  // one more for each later action
  // The actions after the ninth have a value of their own each; the nine-byte values keep their size.
  EXPECT_EQ(storedValue(kSettingsKey, "nudgekey"), (StoredValue{REG_BINARY, "J\6"}));
  EXPECT_EQ(storedValue(kSettingsKey, "contrastkey"), (StoredValue{REG_BINARY, "K\5"}));
  EXPECT_EQ(storedValue(kSettingsKey, "hotchars"), (StoredValue{REG_BINARY, "ABCDEFGHI"}));

  resetToStartupDefaults();
  ASSERT_TRUE(loadSettings());
  EXPECT_EQ(settings.formatIndex, 5);
  EXPECT_TRUE(settings.decimalDisplay);
  EXPECT_EQ(settings.form, BoxForm::micro);
  EXPECT_TRUE(settings.middleButtonMode);
  EXPECT_EQ(settings.pickedColor, saved.pickedColor);
  EXPECT_EQ(settings.baseColor, saved.baseColor);
  EXPECT_EQ(settings.textColor, saved.textColor);
  EXPECT_EQ(settings.boxLogFont.lfItalic, 1);
  EXPECT_EQ(settings.boxLogFont.lfUnderline, 1);
  EXPECT_EQ(settings.boxLogFont.lfStrikeOut, 1);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -20);
  EXPECT_EQ(settings.boxLogFont.lfWidth, 7);
  EXPECT_EQ(settings.boxLogFont.lfWeight, 700);
  EXPECT_STREQ(settings.boxLogFont.lfFaceName, "Courier New");
  EXPECT_EQ(std::memcmp(settings.customColors, saved.customColors, sizeof settings.customColors), 0);
  EXPECT_EQ(std::memcmp(settings.hotkeyChars, "ABCDEFGHIJKLMNOP", kActionCount), 0);
  EXPECT_EQ(std::memcmp(settings.hotkeyModifiers, modifiers, kActionCount), 0);
  EXPECT_EQ(settings.opacityPercent, 85);
  EXPECT_STREQ(settings.customTemplate, "#r-#g-#b");
  EXPECT_EQ(settings.templates.entries(), (std::vector<std::string>{"#r-#g-#b", "$r$g$b"}));
  EXPECT_EQ(inMemory("history"), "FADC1E,000000,FFFFFF");
  EXPECT_EQ(settings.magnifierScale, 6);
  EXPECT_EQ(settings.sampleSide, 11);
  EXPECT_EQ(storedValue(kSettingsKey, "sample"), (StoredValue{REG_DWORD, dword(11)}));

  // The other forms and the hexadecimal base.
  for (BoxForm form : {BoxForm::zoom, BoxForm::contrast}) {
    settings.form = form;
    settings.decimalDisplay = false;
    ASSERT_TRUE(saveSettings());
    resetToStartupDefaults();
    settings.decimalDisplay = true;  // so that the load is seen to set it
    ASSERT_TRUE(loadSettings());
    EXPECT_EQ(settings.form, form);
    EXPECT_FALSE(settings.decimalDisplay);
  }
}

// A key that refuses writes: the first default that cannot be written ends the writing of
// defaults, and still every stored value is read.
TEST(Settings, FailedDefaultWriteStillReadsEveryValue) {
  clearSettings();
  storeText("trans", "80");
  storeText("mouse", "true");
  storeText("color", "255");
  storeText("display1", "1");
  store(kSettingsKey, "italic", REG_DWORD, dword(1));
  const Values before = storedValues(kSettingsKey);
  HKEY readOnly;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  resetToStartupDefaults();
  EXPECT_FALSE(loadSettingsFrom(readOnly));
  RegCloseKey(readOnly);
  EXPECT_EQ(settings.opacityPercent, 80);
  EXPECT_TRUE(settings.middleButtonMode);
  EXPECT_EQ(settings.pickedColor, 255u);
  EXPECT_TRUE(settings.decimalDisplay);
  EXPECT_EQ(settings.boxLogFont.lfItalic, 0);
  EXPECT_EQ(storedValues(kSettingsKey), before);
}

TEST(Settings, SaveStopsAtTheFirstFailedWrite) {
  clearSettings();
  storeText("platform", "vb");
  HKEY readOnly;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  resetToStartupDefaults();
  EXPECT_FALSE(saveSettingsTo(readOnly));
  RegCloseKey(readOnly);
  EXPECT_EQ(storedValues(kSettingsKey), (Values{{"platform", {REG_SZ, sz("vb")}}}));
}

// The registry of the current user made unusable (its key deleted under the program): start-up
// reports error 3, goes on with the defaults and runs.
TEST(Settings, StartUpReportsAnUnusableRegistryAndRunsOn) {
  clearSettings();
  HKEY gone;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\TintletGoneRoot", &gone), ERROR_SUCCESS);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TintletGoneRoot");
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, gone), ERROR_SUCCESS);
  EXPECT_FALSE(saveSettings());
  {
    MessageBoxCloser closer;
    startTintlet();
    closer.stop();
    EXPECT_EQ(closer.texts(), std::vector<std::string>{"Error accessing registry !!\r\r Aborting !!"});
  }
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(gone);
  EXPECT_EQ(settings.opacityPercent, 100);
  EXPECT_TRUE(app.timerActive);
  EXPECT_TRUE(IsWindowVisible(app.boxWnd));
  EXPECT_TRUE(pumpUntil([] { return windowText(app.boxTextWnd).size() == 6; }));
  EXPECT_EQ(exitTintlet(), 0);
  Values saved = defaultValues();  // the registry is back by the exit
  saved["combo"] = {REG_SZ, sz("RGB(#r,#g,#b)\xFF")};
  saved["color"] = {REG_SZ, sz(std::to_string(settings.pickedColor).c_str())};
  EXPECT_EQ(storedValues(kSettingsKey), saved);
}

// The stored list as the template field shows it after a start, and the custom template it spells.
TEST(Settings, StoredListFillsTheTemplateField) {
  struct Case {
    const char* name;
    std::string list;  // "<none>" for no list
    const char* customTemplate;
    std::vector<std::string> items;
    std::string selected;
    std::string edit;
  };
  const std::string a101(101, 'a');
  const Case cases[] = {
      {"two entries", sz("RGB(#r,#g,#b)\xFF$r$g$b\xFF"), "RGB(#r,#g,#b)", {"$r$g$b", "RGB(#r,#g,#b)"}, "RGB(#r,#g,#b)",
       "RGB(#r,#g,#b)"},
      {"101 characters", sz(a101 + "Z" + "rest\xFF"), "rest", {a101, "rest"}, "rest", "rest"},
      {"empty entries", sz("\xFF\xFFx\xFF\xFF"), "x", {"x"}, "x", "x"},
      {"duplicates by case", sz("abc\xFF" "ABC\xFF" "aBc\xFF"), "ABC", {"abc"}, "abc", "abc"},
      {"no terminating zero", "one\xFFtwo", "two", {"one", "two"}, "two", "two"},
      {"no list", "<none>", "RGB(#r,#g,#b)", {"RGB(#r,#g,#b)"}, "RGB(#r,#g,#b)", "RGB(#r,#g,#b)"},
      {"empty list", sz(""), "#r", {"#r"}, "#r", "#r"},
      {"template not listed", sz("x\xFFy\xFF"), "#r#g#b", {"x", "y"}, "<none>", "#r#g#b"},
  };
  for (const Case& c : cases) {
    clearSettings();
    if (c.list != "<none>") store(kSettingsKey, "combo", REG_SZ, c.list);
    storeText("customFormat", c.customTemplate);
    TemplateCombo combo;
    resetToStartupDefaults();
    ASSERT_TRUE(loadSettings()) << c.name;
    showTemplateList();
    EXPECT_EQ(combo.items(), c.items) << c.name;
    EXPECT_EQ(settings.templates.entries(), c.items) << c.name;
    EXPECT_EQ(combo.selected(), c.selected) << c.name;
    EXPECT_EQ(combo.editText(), c.edit) << c.name;
    EXPECT_EQ(std::string(settings.customTemplate), c.edit) << c.name;
  }
}

// At the close the template in the field joins the list the exit saves.
TEST(Settings, CloseAddsTheFieldsTemplateToTheList) {
  struct Case {
    const char* name;
    std::vector<std::string> items;
    const char* edit;
    std::string list;
    const char* customTemplate;
  };
  const Case cases[] = {
      {"empty edit field and list: just the zero byte", {}, "", std::string(1, '\0'), ""},
      {"edit text added", {"$r$g$b"}, "RGB(#r,#g,#b)", sz("$r$g$b\xFFRGB(#r,#g,#b)\xFF"), "RGB(#r,#g,#b)"},
      {"edit text listed in other case", {"rgb(#r,#g,#b)"}, "RGB(#r,#g,#b)", sz("rgb(#r,#g,#b)\xFF"), "RGB(#r,#g,#b)"},
      {"template with the end byte", {"x"}, "a\xFF" "b", sz("x\xFF"), "a\xFF" "b"},
  };
  for (const Case& c : cases) {
    clearSettings();
    TemplateCombo combo;
    resetToStartupDefaults();
    for (const std::string& item : c.items) settings.templates.add(item.c_str());
    showTemplateList();
    typeTemplate(c.edit);
    keepTypedTemplate();
    ASSERT_TRUE(saveSettings());
    EXPECT_EQ(storedValue(kSettingsKey, "combo"), (StoredValue{REG_SZ, c.list})) << c.name;
    EXPECT_STREQ(settings.customTemplate, c.customTemplate) << c.name;
    EXPECT_EQ(combo.items(), settings.templates.entries()) << c.name;
  }
}

// The byte 0xFF ends entries in the stored list: a template holding it must not come back as two.
TEST(Settings, TemplateWithTheEndByteIsNotSplitOnTheNextStart) {
  clearSettings();
  const std::string odd = "#r\xFF#g";
  {
    TemplateCombo combo;
    resetToStartupDefaults();
    settings.templates.add("$r");
    settings.templates.add("x\xFFy");
    showTemplateList();
    typeTemplate(odd.c_str());
    keepTypedTemplate();
    ASSERT_TRUE(saveSettings());
  }
  TemplateCombo combo;
  resetToStartupDefaults();
  ASSERT_TRUE(loadSettings());
  showTemplateList();
  EXPECT_EQ(combo.items(), (std::vector<std::string>{"$r"}));
  EXPECT_EQ(combo.editText(), odd);
  EXPECT_EQ(std::string(settings.customTemplate), odd);
}

TEST(Settings, StoredListIsSavedAsItWasRead) {
  const StoredValue list = {REG_SZ, sz("keep\xFF" "me\xFF")};
  // Read and saved without the close in between, as a session end cut short would.
  clearSettings();
  store(kSettingsKey, "combo", list.type, list.bytes);
  resetToStartupDefaults();
  ASSERT_TRUE(loadSettings());
  ASSERT_TRUE(saveSettings());
  EXPECT_EQ(storedValue(kSettingsKey, "combo"), list);
  // A whole real run with the template in use among them.
  clearSettings();
  store(kSettingsKey, "combo", list.type, list.bytes);
  storeText("customFormat", "me");
  startTintlet();
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedValue(kSettingsKey, "combo"), list);
}

// The scale and the sample chosen in the tray menu of the real program are stored as numbers at its exit, and
// the next start shows them: the mark beside the colour, the Options page's lists, a hostile neighbour repaired.
TEST(Settings, MagnifierScaleAndSampleSurviveARestartOfTheRealProgram) {
  clearSettings();
  {
    RunningTintlet first;
    ASSERT_NE(first.box, nullptr);
    first.command(82);  // x6
    first.command(92);  // 5 x 5
    EXPECT_TRUE(pumpUntil([&] { return first.boxText().find(" 5\xD7" "5") != std::string::npos; })) << first.boxText();
    ASSERT_TRUE(first.exit());
  }
  EXPECT_EQ(storedValue(kSettingsKey, "zoomscale"), (StoredValue{REG_DWORD, dword(6)}));
  EXPECT_EQ(storedValue(kSettingsKey, "sample"), (StoredValue{REG_DWORD, dword(5)}));
  RunningTintlet second;
  ASSERT_NE(second.box, nullptr);
  EXPECT_TRUE(pumpUntil([&] { return second.boxText().find(" 5\xD7" "5") != std::string::npos; })) << second.boxText();
  const HWND options = FindWindowA(kOptionsClassName, nullptr);
  DWORD_PTR scale = 99, sample = 99;
  SendMessageTimeoutA(GetDlgItem(options, 120), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &scale);
  SendMessageTimeoutA(GetDlgItem(options, 121), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &sample);
  EXPECT_EQ(scale, 2u);
  EXPECT_EQ(sample, 2u);
  EXPECT_TRUE(second.exit());
}
