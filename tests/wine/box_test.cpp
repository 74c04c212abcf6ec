// The colour box in the real program: sampling, following, fixing, dragging, hiding.
#include <atomic>

#include "harness.h"
#include "import_patch.h"

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "box/tick_pace.h"

namespace {

const RECT kTarget = {200, 200, 400, 400};

struct BoxFixture : ::testing::Test {
  ColorWindow target{kTarget, RGB(5, 128, 0)};
  void SetUp() override {
    clearSettings();
    SetCursorPos(300, 300);
    startTintlet();
    ASSERT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(5, 128, 0); }));
  }
  static void action(int a) { SendMessageA(app.boxWnd, WM_HOTKEY, a, 0); }
  static RECT boxRect() {
    RECT r;
    GetWindowRect(app.boxWnd, &r);
    return r;
  }
};

// GetCursorPos as it behaves while another desktop has the input (lock screen, UAC prompt): it fails, and
// what it leaves in the point is no position; here one over another window, where a tick that used it
// would move the box and pick that window's colour.
std::atomic<int> refusedPointerReads{0};
BOOL WINAPI refusePointer(POINT* p) {
  p->x = 700;
  p->y = 600;
  ++refusedPointerReads;
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

// Runs an X client of this machine, such as xdotool, on the test display; Wine starts Unix programs too.
// Its end cannot be waited for: the caller waits for what it does.
bool runOnDisplay(const std::string& unixCommand) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string line = unixCommand;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool middleButtonDown() { return (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0; }

}  // namespace

TEST_F(BoxFixture, ShowsThePaintedColourBesideThePointer) {
  pumpFor(50);
  EXPECT_STREQ(app.hexText, "058000");
  EXPECT_STREQ(app.decText, "@@5 128 @@0");
  EXPECT_EQ(windowText(app.boxTextWnd), "058000");
  const Point at = boxPosition({300, 300}, app.boxWidth, boxState.boxHeight, {0, 0, 1024, 768});
  const RECT r = boxRect();
  EXPECT_EQ(r.left, at.x);
  EXPECT_EQ(r.top, at.y);
  EXPECT_EQ(r.right - r.left, app.boxWidth);
  EXPECT_EQ(r.bottom - r.top, boxState.boxHeight);

  target.setColor(RGB(0xFF, 0x0C, 0x05));
  ASSERT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(0xFF, 0x0C, 0x05); }));
  pumpFor(30);
  EXPECT_EQ(windowText(app.boxTextWnd), "FF0C05");

  action(kActionDecHex);
  pumpFor(30);
  EXPECT_EQ(windowText(app.boxTextWnd), "255 012 005");
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, FollowsThePointerAndFlipsAtTheScreenEdges) {
  struct Case { POINT pointer; };
  ColorWindow corner({900, 650, 1024, 768}, RGB(1, 2, 3));
  for (POINT p : {POINT{950, 300}, POINT{300, 760}, POINT{1020, 760}, POINT{320, 330}}) {
    SetCursorPos(p.x, p.y);
    pumpFor(60);
    const Point at = boxPosition({p.x, p.y}, app.boxWidth, boxState.boxHeight, {0, 0, 1024, 768});
    const RECT r = boxRect();
    EXPECT_EQ(r.left, at.x) << p.x << "," << p.y;
    EXPECT_EQ(r.top, at.y) << p.x << "," << p.y;
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, FixColorHoldsColourAndTextWhileTheBoxFollows) {
  action(kActionFixColor);
  target.setColor(RGB(9, 9, 200));
  SetCursorPos(330, 320);
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, RGB(5, 128, 0));
  EXPECT_STREQ(app.hexText, "058000");
  EXPECT_EQ(boxRect().left, 342);
  action(kActionMicro);  // a form change redraws the fixed colour
  pumpFor(50);
  EXPECT_EQ(windowText(app.boxTextWnd), "058000");
  action(kActionFixColor);
  EXPECT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(9, 9, 200); }));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, MiddleButtonModeTakesTheColourOnlyWhileTheButtonIsDown) {
  settings.middleButtonMode = true;
  target.setColor(RGB(200, 10, 10));
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, RGB(5, 128, 0));

  INPUT press = {};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  SendInput(1, &press, sizeof press);
  EXPECT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(200, 10, 10); }));
  press.mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  SendInput(1, &press, sizeof press);
  pumpFor(50);
  target.setColor(RGB(10, 200, 10));
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, RGB(200, 10, 10));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, TicksWithoutThePointerKeepTheBoxAndTheColour) {
  ColorWindow elsewhere({650, 550, 750, 650}, RGB(1, 2, 250));
  pumpFor(30);
  const RECT before = boxRect();
  {
    ImportPatch failing("user32.dll", "GetCursorPos", reinterpret_cast<const void*>(&refusePointer));
    ASSERT_TRUE(failing.active());
    refusedPointerReads = 0;
    ASSERT_TRUE(pumpUntil([] { return refusedPointerReads >= 10; }));  // ten real ticks
    EXPECT_EQ(settings.pickedColor, RGB(5, 128, 0));
    const RECT during = boxRect();
    EXPECT_EQ(during.left, before.left);
    EXPECT_EQ(during.top, before.top);
    EXPECT_TRUE(IsWindowVisible(app.boxWnd));
  }
  // The pointer readable again, the box goes on following it.
  SetCursorPos(700, 600);
  EXPECT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(1, 2, 250); }));
  EXPECT_EQ(exitTintlet(), 0);
}

// The user clicks with the middle button into another program's window: the button goes to that window's
// thread, never through this one's input, and is still seen.
TEST_F(BoxFixture, MiddleButtonModeTakesTheColourUnderAClickIntoAnotherProgram) {
  constexpr COLORREF kFirstBand = RGB(230, 40, 40), kSecondBand = RGB(250, 140, 20);  // the backdrop's
  HANDLE backdrop = startProcess(helperPath("backdrop") + " 12 300");
  ASSERT_NE(backdrop, nullptr);
  const HWND backdropWnd = waitForWindow("ScreenshotBackdrop", nullptr);
  ASSERT_NE(backdropWnd, nullptr);
  setMiddleButtonMode(true);
  SetCursorPos(12, 300);
  DWORD owner = 0;
  GetWindowThreadProcessId(WindowFromPoint({12, 300}), &owner);
  EXPECT_NE(owner, GetCurrentProcessId());
  {
    WindowDC screen(GetDesktopWindow());
    ASSERT_TRUE(pumpUntil([&] { return GetPixel(screen.dc, 12, 300) == kFirstBand; }));
  }
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, RGB(5, 128, 0)) << "taken without the button";

  ASSERT_TRUE(runOnDisplay("Z:\\usr\\bin\\xdotool mousedown 2"));
  EXPECT_TRUE(pumpUntil([&] { return settings.pickedColor == kFirstBand; })) << std::hex << settings.pickedColor;
  ASSERT_TRUE(runOnDisplay("Z:\\usr\\bin\\xdotool mouseup 2"));
  ASSERT_TRUE(pumpUntil([] { return !middleButtonDown(); }));
  SetCursorPos(36, 300);
  {
    WindowDC screen(GetDesktopWindow());
    ASSERT_TRUE(pumpUntil([&] { return GetPixel(screen.dc, 36, 300) == kSecondBand; }));
  }
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, kFirstBand) << "taken after the button was let go";

  PostMessageA(backdropWnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(waitForExit(backdrop, 10000), 0u);
  CloseHandle(backdrop);
  EXPECT_EQ(exitTintlet(), 0);
}

// While the pointer stands still the tick slows down; the colour under it is still taken, and the box follows
// the pointer's first movement. Nudge mode keeps the full pace.
TEST_F(BoxFixture, StillPointerSlowsTheTickWhichStillFollowsColourAndPointer) {
  ASSERT_TRUE(pumpUntil([] { return tickIntervalMs() == kStillTickMs; }));
  target.setColor(RGB(9, 9, 200));
  EXPECT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(9, 9, 200); }));
  EXPECT_TRUE(pumpUntil([] { return windowText(app.boxTextWnd) == "0909C8"; }));

  ASSERT_TRUE(pumpUntil([] { return tickIntervalMs() == kStillTickMs; }));
  SetCursorPos(330, 320);
  const Point at = boxPosition({330, 320}, app.boxWidth, boxState.boxHeight, {0, 0, 1024, 768});
  EXPECT_TRUE(pumpUntil([&] { return boxRect().left == at.x && boxRect().top == at.y; }));

  // A form change is drawn at once, not at the still pace.
  ASSERT_TRUE(pumpUntil([] { return tickIntervalMs() == kStillTickMs; }));
  action(kActionDecHex);
  EXPECT_EQ(tickIntervalMs(), kMovingTickMs);
  EXPECT_TRUE(pumpUntil([] { return windowText(app.boxTextWnd) == "009 009 200"; }));

  action(kActionNudge);
  ASSERT_TRUE(boxState.nudgeMode);
  EXPECT_TRUE(pumpUntil([] { return tickIntervalMs() == kMovingTickMs; }));
  pumpFor(150);
  EXPECT_EQ(tickIntervalMs(), kMovingTickMs) << "slowed while nudging";
  action(kActionNudge);
  EXPECT_TRUE(pumpUntil([] { return tickIntervalMs() == kStillTickMs; }));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, StoppedBoxIsDraggedByThePointer) {
  SendMessageA(app.boxWnd, WM_LBUTTONDOWN, 0, 0);  // ignored while following
  EXPECT_FALSE(boxState.dragging);
  action(kActionStopMoving);
  const RECT before = boxRect();
  SetCursorPos(before.left + 5, before.top + 5);
  SendMessageA(app.boxWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetCursorPos(before.left + 35, before.top + 25);
  pumpFor(80);
  RECT moved = boxRect();
  EXPECT_EQ(moved.left, before.left + 30);
  EXPECT_EQ(moved.top, before.top + 20);
  SendMessageA(app.boxWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetCursorPos(300, 300);
  pumpFor(80);
  const RECT after = boxRect();
  EXPECT_EQ(after.left, moved.left);
  EXPECT_EQ(after.top, moved.top);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, HidingStopsTheTimerAndShowingRestartsIt) {
  action(kActionShowHide);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 0; }));
  EXPECT_FALSE(app.timerActive);
  EXPECT_FALSE(IsWindowVisible(app.boxWnd));
  target.setColor(RGB(40, 50, 60));
  SetCursorPos(250, 250);
  pumpFor(150);
  EXPECT_EQ(settings.pickedColor, RGB(5, 128, 0));  // no tick ran

  action(kActionShowHide);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 1; }));
  EXPECT_TRUE(app.timerActive);
  EXPECT_TRUE(IsWindowVisible(app.boxWnd));
  EXPECT_EQ(boxRect().left, 262);  // placed beside the pointer at once
  EXPECT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(40, 50, 60); }));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, HiddenBoxIgnoresAllButOptionsShowHideAndExit) {
  action(kActionShowHide);
  ASSERT_TRUE(pumpUntil([] { return app.boxShown == 0; }));
  const int height = boxState.boxHeight, width = app.boxWidth;
  for (int a : {kActionDecHex, kActionFixColor, kActionStopMoving, kActionZoom, kActionCopy, kActionMicro}) action(a);
  pumpFor(50);
  EXPECT_EQ(settings.decimalDisplay, 0);
  EXPECT_FALSE(boxState.colorFixed);
  EXPECT_TRUE(boxState.followPointer);
  EXPECT_FALSE((settings.form == BoxForm::zoom));
  EXPECT_FALSE((settings.form == BoxForm::micro));
  EXPECT_EQ(boxState.boxHeight, height);
  EXPECT_EQ(app.boxWidth, width);
  action(99);  // no such action
  action(kActionShowHide);
  EXPECT_TRUE(pumpUntil([] { return app.boxShown == 1; }));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(BoxFirstTick, RedrawsEvenOnBlack) {
  clearSettings();
  ColorWindow black({200, 200, 400, 400}, RGB(0, 0, 0));
  SetCursorPos(300, 300);
  startTintlet();
  EXPECT_TRUE(pumpUntil([] { return windowText(app.boxTextWnd) == "000000"; }));
  EXPECT_STREQ(app.decText, "@@0 @@0 @@0");
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, FormActionsFollowTheTransitionTable) {
  const int h = app.lineHeight;
  struct Step { int action; bool micro, zoom; int height; UINT mark; };
  const Step steps[] = {
      {kActionZoom, false, true, h + 30, 32},    // normal -> zoom
      {kActionZoom, false, false, 2 * h + 2, 31},  // zoom -> normal
      {kActionMicro, true, false, h + 2, 30},    // normal -> micro
      {kActionZoom, false, true, h + 30, 32},    // micro -> zoom
      {kActionMicro, true, false, h + 2, 30},    // zoom -> micro
      {kActionDecHex, true, false, h + 2, 30},   // the base keeps the form
      {kActionMicro, false, false, 2 * h + 2, 31},  // micro -> normal
      {kActionDecHex, false, false, 2 * h + 2, 31},
  };
  int widthBefore = app.boxWidth;
  for (const Step& s : steps) {
    action(s.action);
    pumpFor(20);
    EXPECT_EQ((settings.form == BoxForm::micro), s.micro) << s.action;
    EXPECT_EQ((settings.form == BoxForm::zoom), s.zoom) << s.action;
    EXPECT_EQ(boxState.boxHeight, s.height) << s.action;
    const RECT r = boxRect();
    EXPECT_EQ(r.bottom - r.top, s.height) << s.action;
    EXPECT_EQ(GetMenuState(app.trayMenu, s.mark, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED)) << s.action;
    if (s.action == kActionDecHex) {
      EXPECT_NE(app.boxWidth, widthBefore) << "decimal and hexadecimal texts differ in width";
      EXPECT_EQ(r.right - r.left, app.boxWidth);
      widthBefore = app.boxWidth;
    }
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(BoxFixture, ExitEndsTheLoopWithCodeZero) {
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionExit, 0);
  EXPECT_EQ(runMessageLoop(), 0);
  EXPECT_FALSE(app.timerActive);
  shutDown();
  EXPECT_EQ(app.boxFont, nullptr);
  EXPECT_EQ(app.trayMenu, nullptr);
}
