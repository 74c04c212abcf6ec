// The settings written soon after every change, in the registry or in Tintlet.ini beside the program.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "harness.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

using Lines = std::map<std::string, std::string>;  // a settings file's lines: name -> value as spelled

std::string tempFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readFile(const std::string& path) {
  const HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<no file>";
  std::string text(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  if (!text.empty()) ReadFile(f, &text[0], static_cast<DWORD>(text.size()), &got, nullptr);
  CloseHandle(f);
  text.resize(got);
  return text;
}

void writeFile(const std::string& path, const std::string& text) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  ASSERT_EQ(written, text.size());
}

// The lines of the file as the program writes them: "[Tintlet]" first, then one name=value a line.
Lines fileLines(const std::string& path) {
  const std::string text = readFile(path);
  Lines lines;
  std::size_t at = text.find("\r\n");
  if (text.compare(0, at, "[Tintlet]") != 0) return {{"<first line>", text.substr(0, 40)}};
  for (at += 2; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    const std::string line = text.substr(at, end - at);
    const std::size_t equals = line.find('=');
    lines[line.substr(0, equals)] = equals == std::string::npos ? "<no =>" : line.substr(equals + 1);
    at = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

// What a first start writes to the file, kept here on its own.
Lines defaultLines() {
  return {
      {"platform", "\"html\""},   {"italic", "\"false\""},   {"strikeout", "\"false\""},
      {"underline", "\"false\""}, {"fontheight", "-11"},     {"fontwidth", "0"},
      {"fontweight", "400"},      {"textcolor", "16777215"}, {"basecolor", "8421504"},
      {"customclr", std::string(128, '0')},                  {"facename", "\"Tahoma\""},
      {"hotchars", "4F445146535A434D58"},                     {"modifiers", "030303030303030303"},
      {"nudgekey", "4E03"},       {"contrastkey", "0000"},   {"pastekey", "0000"},
      {"zoomscale", "2"},         {"sample", "1"},
      {"trans", "100"},           {"customFormat", "\"RGB(#r,#g,#b)\""},
      {"display1", "0"},          {"display2", "0"},         {"mouse", "\"false\""},
      {"color", "0"},             {"history", "\"\""},
  };
}

FILETIME keyWriteTime() {
  FILETIME t = {};
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return t;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t);
  RegCloseKey(key);
  return t;
}

FILETIME fileWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool operator==(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}
bool operator!=(const FILETIME& a, const FILETIME& b) { return !(a == b); }

bool keyExists(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// A folder of its own holding a copy of a program and, for portable use, a Tintlet.ini; removed at the end.
struct Unpacked {
  std::string folder;
  std::string exe;
  explicit Unpacked(const std::string& program, const char* iniText) {
    folder = tempFolder("tintlet-portable");
    CreateDirectoryA(folder.c_str(), nullptr);
    exe = file(program.substr(program.find_last_of("\\/") + 1).c_str());
    CopyFileA(program.c_str(), exe.c_str(), FALSE);
    if (iniText) writeFile(ini(), iniText);
  }
  std::string file(const char* name) const { return folder + "\\" + name; }
  std::string ini() const { return file("Tintlet.ini"); }
  // One test of this program run in the copy, where Tintlet.ini makes it portable; 97 when no test ran.
  DWORD runTest(const char* test) const {
    const std::string report = file("report.xml");
    DeleteFileA(report.c_str());
    const HANDLE process = startProcess("\"" + exe + "\" --gtest_also_run_disabled_tests --gtest_output=xml:\"" +
                                        report + "\" --gtest_filter=PortableSettings." + test);
    if (!process) return 99;
    DWORD code = waitForExit(process, 60000);
    if (code == STILL_ACTIVE) TerminateProcess(process, code = 98);
    CloseHandle(process);
    if (code == 0 && readFile(report).find("<testsuites tests=\"1\"") == std::string::npos) code = 97;
    return code;
  }
  ~Unpacked() {
    for (const char* name : {"Tintlet.ini", "Tintlet.ini.tmp", "report.xml"}) {
      SetFileAttributesA(file(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file(name).c_str());
    }
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
  }
  Unpacked(const Unpacked&) = delete;
  Unpacked& operator=(const Unpacked&) = delete;
};

std::string thisProgram() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  return self;
}


// Each store, as a test sees its stored values and its time of last write.
struct StoreCase {
  const char* name;
  bool portable;
};
constexpr StoreCase kStores[] = {{"registry", false}, {"portable", true}};

struct StoreView {
  const Unpacked& copy;
  bool portable;
  std::string value(const char* name) const {
    if (!portable) {
      const std::string bytes = storedBytes(name);
      return bytes.empty() || bytes.back() != '\0' ? bytes : bytes.substr(0, bytes.size() - 1);
    }
    const Lines lines = fileLines(copy.ini());
    const auto found = lines.find(name);
    return found == lines.end() ? "<missing>" : found->second;
  }
  FILETIME writeTime() const { return portable ? fileWriteTime(copy.ini()) : keyWriteTime(); }
};

}  // namespace

// A change made through the tray is written within two seconds: the process killed three seconds later
// without its exit has it, and the next start shows it.
TEST(SettingsStore, ChangeSurvivesAKill) {
  for (const StoreCase& store : kStores) {
    SCOPED_TRACE(store.name);
    clearSettings();
    const Unpacked copy(windowsPath(TINTLET_EXE), store.portable ? "" : nullptr);
    const StoreView view{copy, store.portable};
    {
      RunningTintlet first(copy.exe);
      ASSERT_NE(first.box, nullptr);
      ASSERT_TRUE(pumpUntil([&] { return view.value("display1") == "0"; }));  // the defaults written at start
      const auto changed = std::chrono::steady_clock::now();
      first.command(kCmdDecimal);
      first.command(kCmdMicro);
      first.command(50);  // CSS rgb()
      ASSERT_TRUE(pumpUntil([&] { return view.value("display1") == "1"; }, 2900));
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - changed;
      std::printf("[          ] %s: the change stored after %.0f ms\n", store.name, took.count());
      pumpFor(3000 - static_cast<int>(took.count()));
      first.kill();
    }
    EXPECT_EQ(view.value("display1"), "1");
    EXPECT_EQ(view.value("display2"), "1");
    EXPECT_EQ(view.value("platform"), store.portable ? "\"cssrgb\"" : "cssrgb");
    EXPECT_EQ(keyExists(kSettingsKey), !store.portable);
    RunningTintlet second(copy.exe);
    ASSERT_NE(second.box, nullptr);
    EXPECT_TRUE(second.decimal()) << second.boxText();
    EXPECT_TRUE(second.exit());
  }
}

// The pointer over changing colours, the ticks running: three seconds without a change write nothing.
// Then one change is written, which shows the write time is the one the store keeps.
TEST(SettingsStore, NothingChangedWritesNothing) {
  ColorWindow left({100, 100, 300, 300}, RGB(200, 30, 30));
  ColorWindow right({300, 100, 500, 300}, RGB(30, 30, 200));
  for (const StoreCase& store : kStores) {
    SCOPED_TRACE(store.name);
    clearSettings();
    const Unpacked copy(windowsPath(TINTLET_EXE), store.portable ? "" : nullptr);
    const StoreView view{copy, store.portable};
    RunningTintlet tintlet(copy.exe);
    ASSERT_NE(tintlet.box, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return view.value("history") != "<missing>"; }));
    pumpFor(2500);  // the looks of the first seconds: a look finds nothing to write
    const FILETIME before = view.writeTime();
    const std::string text = store.portable ? readFile(copy.ini()) : "";
    for (int i = 0; i < 30; ++i) {
      SetCursorPos(i % 2 ? 200 : 400, 200);
      left.setColor(RGB(200, 30 + 5 * i, 30));
      pumpFor(100);
    }
    EXPECT_TRUE(view.writeTime() == before);
    if (store.portable) EXPECT_EQ(readFile(copy.ini()), text);
    tintlet.command(kCmdDecimal);
    EXPECT_TRUE(pumpUntil([&] { return view.writeTime() != before; }, 3000));
    EXPECT_EQ(view.value("display1"), "1");
    EXPECT_TRUE(tintlet.exit());
  }
}

// Ten copies and a drag of the opacity bar, with no message between them: one write.
TEST(SettingsStore, BurstOfChangesIsOneWrite) {
  clearSettings();
  startTintlet();
  pumpFor(2500);
  FILETIME last = keyWriteTime();
  openOptions();
  for (int i = 0; i < 10; ++i) {
    settings.pickedColor = RGB(10 * i, 20, 30);
    SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
  }
  for (int thumb = 0; thumb <= 30; ++thumb)
    SendMessageA(app.optionsWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, thumb),
                 reinterpret_cast<LPARAM>(optionsControls[kOpacityScrollBar]));
  ASSERT_EQ(settings.opacityPercent, 70);
  ASSERT_EQ(settings.history.count, 10);
  int writes = 0;
  const auto start = std::chrono::steady_clock::now();
  DWORD firstWriteMs = 0;
  for (int waited = 0; waited < 4000; waited += 10) {
    pumpFor(10);
    const FILETIME now = keyWriteTime();
    if (now == last) continue;
    last = now;
    if (++writes == 1)
      firstWriteMs = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - start).count());
  }
  std::printf("[          ] one write %lu ms after the burst\n", static_cast<unsigned long>(firstWriteMs));
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(storedBytes("trans"), std::string("70", 3));
  EXPECT_EQ(storedBytes("history").substr(0, 13), "5A141E,50141E");
  EXPECT_EQ(exitTintlet(), 0);
}

// Portable use through a whole session: every kind of value goes to the file and comes back from it,
// and the registry, current key and older, is neither read nor written.
TEST(PortableSettings, FullSessionRoundTripsThroughTheFile) {
  clearSettings();
  HKEY key;
  for (const char* path : {kSettingsKey, kOlderSettingsKey}) {
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "platform", 0, REG_SZ, reinterpret_cast<const BYTE*>("java"), 5);
    RegCloseKey(key);
  }
  const FILETIME keyBefore = keyWriteTime();
  const std::string registryBefore = storedBytes("platform");
  const Unpacked copy(thisProgram(), "");
  ASSERT_EQ(copy.runTest("DISABLED_ChangeEverything"), 0u);

  Lines expected = defaultLines();
  expected["platform"] = "\"csshsl\"";
  expected["italic"] = "\"true\"";
  expected["fontheight"] = "-15";
  expected["fontweight"] = "700";
  expected["textcolor"] = "197121";  // RGB(1, 2, 3)
  expected["basecolor"] = "394500";  // RGB(4, 5, 6)
  expected["customclr"] = "0A0B0C00" + std::string(120, '0');
  expected["facename"] = "\"Courier New\"";
  expected["hotchars"] = "4F445143535A464D58";  // the copy's key swapped with fix's: C and F
  expected["modifiers"] = "030303030303070303";  // the copy with Alt too
  expected["trans"] = "85";
  expected["customFormat"] = "\"#r = \\\"#g\\\" \\\\ #b\"";
  expected["combo"] = "\"#r = \\\"#g\\\" \\\\ #b\xFF" "a = \\\"b\\\" c\xFF" "RGB(#r,#g,#b)\xFF\"";
  expected["display1"] = "1";
  expected["display2"] = "2";
  expected["history"] = "\"0A0B0C,FADC1E\"";
  Lines saved = fileLines(copy.ini());
  saved.erase("color");  // the colour under the pointer at the exit
  expected.erase("color");
  EXPECT_EQ(saved, expected);

  ASSERT_EQ(copy.runTest("DISABLED_FindEverything"), 0u);
  Lines again = fileLines(copy.ini());
  again.erase("color");
  EXPECT_EQ(again, expected);
  EXPECT_TRUE(keyWriteTime() == keyBefore);
  EXPECT_EQ(storedBytes("platform"), registryBefore);
  clearSettings();
}

TEST(PortableSettings, DISABLED_ChangeEverything) {
  startTintlet();
  ASSERT_FALSE(settingsFile().empty()) << "not run beside a Tintlet.ini";
  EXPECT_EQ(settings.formatIndex, 0);  // the empty file's default, not the registry's "java"
  SendMessageA(app.boxWnd, WM_COMMAND, 51, 0);  // CSS hsl()
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdDecimal, 0);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdZoom, 0);
  openOptions();
  typeTemplate("a = \"b\" c");
  SendMessageA(app.optionsWnd, WM_COMMAND, kIdAddTemplate, 0);
  typeTemplate("#r = \"#g\" \\ #b");
  setOpacity(85);
  LOGFONTA font = settings.boxLogFont;
  font.lfHeight = -15;
  font.lfWeight = 700;
  font.lfItalic = 1;
  std::strcpy(font.lfFaceName, "Courier New");
  setBoxFont(font, RGB(1, 2, 3));
  setBaseColor(RGB(4, 5, 6));
  settings.customColors[0] = RGB(10, 11, 12);  // as the colour dialog leaves it
  for (const COLORREF c : {RGB(0xFA, 0xDC, 0x1E), RGB(10, 11, 12)}) {
    settings.pickedColor = c;
    SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
  }
  switchOptionsPage(1);
  SendMessageA(optionsControls.hotkeyCtrl(kActionCopy), HKM_SETHOTKEY, MAKEWORD('F', HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT), 0);
  SendMessageA(optionsControls.hotkeyCtrl(kActionFixColor), HKM_SETHOTKEY, MAKEWORD('C', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
  SendMessageA(app.optionsWnd, WM_COMMAND, kIdApply, 0);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(PortableSettings, DISABLED_FindEverything) {
  startTintlet();
  ASSERT_FALSE(settingsFile().empty()) << "not run beside a Tintlet.ini";
  EXPECT_EQ(settings.formatIndex, 8);
  EXPECT_TRUE(settings.decimalDisplay);
  EXPECT_EQ(settings.form, BoxForm::zoom);
  EXPECT_EQ(settings.opacityPercent, 85);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -15);
  EXPECT_EQ(settings.boxLogFont.lfWeight, 700);
  EXPECT_EQ(settings.boxLogFont.lfItalic, 1);
  EXPECT_STREQ(settings.boxLogFont.lfFaceName, "Courier New");
  EXPECT_EQ(settings.textColor, RGB(1, 2, 3));
  EXPECT_EQ(settings.baseColor, RGB(4, 5, 6));
  EXPECT_EQ(settings.customColors[0], RGB(10, 11, 12));
  EXPECT_STREQ(settings.customTemplate, "#r = \"#g\" \\ #b");
  EXPECT_EQ(settings.templates.entries(),
            (std::vector<std::string>{"#r = \"#g\" \\ #b", "a = \"b\" c", "RGB(#r,#g,#b)"}));
  EXPECT_EQ(settings.history.count, 2);
  EXPECT_EQ(settings.history.colors[0], RGB(10, 11, 12));
  EXPECT_EQ(settings.hotkeyChars[kActionCopy], 'F');
  EXPECT_EQ(settings.hotkeyModifiers[kActionCopy], 7);
  EXPECT_EQ(settings.hotkeyChars[kActionFixColor], 'C');
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

// Another program's hold on a file: it may be read, but neither replaced nor deleted while held.
struct HeldFile {
  HANDLE handle;
  explicit HeldFile(const std::string& path)
      : handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { release(); }
  void release() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
};

const char kWriteMessageEnd[] = "\r\rTintlet keeps them until it ends and tries again at the next change.";

}  // namespace

// A file that cannot be replaced: read-only, or held by another program. One message names it and the
// system's reason; the program runs on with its changes in memory, and writes neither the file nor the
// registry.
TEST(PortableSettings, UnwritableFileIsToldOnceAndNothingIsLost) {
  for (const bool readOnly : {true, false}) {
    SCOPED_TRACE(readOnly ? "read-only" : "held");
    clearSettings();
    const Unpacked copy(thisProgram(), "[Tintlet]\r\ntrans=80\r\n");
    if (readOnly) ASSERT_TRUE(SetFileAttributesA(copy.ini().c_str(), FILE_ATTRIBUTE_READONLY));
    HeldFile held(readOnly ? std::string("<none>") : copy.ini());
    EXPECT_EQ(copy.runTest("DISABLED_RunWithAnUnwritableFile"), 0u);
    held.release();
    EXPECT_EQ(readFile(copy.ini()), "[Tintlet]\r\ntrans=80\r\n");
    EXPECT_FALSE(fileExists(copy.ini() + ".tmp"));
    EXPECT_FALSE(keyExists(kSettingsKey));
    EXPECT_FALSE(keyExists(kOlderSettingsKey));
  }
}

TEST(PortableSettings, DISABLED_RunWithAnUnwritableFile) {
  MessageBoxCloser closer;
  startTintlet();  // the defaults of the missing values cannot be written
  ASSERT_FALSE(settingsFile().empty()) << "not run beside a Tintlet.ini";
  EXPECT_EQ(settings.opacityPercent, 80);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdDecimal, 0);
  setOpacity(90);
  pumpFor(3000);  // a look tries to write the change
  EXPECT_TRUE(settings.decimalDisplay);
  EXPECT_EQ(settings.opacityPercent, 90);
  EXPECT_EQ(exitTintlet(), 0);  // and the exit
  closer.stop();
  EXPECT_EQ(closer.texts(), std::vector<std::string>{"The settings could not be saved to\r\r" + settingsFile() +
                                                     "\r\rAccess denied." + kWriteMessageEnd});
}

// Files no program of ours wrote: each unusable value gets its default, written back as one new file,
// and every usable one is kept as it was spelled.
TEST(PortableSettings, HostileFilesAreRepairedValueByValue) {
  clearSettings();
  const std::string folder = tempFolder("tintlet-hostile");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\Tintlet.ini";
  std::string binary;
  unsigned seed = 7;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
  std::string manyMegabytes = "[Tintlet]\r\ntrans=75\r\nplatform=\"float\"\r\n";
  while (manyMegabytes.size() < 24u << 20) {
    const char c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    manyMegabytes += c == '=' ? '\0' : c;
  }
  const std::string megabyte(1 << 20, 'x');
  struct Case {
    const char* name;
    std::string text;
    Lines kept;  // lines other than the defaults
    int opacity, format;
  };
  const Case cases[] = {
      {"empty", "", {}, 100, 0},
      {"binary bytes", binary, {}, 100, 0},
      {"no section", "trans=85\r\nplatform=\"vb\"\r\n", {}, 100, 0},
      {"usable values", "[Tintlet]\r\ntrans=85\r\nPLATFORM = \"vb\"\r\nhotchars=41424344454647484A\r\n",
       {{"trans", "85"}, {"platform", "\"vb\""}, {"hotchars", "41424344454647484A"}}, 85, 5},
      {"lines of a megabyte",
       "[Tintlet]\r\ncustomFormat=\"" + megabyte + "\"\r\ntrans=90\r\njunk=" + megabyte + "\r\nfontwidth=7\r\n",
       {{"trans", "90"}, {"fontwidth", "7"}}, 90, 0},
      {"a name twice", "[Tintlet]\r\ntrans=80\r\nTRANS=90\r\nplatform=\"java\"\r\nplatform=\"vb\"\r\n",
       {{"trans", "80"}, {"platform", "\"java\""}}, 80, 4},
      {"values of the wrong kind",
       "[Tintlet]\r\ntrans=\"85\"\r\nplatform=html\r\nitalic=true\r\nhotchars=\"ODQFSZCMX\"\r\ncustomclr=ZZ\r\n"
       "nudgekey=4E\r\nhistory=FADC1E\r\nfontheight=-11px\r\nfacename=Arial\r\ncustomFormat=12\r\ncombo=12\r\n",
       {{"combo", "12"}}, 100, 0},  // a list is never a default: it stays until the exit writes the one in use
      {"values out of range",
       "[Tintlet]\r\nfontheight=-2000\r\ntrans=50\r\ntextcolor=16777216\r\nbasecolor=-1\r\nfontweight=5000\r\n"
       "display2=7\r\nfacename=\"\\x01\"\r\ncolor=99999999999999999999\r\nplatform=\"HTML\"\r\n",
       {{"trans", "50"}, {"display2", "7"}}, 100, 0},  // out of range, these two count as their default till exit
      {"a history with bad entries", "[Tintlet]\r\nhistory=\"FADC1E,zzzzzz,050CFF\"\r\n",
       {{"history", "\"FADC1E,050CFF\""}}, 100, 0},
      {"many megabytes", manyMegabytes, {{"trans", "75"}, {"platform", "\"float\""}}, 75, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(ini, c.text);
    resetSettings();
    useSettingsFile(ini);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(loadSettings());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("[          ] %s (%.1f MB): read and repaired in %.1f ms\n", c.name, c.text.size() / 1048576.0,
                took.count());
    Lines expected = defaultLines();
    for (const auto& line : c.kept) expected[line.first] = line.second;
    EXPECT_EQ(fileLines(ini), expected);
    EXPECT_EQ(settings.opacityPercent, c.opacity);
    EXPECT_EQ(settings.formatIndex, c.format);
    EXPECT_FALSE(fileExists(ini + ".tmp"));
  }
  useSettingsFile("");
  EXPECT_FALSE(keyExists(kSettingsKey));
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(folder.c_str());
}

// The file is written whole under another name and moved over the old one: where that cannot be done,
// the old file stays exactly as it was, and a kill at any moment finds the old file or the new one.
TEST(PortableSettings, SaveGoesThroughATemporaryFile) {
  clearSettings();
  const std::string folder = tempFolder("tintlet-temporary");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\Tintlet.ini", temporary = ini + ".tmp";
  writeFile(ini, "[Tintlet]\r\ntrans=90\r\n");
  resetSettings();
  useSettingsFile(ini);
  ASSERT_TRUE(loadSettings());
  const std::string old = readFile(ini);
  ASSERT_EQ(fileLines(ini)["trans"], "90");
  settings.opacityPercent = 75;
  bool reading = true;

  // The temporary name taken by a folder: nothing can be written there, and the file is not touched.
  ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
  EXPECT_FALSE(saveSettings());
  EXPECT_EQ(readFile(ini), old);
  EXPECT_NE(settingsFileError(&reading), 0u);
  EXPECT_FALSE(reading);
  ASSERT_TRUE(RemoveDirectoryA(temporary.c_str()));

  // The move refused, the file held by another program: the new file written beside it goes.
  {
    HeldFile held(ini);
    EXPECT_FALSE(saveSettings());
    settings.opacityPercent = 76;
    EXPECT_TRUE(settingsChanged());
    EXPECT_FALSE(saveChangedSettings());
    EXPECT_FALSE(settingsChanged());  // tried again at the next change, not at every look
  }
  EXPECT_EQ(readFile(ini), old);
  EXPECT_FALSE(fileExists(temporary));
  EXPECT_EQ(settingsFileError(&reading), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  EXPECT_TRUE(saveSettings());
  EXPECT_EQ(fileLines(ini)["trans"], "76");
  EXPECT_FALSE(fileExists(temporary));
  useSettingsFile("");
  EXPECT_FALSE(keyExists(kSettingsKey));
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(folder.c_str());
}
