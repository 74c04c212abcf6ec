// Nudge mode in the real program: real key presses through the system's input, the real pointer,
// the real clipboard and other processes competing for the keys.
#include <atomic>
#include <string>
#include <vector>

#include "harness.h"
#include "import_patch.h"

#include "app/names.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

// The mode's ten keys as another program registers them (MOD_SHIFT is 4).
constexpr char kAllNudgeKeys[] = "0:0x25 0:0x27 0:0x26 0:0x28 4:0x25 4:0x27 4:0x26 4:0x28 0:0x0D 0:0x1B";

struct Combination {
  UINT modifiers, key;
};
constexpr Combination kNudgeCombinations[] = {
    {0, VK_LEFT},         {0, VK_RIGHT},         {0, VK_UP},         {0, VK_DOWN},       {MOD_SHIFT, VK_LEFT},
    {MOD_SHIFT, VK_RIGHT}, {MOD_SHIFT, VK_UP},    {MOD_SHIFT, VK_DOWN}, {0, VK_RETURN},    {0, VK_ESCAPE},
};

// How many of the mode's ten combinations this test process could not register just now.
int takenNudgeKeys() {
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  int taken = 0, id = 100;
  for (const Combination& c : kNudgeCombinations) {
    if (RegisterHotKey(probe, id, c.modifiers, c.key)) UnregisterHotKey(probe, id);
    else ++taken;
    ++id;
  }
  DestroyWindow(probe);
  return taken;
}

// Another process tries to take all ten keys: true when it holds them all, false when one was refused.
bool anotherProcessGetsTheKeys() {
  HotkeyHolder holder(kAllNudgeKeys);
  return !holder.refused() && holder.ready();
}

void keyEvent(std::vector<INPUT>* in, WORD vk, bool up) {
  INPUT i = {};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  const bool extended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
  i.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  in->push_back(i);
}

// A key pressed `times` times (the later ones as the keyboard's repeat) and released, with its modifiers held.
void press(WORD vk, std::vector<WORD> modifiers = {}, int times = 1) {
  std::vector<INPUT> in;
  for (WORD m : modifiers) keyEvent(&in, m, false);
  for (int i = 0; i < times; ++i) keyEvent(&in, vk, false);
  keyEvent(&in, vk, true);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) keyEvent(&in, *m, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  pumpFor(80);
}

// Keys typed one after another in one go, so the program finds them all queued at once.
void typeAtOnce(const std::vector<WORD>& keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    keyEvent(&in, k, false);
    keyEvent(&in, k, true);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  pumpFor(80);
}

void pressNudgeHotkey() { press('N', {VK_CONTROL, VK_SHIFT}); }

POINT pointer() {
  POINT p;
  GetCursorPos(&p);
  return p;
}

bool nudgeItemChecked() { return (GetMenuState(app.trayMenu, kCmdNudge, MF_BYCOMMAND) & MF_CHECKED) != 0; }

std::string formName() {
  return settings.form == BoxForm::micro ? "micro" : settings.form == BoxForm::zoom ? "zoom" : "normal";
}

void showForm(const std::string& form) {
  setForm(form == "micro" ? BoxForm::micro : form == "zoom" ? BoxForm::zoom : BoxForm::normal);
}

RECT virtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// Every screen pixel a colour of its own within 256 pixels; blue 0x55 keeps it off the grey base.
void paintPattern(HDC dc, RECT r) {
  paintPixels(dc, r.right, r.bottom, [](int x, int y) { return DWORD(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x55); });
}

void storeBytes(const char* name, const std::string& bytes) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
  RegCloseKey(key);
}

void startAt(POINT p) {
  clearSettings();
  SetCursorPos(p.x, p.y);
  startTintlet();
  pumpFor(50);
}

// SetCursorPos as it behaves while another desktop has the input: refused, the pointer stays.
std::atomic<int> refusedMoves{0};
BOOL WINAPI refuseMove(int, int) {
  ++refusedMoves;
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

}  // namespace

TEST(Nudge, HotkeyTurnsTheModeOnInTheZoomFormAndOffToTheFormBefore) {
  startAt({500, 400});
  ASSERT_EQ(takenNudgeKeys(), 0);
  for (const char* before : {"normal", "micro", "zoom"}) {
    SCOPED_TRACE(before);
    showForm(before);
    pressNudgeHotkey();
    ASSERT_TRUE(boxState.nudgeMode);
    EXPECT_EQ(formName(), "zoom");
    EXPECT_TRUE(nudgeItemChecked());
    EXPECT_EQ(takenNudgeKeys(), 10);
    EXPECT_FALSE(anotherProcessGetsTheKeys());

    pressNudgeHotkey();
    EXPECT_FALSE(boxState.nudgeMode);
    EXPECT_EQ(formName(), before);
    EXPECT_FALSE(nudgeItemChecked());
    EXPECT_EQ(takenNudgeKeys(), 0);
    EXPECT_TRUE(anotherProcessGetsTheKeys());
  }
  // The tray item does the same as the hotkey.
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdNudge, 0);
  EXPECT_TRUE(boxState.nudgeMode);
  EXPECT_TRUE(nudgeItemChecked());
  EXPECT_EQ(takenNudgeKeys(), 10);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdNudge, 0);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 0);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, ArrowsMoveThePointerOnePixelShiftTenAndStopAtTheEdges) {
  const RECT s = virtualScreen();
  const int r = s.right - 1, b = s.bottom - 1;
  startAt({500, 400});
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  struct Case {
    const char* name;
    POINT from;
    WORD key;
    bool shift;
    POINT to;
  };
  const Case cases[] = {
      {"left", {500, 400}, VK_LEFT, false, {499, 400}},
      {"right", {500, 400}, VK_RIGHT, false, {501, 400}},
      {"up", {500, 400}, VK_UP, false, {500, 399}},
      {"down", {500, 400}, VK_DOWN, false, {500, 401}},
      {"shift left", {500, 400}, VK_LEFT, true, {490, 400}},
      {"shift right", {500, 400}, VK_RIGHT, true, {510, 400}},
      {"shift up", {500, 400}, VK_UP, true, {500, 390}},
      {"shift down", {500, 400}, VK_DOWN, true, {500, 410}},
      {"left at the left edge", {s.left, 300}, VK_LEFT, false, {s.left, 300}},
      {"up at the top edge", {300, s.top}, VK_UP, false, {300, s.top}},
      {"right at the last column", {r, 300}, VK_RIGHT, false, {r, 300}},
      {"down at the last row", {300, b}, VK_DOWN, false, {300, b}},
      {"shift left stops on the edge", {s.left + 4, 300}, VK_LEFT, true, {s.left, 300}},
      {"shift down stops on the last row", {300, b - 3}, VK_DOWN, true, {300, b}},
  };
  for (const Case& c : cases) {
    SetCursorPos(c.from.x, c.from.y);
    press(c.key, c.shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
    const POINT got = pointer();
    EXPECT_EQ(got.x, c.to.x) << c.name;
    EXPECT_EQ(got.y, c.to.y) << c.name;
  }
  // A key held down: every repeat moves one pixel more.
  SetCursorPos(500, 400);
  press(VK_RIGHT, {}, 4);
  EXPECT_EQ(pointer().x, 504);
  EXPECT_TRUE(boxState.nudgeMode);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, EnterCopiesThePixelUnderTheMovedPointerAndLeaves) {
  ColorWindow pattern(virtualScreen(), paintPattern);
  startAt({500, 400});
  ASSERT_TRUE(pumpUntil([] { return std::string(app.hexText) == "F49055"; })) << app.hexText;
  ASSERT_TRUE(putTextOnClipboard(pattern.wnd, "old contents"));
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  // Typed faster than the box's timer ticks: the copy still takes the pixel the pointer was moved to.
  typeAtOnce({VK_RIGHT, VK_DOWN, VK_RETURN});
  // 501 and 401 are 0xF5 and 0x91 in their low bytes: the HTML notation of that pixel.
  EXPECT_EQ(readClipboard().text, "#F59155");
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(formName(), "normal");
  EXPECT_EQ(takenNudgeKeys(), 0);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, ARefusedPointerMoveLeavesThePointerAndTheMode) {
  ColorWindow pattern(virtualScreen(), paintPattern);
  startAt({500, 400});
  ASSERT_TRUE(pumpUntil([] { return std::string(app.hexText) == "F49055"; })) << app.hexText;
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  {
    ImportPatch refusing("user32.dll", "SetCursorPos", reinterpret_cast<const void*>(&refuseMove));
    ASSERT_TRUE(refusing.active());
    refusedMoves = 0;
    press(VK_RIGHT);
    press(VK_DOWN, {VK_SHIFT});
    ASSERT_TRUE(pumpUntil([] { return refusedMoves == 2; }));
    EXPECT_EQ(pointer().x, 500);
    EXPECT_EQ(pointer().y, 400);
    EXPECT_TRUE(boxState.nudgeMode);
    EXPECT_EQ(formName(), "zoom");
    EXPECT_STREQ(app.hexText, "F49055");
  }
  // Allowed again, the same key moves the pointer.
  press(VK_RIGHT);
  EXPECT_EQ(pointer().x, 501);
  EXPECT_TRUE(pumpUntil([] { return std::string(app.hexText) == "F59055"; })) << app.hexText;
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, EscapeLeavesWithoutCopying) {
  ColorWindow pattern(virtualScreen(), paintPattern);
  startAt({500, 400});
  showForm("micro");
  ASSERT_TRUE(putTextOnClipboard(pattern.wnd, "old contents"));
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  press(VK_LEFT);
  EXPECT_EQ(pointer().x, 499);
  press(VK_ESCAPE);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(formName(), "micro");
  EXPECT_EQ(readClipboard().text, "old contents");
  EXPECT_EQ(takenNudgeKeys(), 0);
  // With the keys free again an arrow no longer moves the pointer.
  press(VK_LEFT);
  EXPECT_EQ(pointer().x, 499);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, HidingTheBoxOrFocusingAHotkeyRowEndsTheMode) {
  startAt({500, 400});
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_EQ(app.boxShown, 0);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(formName(), "normal");
  EXPECT_EQ(takenNudgeKeys(), 0);
  // While the box is hidden neither the hotkey nor the tray item turns the mode on.
  pressNudgeHotkey();
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdNudge, 0);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 0);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_EQ(app.boxShown, 1);

  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  openOptions(1);
  EXPECT_TRUE(boxState.nudgeMode) << "showing the page alone takes no keys back";
  SetFocus(optionsControls.hotkeyCtrl(3));
  pumpFor(50);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 0);
  // The row gets the arrow the user presses now.
  press(VK_LEFT);
  EXPECT_EQ(LOWORD(SendMessageA(optionsControls.hotkeyCtrl(3), HKM_GETHOTKEY, 0, 0)) & 0xFF, VK_LEFT);
  // With the focus in a row the nudge hotkey does nothing, as every other hotkey.
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionNudge, 0);
  EXPECT_FALSE(boxState.nudgeMode);
  SetFocus(optionsControls[kTabCtrl]);  // else the Exit hotkey would be ignored too
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, ExitWhileOnFreesTheKeysAndSavesTheFormBefore) {
  startAt({500, 400});
  showForm("micro");
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(takenNudgeKeys(), 0);
  EXPECT_EQ(storedBytes("display2"), std::string("1", 2));
}

TEST(Nudge, SessionEndWhileOnFreesTheKeys) {
  startAt({500, 400});
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  SendMessageA(app.boxWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 0);
  EXPECT_TRUE(anotherProcessGetsTheKeys());
  EXPECT_EQ(storedBytes("display2"), std::string("0", 2));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, ARefusedKeyIsReportedAndTheModeWorksWithTheOthers) {
  HotkeyHolder holder("0:0x25 4:0x26");  // Left and Shift+Up, taken by another program
  ASSERT_TRUE(holder.ready());
  startAt({500, 400});
  std::vector<std::string> reported;
  {
    MessageBoxCloser boxes;
    SendMessageA(app.boxWnd, WM_HOTKEY, kActionNudge, 0);
    pumpFor(50);
    reported = boxes.texts();
  }
  EXPECT_EQ(reported, std::vector<std::string>{"Hotkey registration failed:\r\rLeft\rShift+Up\r"});
  ASSERT_TRUE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 10);  // eight by the mode, two by the other program
  press(VK_RIGHT);
  press(VK_UP);
  EXPECT_EQ(pointer().x, 501);
  EXPECT_EQ(pointer().y, 399);
  press(VK_LEFT);  // the other program's
  EXPECT_EQ(pointer().x, 501);
  press(VK_ESCAPE);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(takenNudgeKeys(), 2);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Nudge, HotkeyRowEditsAndPersistsTheCombination) {
  startAt({500, 400});
  openOptions(1);
  const HWND row = optionsControls.hotkeyCtrl(kActionNudge);
  EXPECT_TRUE(IsWindowVisible(row));
  EXPECT_EQ(windowText(optionsControls.hotkeyLabel(kActionNudge)), "Nudge mode");
  EXPECT_EQ(LOWORD(SendMessageA(row, HKM_GETHOTKEY, 0, 0)), MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
  // J pressed alone in the row is taken as Ctrl+Shift+J.
  SetFocus(row);
  press('J');
  EXPECT_EQ(LOWORD(SendMessageA(row, HKM_GETHOTKEY, 0, 0)), MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
  SendMessageA(optionsControls[kApplyButton], BM_CLICK, 0, 0);
  pumpFor(50);
  SetFocus(optionsControls[kTabCtrl]);
  pressNudgeHotkey();
  EXPECT_FALSE(boxState.nudgeMode) << "Ctrl+Shift+N is no longer the mode's";
  press('J', {VK_CONTROL, VK_SHIFT});
  EXPECT_TRUE(boxState.nudgeMode);
  press(VK_ESCAPE);
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedBytes("nudgekey"), "J\3");
  EXPECT_EQ(storedBytes("hotchars"), "ODQFSZCMX");
  EXPECT_EQ(storedBytes("modifiers"), std::string(9, '\3'));
}

// A stored combination is the mode's hotkey at the next start.
TEST(Nudge, StoredCombinationIsRegisteredAtStart) {
  clearSettings();
  storeBytes("nudgekey", std::string({char(VK_F8), char(HOTKEYF_CONTROL | HOTKEYF_ALT)}));
  SetCursorPos(500, 400);
  startTintlet();
  pumpFor(50);
  EXPECT_EQ(settings.hotkeyChars[kActionNudge], VK_F8);
  EXPECT_EQ(settings.hotkeyModifiers[kActionNudge], HOTKEYF_CONTROL | HOTKEYF_ALT);
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(RegisterHotKey(probe, 1, MOD_CONTROL | MOD_ALT, VK_F8));
  EXPECT_TRUE(RegisterHotKey(probe, 2, MOD_CONTROL | MOD_SHIFT, 'N'));
  UnregisterHotKey(probe, 2);
  DestroyWindow(probe);
  EXPECT_EQ(exitTintlet(), 0);
}

// "+" and "-" step the sample size, Page Up and Page Down the magnifier's scale, each shown in the tray menu and
// the Options page's lists; Shift+Enter copies the mean and ends the mode, Shift+Escape ends it, and the keys
// are the other programs' again.
TEST(Nudge, PlusMinusAndPageKeysStepSampleAndScaleAndShiftEnterCopies) {
  ColorWindow pattern(virtualScreen(), paintPattern);
  startAt({500, 400});
  ASSERT_TRUE(putTextOnClipboard(pattern.wnd, "old contents"));
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  auto expectChoice = [](int side, int scale, const char* after) {
    EXPECT_EQ(settings.sampleSide, side) << after;
    EXPECT_EQ(settings.magnifierScale, scale) << after;
    int sideIndex = 0, scaleIndex = 0;
    while (kSampleSides[sideIndex] != side) ++sideIndex;
    while (kMagnifierScales[scaleIndex] != scale) ++scaleIndex;
    EXPECT_TRUE(GetMenuState(app.sampleMenu, kCmdFirstSample + sideIndex, MF_BYCOMMAND) & MF_CHECKED) << after;
    EXPECT_TRUE(GetMenuState(app.magnifierMenu, kCmdFirstScale + scaleIndex, MF_BYCOMMAND) & MF_CHECKED) << after;
    EXPECT_EQ(SendMessageA(optionsControls[kSampleCombo], CB_GETCURSEL, 0, 0), sideIndex) << after;
    EXPECT_EQ(SendMessageA(optionsControls[kMagnifierCombo], CB_GETCURSEL, 0, 0), scaleIndex) << after;
  };
  struct Step { const char* name; WORD key; bool shift; int side, scale; };
  const Step steps[] = {
      {"+", VK_OEM_PLUS, false, 3, 2},      {"keypad +", VK_ADD, false, 5, 2},
      {"Shift and +", VK_OEM_PLUS, true, 7, 2}, {"keypad -", VK_SUBTRACT, false, 5, 2},
      {"-", VK_OEM_MINUS, false, 3, 2},      {"Page Up", VK_PRIOR, false, 3, 4},
      {"Page Up again", VK_PRIOR, false, 3, 6}, {"Page Down", VK_NEXT, false, 3, 4},
  };
  for (const Step& s : steps) {
    press(s.key, s.shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
    expectChoice(s.side, s.scale, s.name);
  }
  EXPECT_EQ(boxState.swatchRect.left, 13 * 4 + 4) << "the magnifier's cells are 4 pixels";
  press(VK_RETURN, {VK_SHIFT});
  EXPECT_EQ(readClipboard().text, "#F49055");  // the mean of 499 to 501 and 399 to 401
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(formName(), "normal");
  press(VK_OEM_PLUS);
  press(VK_PRIOR);
  expectChoice(3, 4, "the keys after the mode");

  ASSERT_TRUE(putTextOnClipboard(pattern.wnd, "old contents"));
  pressNudgeHotkey();
  ASSERT_TRUE(boxState.nudgeMode);
  press(VK_ESCAPE, {VK_SHIFT});
  EXPECT_FALSE(boxState.nudgeMode);
  EXPECT_EQ(readClipboard().text, "old contents");
  EXPECT_EQ(exitTintlet(), 0);
}
