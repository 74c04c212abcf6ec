#include <atomic>
#include <string>
#include <thread>

#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "export/clipboard.h"
#include "options/options.h"
#include "settings/settings.h"
#include "harness.h"
#include "import_patch.h"

namespace {

constexpr COLORREF kShownColor = RGB(5, 12, 255);
constexpr char kErrorText[] = "Clipboard error !!\r\rUnable to copy !!";
constexpr char kOldContents[] = "old contents";

// The block holds the text, its zero and nothing else.
void expectExactly(const ClipboardText& got, const std::string& text) {
  ASSERT_TRUE(got.present);
  EXPECT_EQ(got.text, text);
  EXPECT_EQ(got.block.size(), text.size() + 1) << "block of " << got.block.size() << " bytes for \"" << text << '"';
  EXPECT_EQ(got.block.find('\0'), text.size());
}

void copyWithHotkey() { SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0); }

// Another process holding the clipboard open until released (or for `holdMs`).
class ClipboardHolder {
 public:
  explicit ClipboardHolder(int holdMs = 0) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, "TintletTestClipboardHeld");
    release_ = CreateEventA(nullptr, TRUE, FALSE, "TintletTestClipboardRelease");
    std::string command = helperPath("hold_clipboard") + " TintletTestClipboardHeld TintletTestClipboardRelease";
    if (holdMs > 0) command += " " + std::to_string(holdMs);
    process_ = startProcess(command);
  }
  // Pumps while waiting: Wine's clipboard manager talks to the current owner's thread before the
  // helper's OpenClipboard returns, and waits 5 s for a thread that does not answer.
  bool waitUntilHeld() {
    return process_ && pumpUntil([this] { return WaitForSingleObject(ready_, 0) == WAIT_OBJECT_0; }, 10000);
  }
  // Lets the helper close the clipboard and waits for it to end; returns its exit code.
  DWORD release() {
    SetEvent(release_);
    DWORD code = 99;
    if (process_ && WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
  }
  ~ClipboardHolder() {
    SetEvent(release_);
    if (process_) {
      WaitForSingleObject(process_, 10000);
      CloseHandle(process_);
    }
    CloseHandle(ready_);
    CloseHandle(release_);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

 private:
  HANDLE ready_ = nullptr, release_ = nullptr, process_ = nullptr;
};

// While it lives, GlobalAlloc fails in this process as on a system out of memory, from its `firstFailing`th
// call on (counted from 1); the earlier ones get their block.
class FailingGlobalAlloc {
 public:
  explicit FailingGlobalAlloc(int firstFailing = 1) {
    calls = 0;
    failFrom = firstFailing;
    real = patch_.original<decltype(&GlobalAlloc)>();
  }
  bool active() const { return patch_.active(); }
  static inline int calls = 0;

 private:
  static HGLOBAL WINAPI allocate(UINT flags, SIZE_T bytes) {
    if (++calls < failFrom) return real(flags, bytes);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  static inline int failFrom = 1;
  static inline decltype(&GlobalAlloc) real = nullptr;
  ImportPatch patch_{"kernel32.dll", "GlobalAlloc", reinterpret_cast<const void*>(&allocate)};
};

// What CF_UNICODETEXT holds: the text up to its first zero, and the whole block in UTF-16 units.
struct UnicodeText {
  bool present = false;
  std::wstring text, block;
};
UnicodeText readUnicodeClipboard() {
  UnicodeText result;
  if (!openClipboardForTest(nullptr)) return result;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const SIZE_T size = GlobalSize(data);
    if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      result.present = true;
      result.block.assign(units, size / sizeof(wchar_t));
      result.text = result.block.substr(0, result.block.find(L'\0'));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

// The real program started fresh, with the pointer over a window of a known colour.
class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    clearSettings();
    SetCursorPos(300, 300);
    startTintlet();
    ASSERT_TRUE(pumpUntil([] { return settings.pickedColor == kShownColor; })) << std::hex << settings.pickedColor;
    ASSERT_TRUE(pumpUntil([] { return std::string(app.hexText) == "050CFF"; }));
    owner_ = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
    if (app.boxWnd) EXPECT_EQ(exitTintlet(), 0);
  }
  // Puts `text` on the clipboard as another owner would.
  void putOnClipboard(const char* text) { ASSERT_TRUE(putTextOnClipboard(owner_, text)); }
  ColorWindow target_{{200, 200, 400, 400}, kShownColor};
  HWND owner_ = nullptr;
};

}  // namespace

TEST_F(Clipboard, CopiesEveryNotation) {
  struct Case { int formatIndex; const char* customTemplate; const char* text; };
  const Case cases[] = {
      {0, "", "#050CFF"},           {1, "", "$FF0C05"},           {2, "", "0xFF0C05"},
      {3, "", "5,12,255"},          {4, "", "Color(5,12,255)"},   {5, "", "&HFF0C05"},
      {6, "RGB(#r,#g,#b)", "RGB(5,12,255)"}, {6, "$r$g$b @ #R", "050CFF @ #R"}, {6, "", ""},
      {7, "", "rgb(5, 12, 255)"},   {8, "", "hsl(238, 100%, 51%)"}, {9, "", "238, 98%, 100%"},
      {10, "", "0.020, 0.047, 1.000"}, {11, "#r", "oklch(45.66% 0.3100 264.43)"},
  };
  for (const Case& c : cases) {
    putOnClipboard(kOldContents);
    settings.formatIndex = c.formatIndex;
    typeTemplate(c.customTemplate);
    copyWithHotkey();
    SCOPED_TRACE(kNotations[c.formatIndex].registryName);
    expectExactly(readClipboard(), c.text);
  }
}

TEST_F(Clipboard, TrayCopyCommandCopiesToo) {
  putOnClipboard(kOldContents);
  settings.formatIndex = 4;
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdCopy, 0);
  expectExactly(readClipboard(), "Color(5,12,255)");
}

TEST_F(Clipboard, LongestTemplateFillsTheClipboardExactly) {
  std::string longest;
  for (int i = 0; i < 49; ++i) longest += "#b";
  longest += "!";
  settings.formatIndex = 6;
  typeTemplate(longest.c_str());
  copyWithHotkey();
  std::string expected;
  for (int i = 0; i < 49; ++i) expected += "255";
  expected += "!";
  expectExactly(readClipboard(), expected);
}

// Every edit of the Options page's template field is the template of the next copy.
TEST_F(Clipboard, TemplateFollowsEveryEditOfTheField) {
  ASSERT_NE(optionsControls[kTemplateCombo], nullptr);
  settings.formatIndex = 6;
  typeTemplate("$r-#g");
  copyWithHotkey();
  expectExactly(readClipboard(), "05-12");
  typeTemplate("#b/$b");
  copyWithHotkey();
  expectExactly(readClipboard(), "255/FF");
  // The field gives at most 99 characters: the token after them is cut off.
  typeTemplate((std::string(99, 'a') + "#r").c_str());
  copyWithHotkey();
  expectExactly(readClipboard(), std::string(99, 'a'));
  // A template chosen from the list with the arrow key, as the field's own key gives it.
  SendMessageA(optionsControls[kTemplateCombo], CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  const HWND field = FindWindowExA(optionsControls[kTemplateCombo], nullptr, "Edit", nullptr);
  SendMessageA(field, WM_KEYDOWN, VK_DOWN, 1 | (MapVirtualKeyA(VK_DOWN, MAPVK_VK_TO_VSC) << 16));
  ASSERT_EQ(windowText(optionsControls[kTemplateCombo]), "RGB(#r,#g,#b)");
  copyWithHotkey();
  expectExactly(readClipboard(), "RGB(5,12,255)");
}

TEST_F(Clipboard, FixedColourGivesTheSameTextAtEveryCopy) {
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionFixColor, 0);
  ASSERT_TRUE(boxState.colorFixed);
  target_.setColor(RGB(200, 100, 50));
  const HWND desktop = GetDesktopWindow();
  const HDC screen = GetWindowDC(desktop);
  const bool repainted = pumpUntil([&] { return GetPixel(screen, 300, 300) == RGB(200, 100, 50); });
  ReleaseDC(desktop, screen);
  ASSERT_TRUE(repainted);
  pumpFor(50);
  for (int i = 0; i < 3; ++i) {
    copyWithHotkey();
    expectExactly(readClipboard(), "#050CFF");
    pumpFor(20);
  }
}

TEST_F(Clipboard, BusyClipboardReportsAndKeepsTheOldContents) {
  putOnClipboard(kOldContents);
  const DWORD sequence = GetClipboardSequenceNumber();
  ClipboardHolder holder;
  ASSERT_TRUE(holder.waitUntilHeld());
  for (int attempt = 1; attempt <= 2; ++attempt) {
    MessageBoxCloser watcher;
    copyWithHotkey();  // returns once the error box is closed
    watcher.stop();
    const auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 1u) << "attempt " << attempt;
    EXPECT_TRUE(seen[0].hadOk);
    EXPECT_EQ(seen[0].text, kErrorText);
    EXPECT_EQ(seen[0].owner, app.boxWnd);
    EXPECT_EQ(FindWindowA("#32770", kProgramTitle), nullptr);
  }
  EXPECT_EQ(holder.release(), 0u);
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  expectExactly(readClipboard(), kOldContents);
  // The program goes on: the next copy works.
  copyWithHotkey();
  expectExactly(readClipboard(), "#050CFF");
}

TEST_F(Clipboard, FailedAllocationKeepsTheOldContents) {
  // The ANSI block and the UTF-16 block: either failing leaves the clipboard alone.
  for (int failing : {1, 2}) {
    SCOPED_TRACE(failing);
    putOnClipboard(kOldContents);
    const DWORD sequence = GetClipboardSequenceNumber();
    {
      FailingGlobalAlloc refusing(failing);
      ASSERT_TRUE(refusing.active());
      copyWithHotkey();
      EXPECT_EQ(FailingGlobalAlloc::calls, failing);
    }
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    expectExactly(readClipboard(), kOldContents);
  }
  copyWithHotkey();
  expectExactly(readClipboard(), "#050CFF");
}

// Text in the ANSI code page goes on the clipboard as it is, and as the UTF-16 text of those characters, not
// as the system would convert it with the keyboard's code page.
TEST_F(Clipboard, UnicodeTextHoldsTheAnsiCharacters) {
  // The test prefix runs in an English locale; its ANSI code page decides what the bytes mean.
  ASSERT_EQ(GetACP(), 1252u);
  struct Case { const char* customTemplate; const char* text; const wchar_t* unicode; };
  const Case cases[] = {
      {"#r,#g,#b", "5,12,255", L"5,12,255"},
      {"caf\xE9 #r", "caf\xE9 5", L"caf\u00E9 5"},
      {"\x80$b \x9F\xFF", "\x80" "FF \x9F\xFF", L"\u20AC" L"FF \u0178\u00FF"},  // the euro sign, Y and y with diaeresis
  };
  settings.formatIndex = 6;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    putOnClipboard(kOldContents);
    typeTemplate(c.customTemplate);
    copyWithHotkey();
    expectExactly(readClipboard(), c.text);
    const UnicodeText got = readUnicodeClipboard();
    ASSERT_TRUE(got.present);
    EXPECT_EQ(got.text, std::wstring(c.unicode));
    EXPECT_EQ(got.block.size(), got.text.size() + 1);
  }
}

TEST_F(Clipboard, ClipboardHeldForAMomentIsStillCopied) {
  putOnClipboard(kOldContents);
  ClipboardHolder holder(20);
  ASSERT_TRUE(holder.waitUntilHeld());
  MessageBoxCloser watcher;
  copyWithHotkey();
  watcher.stop();
  EXPECT_EQ(watcher.texts(), std::vector<std::string>{});
  EXPECT_EQ(holder.release(), 0u);
  expectExactly(readClipboard(), "#050CFF");
}

TEST_F(Clipboard, HiddenBoxCopiesNothing) {
  putOnClipboard(kOldContents);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 0; }));
  const DWORD sequence = GetClipboardSequenceNumber();
  MessageBoxCloser watcher;
  copyWithHotkey();
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdCopy, 0);
  pumpFor(100);
  watcher.stop();
  EXPECT_EQ(watcher.texts(), std::vector<std::string>{});
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  expectExactly(readClipboard(), kOldContents);
  // Shown again, the same action copies.
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 1; }));
  copyWithHotkey();
  expectExactly(readClipboard(), "#050CFF");
}

namespace {

void pasteFromTray() { SendMessageA(app.boxWnd, WM_COMMAND, kCmdPaste, 0); }

std::string historyText() {
  std::string text;
  for (int i = 0; i < settings.history.count; ++i) text += std::to_string(settings.history.colors[i]) + ",";
  return text;
}

}  // namespace

// What each notation copies, pasted back and copied again, is the same text; the notations that hold all
// 24 bits give back the very colour.
TEST_F(Clipboard, EveryNotationCopiedAndPastedBackCopiesTheSame) {
  const COLORREF colors[] = {RGB(250, 220, 30), RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 128, 254)};
  for (int n = 0; n < kNotationCount; ++n) {
    setNotation(n);
    typeTemplate(n == kCustomNotation ? "$r-#g-$b" : "RGB(#r,#g,#b)");
    const bool exact = n <= 5 || n == 7 || n == 10;  // HTML to VB, CSS rgb() and float
    for (COLORREF color : colors) {
      SCOPED_TRACE(std::string(kNotations[n].registryName) + " " + std::to_string(color));
      char text[kClipboardTextSize];
      composeClipboardText(color, text, sizeof text);
      putOnClipboard(text);
      pasteFromTray();
      ASSERT_TRUE(boxState.colorFixed);
      if (exact) EXPECT_EQ(settings.pickedColor, color);
      copyWithHotkey();
      expectExactly(readClipboard(), text);
      EXPECT_EQ(settings.history.colors[0], settings.pickedColor);
      boxState.colorFixed = false;
    }
  }
}

TEST_F(Clipboard, PastedCssTextsBecomeTheFixedColour) {
  struct Case { const char* text; COLORREF color; };
  const Case cases[] = {
      {"#FADC1E", RGB(250, 220, 30)},          {"  #fadc1e\r\n", RGB(250, 220, 30)},
      {"#abc", RGB(0xAA, 0xBB, 0xCC)},         {"#ABCF", RGB(0xAA, 0xBB, 0xCC)},
      {"rgb(10, 20, 30)", RGB(10, 20, 30)},    {"RGB(10 20 30)", RGB(10, 20, 30)},
      {"rgba(10,20,30,1)", RGB(10, 20, 30)},   {"rgb(100% 0% 50% / 100%)", RGB(255, 0, 128)},
      {"hsl(120, 100%, 50%)", RGB(0, 255, 0)}, {"HSL(240deg 100% 50%)", RGB(0, 0, 255)},
      {"hwb(0 0% 0%)", RGB(255, 0, 0)},        {"rebeccapurple", RGB(0x66, 0x33, 0x99)},
      {"RebeccaPurple", RGB(0x66, 0x33, 0x99)}, {"oklab(1 0 0)", RGB(255, 255, 255)},
      {"oklch(0% 0 0)", RGB(0, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    boxState.colorFixed = false;
    putOnClipboard(c.text);
    pasteFromTray();
    EXPECT_TRUE(boxState.colorFixed);
    EXPECT_EQ(settings.pickedColor, c.color);
    EXPECT_EQ(settings.history.colors[0], c.color);
  }
  // Outside sRGB: its chroma is reduced until it fits, so the hue stays reddish orange and nothing clips to a
  // primary.
  boxState.colorFixed = false;
  putOnClipboard("oklch(70% 0.3 30)");
  pasteFromTray();
  ASSERT_TRUE(boxState.colorFixed);
  EXPECT_EQ(GetRValue(settings.pickedColor), 255);
  EXPECT_GT(GetGValue(settings.pickedColor), GetBValue(settings.pickedColor));
  EXPECT_GT(GetBValue(settings.pickedColor), 0);
}

TEST_F(Clipboard, TextThatIsNoColourIsToldAndChangesNothing) {
  const std::string megabytes(2 << 20, 'x');
  struct Case { std::string text; std::string message; };
  const std::string noColour = "The clipboard holds no colour Tintlet can read:\r\r";
  const Case cases[] = {
      {"", noColour},
      {"not a colour", noColour + "not a colour"},
      {"rgb(300, 0, 0)", noColour + "rgb(300, 0, 0)"},
      {"#GG0000", noColour + "#GG0000"},
      {"rgb(10, 20", noColour + "rgb(10, 20"},
      {"tab\there", noColour + "tab here"},
      {megabytes, noColour + std::string(60, 'x')},
      {"#FADC1E80", "The clipboard's colour has transparency:\r\r#FADC1E80"},
      {"rgba(10, 20, 30, 0.5)", "The clipboard's colour has transparency:\r\rrgba(10, 20, 30, 0.5)"},
      {"transparent", "The clipboard's colour has transparency:\r\rtransparent"},
  };
  const COLORREF before = settings.pickedColor;
  const std::string history = historyText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    putOnClipboard(c.text.c_str());
    MessageBoxCloser boxes;
    pasteFromTray();
    boxes.stop();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{c.message});
    EXPECT_FALSE(boxState.colorFixed);
    EXPECT_EQ(settings.pickedColor, before);
    EXPECT_EQ(historyText(), history);
    EXPECT_EQ(readClipboard().text, c.text);
  }
  // A clipboard with no text at all.
  ASSERT_TRUE(openClipboardForTest(owner_));
  EmptyClipboard();
  CloseClipboard();
  MessageBoxCloser boxes;
  pasteFromTray();
  boxes.stop();
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{noColour});
  EXPECT_FALSE(boxState.colorFixed);
}

TEST_F(Clipboard, PasteWhileAnotherProgramHoldsTheClipboardSaysItIsBusy) {
  putOnClipboard("#FADC1E");
  ClipboardHolder holder;
  ASSERT_TRUE(holder.waitUntilHeld());
  MessageBoxCloser boxes;
  pasteFromTray();
  boxes.stop();
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The clipboard is busy: another program holds it."});
  EXPECT_FALSE(boxState.colorFixed);
  EXPECT_EQ(holder.release(), 0u);
}

// Paste has no hotkey until the user gives it one, and works while the box is hidden.
TEST_F(Clipboard, PasteHasNoDefaultKeyAndWorksWhileHidden) {
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, kActionPaste));
  EXPECT_EQ(storedBytes("pastekey"), std::string(2, '\0'));
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 0; }));
  putOnClipboard("#102030");
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionPaste, 0);
  EXPECT_TRUE(boxState.colorFixed);
  EXPECT_EQ(settings.pickedColor, RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(settings.history.colors[0], RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(std::string(app.hexText), "102030");
  copyColorToClipboard(app.boxWnd, settings.pickedColor);
  expectExactly(readClipboard(), "#102030");
}
