// Black box: Tintlet.exe started twice.
#include "harness.h"

namespace {

HWND findRunningBox() { return waitForWindow("TintletApp", nullptr); }

// Waits while answering messages: a test thread blocked in a wait would itself be the hung
// window that the second instance's broadcast waits for.
DWORD waitExit(HANDLE process, int ms) {
  DWORD code = STILL_ACTIVE;
  if (pumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, ms)) GetExitCodeProcess(process, &code);
  return code;
}

}  // namespace

TEST(SingleInstance, SecondStartExitsAndShowsTheHiddenBox) {
  clearSettings();
  const std::string exe = windowsPath(TINTLET_EXE);
  HANDLE first = startProcess(exe);
  ASSERT_NE(first, nullptr);
  const HWND box = findRunningBox();
  ASSERT_NE(box, nullptr);
  pumpUntil([&] { return IsWindowVisible(box) != 0; });

  HANDLE second = startProcess(exe);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(waitExit(second, 10000), 0u);
  CloseHandle(second);
  EXPECT_EQ(WaitForSingleObject(first, 0), DWORD(WAIT_TIMEOUT)) << "the first instance keeps running";
  EXPECT_TRUE(IsWindowVisible(box));

  PostMessageA(box, WM_HOTKEY, 2, 0);  // Show / Hide
  ASSERT_TRUE(pumpUntil([&] { return !IsWindowVisible(box); }));
  HANDLE third = startProcess(exe);
  EXPECT_EQ(waitExit(third, 10000), 0u);
  CloseHandle(third);
  EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(box) != 0; }));

  PostMessageA(box, WM_HOTKEY, 8, 0);  // Exit
  EXPECT_EQ(waitExit(first, 10000), 0u);
  CloseHandle(first);
}
