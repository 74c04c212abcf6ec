// Black box: Tintlet.exe started twice.
#include "harness.h"

#include <vector>

#include "app/names.h"

namespace {

HWND findRunningBox() { return waitForWindow("TintletApp", nullptr); }

// Ends whatever the test started, also when an assertion stopped it early.
struct Processes {
  std::vector<HANDLE> handles;
  HANDLE add(HANDLE h) {
    if (h) handles.push_back(h);
    return h;
  }
  ~Processes() {
    for (HANDLE h : handles) {
      if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) TerminateProcess(h, 1);
      CloseHandle(h);
    }
  }
};

// A top-level window of another program, counting the running instance's message when it reaches it.
struct Bystander {
  static inline UINT runningMsg = 0;
  static inline int seen = 0;
  HWND wnd = nullptr;
  Bystander() {
    runningMsg = RegisterWindowMessageA(kSingleInstanceName);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TintletTestBystander";
    RegisterClassA(&wc);
    wnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~Bystander() { DestroyWindow(wnd); }
  static LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == runningMsg) ++seen;
    return DefWindowProcA(w, msg, wp, lp);
  }
  Bystander(const Bystander&) = delete;
  Bystander& operator=(const Bystander&) = delete;
};

}  // namespace

TEST(SingleInstance, SecondStartExitsAndShowsTheHiddenBox) {
  clearSettings();
  Processes started;
  const std::string exe = windowsPath(TINTLET_EXE);
  HANDLE first = started.add(startProcess(exe));
  ASSERT_NE(first, nullptr);
  const HWND box = findRunningBox();
  ASSERT_NE(box, nullptr);
  pumpUntil([&] { return IsWindowVisible(box) != 0; });

  HANDLE second = started.add(startProcess(exe));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(waitForExit(second, 10000), 0u);
  EXPECT_EQ(WaitForSingleObject(first, 0), DWORD(WAIT_TIMEOUT)) << "the first instance keeps running";
  EXPECT_TRUE(IsWindowVisible(box));

  PostMessageA(box, WM_HOTKEY, 2, 0);  // Show / Hide
  ASSERT_TRUE(pumpUntil([&] { return !IsWindowVisible(box); }));
  HANDLE third = started.add(startProcess(exe));
  EXPECT_EQ(waitForExit(third, 10000), 0u);
  EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(box) != 0; }));

  PostMessageA(box, WM_HOTKEY, 8, 0);  // Exit
  EXPECT_EQ(waitForExit(first, 10000), 0u);
}

TEST(SingleInstance, SecondStartTellsTheRunningBoxAlone) {
  clearSettings();
  Processes started;
  Bystander other;
  ASSERT_NE(other.wnd, nullptr);
  const std::string exe = windowsPath(TINTLET_EXE);
  HANDLE first = started.add(startProcess(exe));
  const HWND box = findRunningBox();
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_HOTKEY, 2, 0);  // Show / Hide
  ASSERT_TRUE(pumpUntil([&] { return !IsWindowVisible(box); }));

  HANDLE second = started.add(startProcess(exe));
  EXPECT_EQ(waitForExit(second, 10000), 0u);  // answers this thread's messages meanwhile
  EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(box) != 0; }));
  EXPECT_EQ(Bystander::seen, 0);

  PostMessageA(box, WM_HOTKEY, 8, 0);  // Exit
  EXPECT_EQ(waitForExit(first, 10000), 0u);
}

TEST(SingleInstance, AHungWindowDoesNotHangTheSecondStart) {
  clearSettings();
  Processes started;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TintletTestHungReady");
  HANDLE hung = started.add(startProcess(helperPath("hung_window") + " TintletTestHungReady"));
  ASSERT_NE(hung, nullptr);
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);

  const std::string exe = windowsPath(TINTLET_EXE);
  HANDLE first = started.add(startProcess(exe));
  ASSERT_NE(findRunningBox(), nullptr);
  HANDLE second = started.add(startProcess(exe));
  // The broadcast gives up on the hung window; a plain SendMessage would wait for ever.
  EXPECT_EQ(waitForExit(second, 30000), 0u);

  PostMessageA(findRunningBox(), WM_HOTKEY, 8, 0);
  EXPECT_EQ(waitForExit(first, 10000), 0u);
  CloseHandle(ready);
}
