// GDI objects and device contexts over the program's own work: each one made is released or replaced.
#include "harness.h"

#include <functional>

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "box/box.h"

namespace {

constexpr POINT kPointer = {400, 300};

void drainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchLoopMessage(&msg);
}

// The program started with the pointer still; only the test's own ticks run.
struct Running : ::testing::Test {
  void SetUp() override {
    clearSettings();
    SetCursorPos(kPointer.x, kPointer.y);
    startTintlet();
    ASSERT_NE(app.boxWnd, nullptr);
    KillTimer(app.boxWnd, kTickTimerId);
    drainMessages();
  }
  // Ticks with a new colour painted under the pointer before each, so that every one redraws.
  void ticks(int n) {
    WindowDC screen(GetDesktopWindow());
    for (int i = 0; i < n; ++i) {
      HBRUSH brush = CreateSolidBrush(RGB(++shade & 0xFF, 0x40, 0x90));
      const RECT r = {kPointer.x - 6, kPointer.y - 6, kPointer.x + 7, kPointer.y + 7};
      FillRect(screen.dc, &r, brush);
      DeleteObject(brush);
      onBoxTick(app.boxWnd);
      drainMessages();
    }
  }
  static void action(int a) { SendMessageA(app.boxWnd, WM_HOTKEY, a, 0); }
  int shade = 0;
};

}  // namespace

TEST(GdiObjectCount, SeesObjectsComeAndGo) {
  const long before = liveGdiObjects();
  ASSERT_GT(before, 0);
  HBRUSH brushes[50];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(liveGdiObjects(), before + 51);
  for (HBRUSH b : brushes) DeleteObject(b);
  DeleteDC(dc);
  EXPECT_EQ(liveGdiObjects(), before);
}

TEST_F(Running, EveryKindOfWorkLeavesTheGdiObjectsAsItFoundThem) {
  struct Work {
    const char* name;
    std::function<void()> run;
  };
  const Work works[] = {
      {"ticks that redraw, normal form", [&] { ticks(20); }},
      {"zoom form and back", [&] { action(kActionZoom); ticks(20); action(kActionZoom); ticks(1); }},
      {"micro form and back", [&] { action(kActionMicro); ticks(20); action(kActionMicro); ticks(1); }},
      {"Dec / Hex there and back", [&] { action(kActionDecHex); ticks(5); action(kActionDecHex); ticks(5); }},
      {"Default&s", [&] { SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0); ticks(5); }},
      {"the font rebuilt as after Apply", [&] {
         settings.boxLogFont.lfHeight = settings.boxLogFont.lfHeight == -11 ? -14 : -11;
         layoutBox(app.boxWnd);
         app.textDirty = true;
         ticks(5);
       }},
      {"hidden and shown", [&] {
         SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
         SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
         KillTimer(app.boxWnd, kTickTimerId);
         ticks(5);
       }},
  };
  for (const Work& work : works) {
    work.run();  // the first time may make what is then kept for good, such as a DC in the system's cache
    const long before = liveGdiObjects();
    for (int i = 0; i < 10; ++i) work.run();
    EXPECT_EQ(liveGdiObjects(), before) << work.name;
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(Running, TheTickKeepsOneScreenDCAndShutdownReleasesIt) {
  ticks(1);
  const HDC first = boxState.screenDC;
  ASSERT_NE(first, nullptr);
  ticks(10);
  action(kActionZoom);
  ticks(10);
  EXPECT_EQ(boxState.screenDC, first);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(boxState.screenDC, nullptr);
}
