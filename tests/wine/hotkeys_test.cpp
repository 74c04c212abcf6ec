#include "harness.h"
#include "import_patch.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/state.h"
#include "box/box.h"
#include "box/nudge.h"
#include "options/options.h"
#include "settings/settings.h"
#include "hotkeys/hotkeys.h"

namespace {

constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;
// Each action's default key with Ctrl+Shift; 0 for the later actions, which have no hotkey by default.
const char kDefaultKeys[kActionCount] = {'O', 'D', 'Q', 'F', 'S', 'Z', 'C', 'M', 'X', 'N'};
constexpr int kKeyedActions = 10;

// A window of the test's own for probing which combinations are taken.
struct ProbeWindow {
  HWND wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  int next = 100;
  bool take(UINT modifiers, UINT key) { return RegisterHotKey(wnd, next++, modifiers, key) != 0; }
  ~ProbeWindow() {
    for (int id = 100; id < next; ++id) UnregisterHotKey(wnd, id);
    DestroyWindow(wnd);
  }
};

void expectDefaultPair(int action) {
  EXPECT_EQ(settings.hotkeyChars[action], kDefaultKeys[action]) << action;
  EXPECT_EQ(settings.hotkeyModifiers[action], kDefaultKeys[action] ? 3 : 0) << action;
}

void keyEvent(std::vector<INPUT>* in, WORD vk, bool up) {
  INPUT i = {};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  in->push_back(i);
}

// Ctrl+Shift+`key` held down: the key goes down `times` times (the later ones as the keyboard's repeat), then
// everything is let go, all through the system's input.
void holdCtrlShift(WORD key, int times) {
  std::vector<INPUT> in;
  keyEvent(&in, VK_CONTROL, false);
  keyEvent(&in, VK_SHIFT, false);
  for (int i = 0; i < times; ++i) keyEvent(&in, key, false);
  keyEvent(&in, key, true);
  keyEvent(&in, VK_SHIFT, true);
  keyEvent(&in, VK_CONTROL, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

}  // namespace

TEST(Hotkeys, DefaultsRegisterActionNumbersAsIdentifiers) {
  clearSettings();
  MessageBoxCloser boxes;
  startTintlet();
  pumpFor(200);
  EXPECT_TRUE(boxes.texts().empty());
  ProbeWindow probe;
  for (int i = 0; i < kKeyedActions; ++i) {
    expectDefaultPair(i);
    EXPECT_FALSE(probe.take(kCtrlShift, kDefaultKeys[i])) << "Ctrl+Shift+" << kDefaultKeys[i] << " is free";
    // Freeing identifier i frees exactly the combination of action i.
    EXPECT_TRUE(UnregisterHotKey(app.boxWnd, i)) << i;
    EXPECT_TRUE(probe.take(kCtrlShift, kDefaultKeys[i])) << i;
  }
  // An action without a default key registers nothing until the user gives it one.
  for (int i = kKeyedActions; i < kActionCount; ++i) {
    EXPECT_EQ(settings.hotkeyChars[i], 0) << i;
    EXPECT_EQ(settings.hotkeyModifiers[i], 0) << i;
    EXPECT_FALSE(UnregisterHotKey(app.boxWnd, i)) << i;
  }
  // The nudge mode's keys, identifiers after the actions', are taken only while the mode is on.
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, kActionCount));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Hotkeys, CombinationHeldElsewhereFailsOnlyThatAction) {
  clearSettings();
  HotkeyHolder holder("6:0x46");  // Ctrl+Shift+F, the Fix color hotkey
  ASSERT_TRUE(holder.ready());
  MessageBoxCloser boxes;
  startTintlet();
  pumpFor(100);
  const std::vector<std::string> seen = boxes.texts();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "Hotkey registration failed:\r\rCtrl+Shift+F\r");

  // The action has no hotkey in this run; the user's pair is kept for the next start.
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, 3));
  EXPECT_EQ(SendMessageA(optionsControls.hotkeyCtrl(3), HKM_GETHOTKEY, 0, 0), 0);
  ProbeWindow probe;
  for (int i = 0; i < kKeyedActions; ++i) {
    expectDefaultPair(i);
    if (i == 3 || !kDefaultKeys[i]) continue;
    EXPECT_FALSE(probe.take(kCtrlShift, kDefaultKeys[i])) << "action " << i << " lost its hotkey";
  }
  EXPECT_EQ(exitTintlet(), 0);
  expectDefaultPair(3);
}

TEST(Hotkeys, ThreeRefusalsShareOneBoxInActionOrder) {
  clearSettings();
  startTintlet();
  takeHotkeyRows();
  // Held in another order than the actions', with the registration flags the system sees.
  HotkeyHolder holder("6:0x4D 1:0x7B 7:0x91");
  ASSERT_TRUE(holder.ready());
  settings.hotkeyModifiers[1] = HOTKEYF_ALT | HOTKEYF_EXT;  // the extended-key bit is no modifier
  settings.hotkeyChars[1] = VK_F12;
  settings.hotkeyModifiers[4] = HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT | HOTKEYF_EXT;
  settings.hotkeyChars[4] = VK_SCROLL;

  MessageBoxCloser boxes;
  applyHotkeys();
  pumpFor(100);
  const std::vector<std::string> seen = boxes.texts();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "Hotkey registration failed:\r\rAlt+F12\rCtrl+Alt+Shift+Scroll Lock\rCtrl+Shift+M\r");
  for (int i : {1, 4, 7}) {
    EXPECT_EQ(settings.hotkeyChars[i], 0) << i;
    EXPECT_EQ(settings.hotkeyModifiers[i], 0) << i;
  }
  for (int i : {0, 2, 3, 5, 6, 8, 9}) {
    expectDefaultPair(i);
    EXPECT_TRUE(UnregisterHotKey(app.boxWnd, i)) << i;
  }
  expectDefaultPair(kActionContrast);
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, kActionContrast));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Hotkeys, ControlsApplyTheirHotkeysAndTheLowerActionKeepsADuplicate) {
  clearSettings();
  startTintlet();
  // Hotkey controls such as the Hotkeys page holds, on a window of the test's own.
  HWND page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 300, nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < kActionCount; ++i)
    optionsControls[hotkeyCtrlRow(i)] = CreateWindowExA(0, HOTKEY_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 20 * i, 160, 18, page,
                                        nullptr, nullptr, nullptr);
  ASSERT_NE(optionsControls.hotkeyCtrl(kActionCount - 1), nullptr);
  showHotkeyRows();
  for (int i = 0; i < kKeyedActions; ++i)
    EXPECT_EQ(SendMessageA(optionsControls.hotkeyCtrl(i), HKM_GETHOTKEY, 0, 0), MAKEWORD(kDefaultKeys[i], 3)) << i;

  // The user gives Zoom the Show / Hide combination, clears Stop moving and gives Copy Alt+Num(5).
  SendMessageA(optionsControls.hotkeyCtrl(5), HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
  SendMessageA(optionsControls.hotkeyCtrl(4), HKM_SETHOTKEY, 0, 0);
  SendMessageA(optionsControls.hotkeyCtrl(6), HKM_SETHOTKEY, MAKEWORD(VK_NUMPAD5, HOTKEYF_ALT), 0);
  MessageBoxCloser boxes;
  takeHotkeyRows();
  applyHotkeys();
  pumpFor(100);
  const std::vector<std::string> seen = boxes.texts();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "Hotkey registration failed:\r\rCtrl+Shift+Q\r");

  EXPECT_EQ(SendMessageA(optionsControls.hotkeyCtrl(5), HKM_GETHOTKEY, 0, 0), 0);
  EXPECT_EQ(settings.hotkeyChars[5], 0);
  EXPECT_EQ(settings.hotkeyModifiers[5], 0);
  EXPECT_EQ(SendMessageA(optionsControls.hotkeyCtrl(2), HKM_GETHOTKEY, 0, 0), MAKEWORD('Q', 3));
  EXPECT_EQ(settings.hotkeyChars[4], 0);
  EXPECT_EQ(settings.hotkeyModifiers[4], 0);
  EXPECT_EQ(settings.hotkeyChars[6], VK_NUMPAD5);
  EXPECT_EQ(settings.hotkeyModifiers[6], HOTKEYF_ALT);

  ProbeWindow probe;
  EXPECT_FALSE(probe.take(kCtrlShift, 'Q'));
  EXPECT_FALSE(probe.take(MOD_ALT, VK_NUMPAD5));
  EXPECT_TRUE(probe.take(kCtrlShift, 'Z'));  // no action holds Zoom's old combination
  EXPECT_TRUE(probe.take(kCtrlShift, 'S'));
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, 4));
  EXPECT_FALSE(UnregisterHotKey(app.boxWnd, 5));
  EXPECT_TRUE(UnregisterHotKey(app.boxWnd, 2));
  EXPECT_TRUE(UnregisterHotKey(app.boxWnd, 6));

  // An edit left in a control at exit is what is stored.
  SendMessageA(optionsControls.hotkeyCtrl(0), HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL), 0);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(settings.hotkeyChars[0], VK_F9);
  EXPECT_EQ(settings.hotkeyModifiers[0], HOTKEYF_CONTROL);
  for (int i = 0; i < kActionCount; ++i) optionsControls[hotkeyCtrlRow(i)] = nullptr;
  DestroyWindow(page);
}

TEST(Hotkeys, ExitFreesEveryCombinationAndKeepsTheStoredOnes) {
  clearSettings();
  startTintlet();
  EXPECT_EQ(exitTintlet(), 0);
  ProbeWindow probe;
  for (int i = 0; i < kKeyedActions; ++i) {
    EXPECT_TRUE(probe.take(kCtrlShift, kDefaultKeys[i])) << "Ctrl+Shift+" << kDefaultKeys[i] << " still held";
    expectDefaultPair(i);
  }
}

// Stored modifier bytes of 0 would make every action a bare letter taken from every program.
TEST(Hotkeys, StoredPairsWithoutModifiersBecomeCtrlShiftAndAreWrittenBack) {
  clearSettings();
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
  const std::string zeros(kStoredHotkeyCount, '\0');
  const BYTE nudge[2] = {'N', kHotkeyExt};  // the extended-key bit alone is no modifier either
  RegSetValueExA(key, "modifiers", 0, REG_BINARY, reinterpret_cast<const BYTE*>(zeros.data()), kStoredHotkeyCount);
  RegSetValueExA(key, "nudgekey", 0, REG_BINARY, nudge, sizeof nudge);
  RegCloseKey(key);
  MessageBoxCloser boxes;
  startTintlet();
  pumpFor(200);
  EXPECT_TRUE(boxes.texts().empty());
  {
    // Another program can take the bare letters while Tintlet runs; Tintlet holds Ctrl+Shift+letter.
    HotkeyHolder bare("0:0x43 0:0x58 0:0x4F 0:0x4E");
    EXPECT_TRUE(bare.ready());
    ProbeWindow probe;
    for (int i = 0; i < kKeyedActions; ++i) {
      EXPECT_EQ(settings.hotkeyModifiers[i] & kControlShiftByte, kControlShiftByte) << i;
      EXPECT_FALSE(probe.take(kCtrlShift, kDefaultKeys[i])) << "Ctrl+Shift+" << kDefaultKeys[i] << " is free";
    }
    expectDefaultPair(kActionContrast);  // no key, no modifiers: nothing to repair
  }
  EXPECT_EQ(storedBytes("modifiers"), std::string(kStoredHotkeyCount, '\3'));
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedBytes("modifiers"), std::string(kStoredHotkeyCount, '\3'));
  EXPECT_EQ(storedBytes("nudgekey"), std::string("N\x0B", 2));
  EXPECT_EQ(storedBytes("contrastkey"), std::string(2, '\0'));
}

// The registrations the program asks for, passed on to the system.
struct RegistrationSpy {
  struct Asked { int id; UINT modifiers; UINT key; bool granted; };
  static inline std::vector<Asked> asked;
  static inline decltype(&RegisterHotKey) real = nullptr;
  static BOOL WINAPI registerHotKey(HWND wnd, int id, UINT modifiers, UINT key) {
    const BOOL granted = real(wnd, id, modifiers, key);
    asked.push_back({id, modifiers, key, granted != FALSE});
    return granted;
  }
  ImportPatch patch{"user32.dll", "RegisterHotKey", reinterpret_cast<const void*>(&registerHotKey)};
  RegistrationSpy() {
    asked.clear();
    real = patch.original<decltype(&RegisterHotKey)>();
  }
};

// The actions' hotkeys are asked for without the keyboard's repeat (a held Ctrl+Shift+D would flip the base
// at every repeat), the nudge mode's arrows with it (held, they move the pointer on); and they still work.
// Wine takes the flag but does not act on it, so the repeat itself is left to Windows.
TEST(Hotkeys, ActionsAreRegisteredWithoutRepeatAndTheArrowsWithIt) {
  clearSettings();
  RegistrationSpy spy;
  ASSERT_TRUE(spy.patch.active());
  startTintlet();
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionNudge, 0);
  ASSERT_TRUE(boxState.nudgeMode);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionNudge, 0);
  ASSERT_EQ(RegistrationSpy::asked.size(), size_t(kKeyedActions + kNudgeKeyCount));
  for (const RegistrationSpy::Asked& a : RegistrationSpy::asked) {
    SCOPED_TRACE(a.id);
    EXPECT_TRUE(a.granted);
    const bool action = a.id < kActionCount;
    EXPECT_EQ((a.modifiers & MOD_NOREPEAT) != 0, action);
    if (action) EXPECT_EQ(a.modifiers & ~MOD_NOREPEAT, kCtrlShift);
  }
  // Through the system's input, pressed once, and held through three repeats (under Wine each repeat runs
  // the action again, so an even count of presses is not used here).
  for (int presses : {1, 3}) {
    const int before = settings.decimalDisplay;
    holdCtrlShift('D', presses);
    EXPECT_TRUE(pumpUntil([&] { return settings.decimalDisplay != before; })) << presses;
  }
  EXPECT_EQ(exitTintlet(), 0);
}
