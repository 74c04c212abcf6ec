// Black box: Tintlet.exe started by a launcher that names a show command, as a shortcut set to
// "Run: Minimized" or "Maximized" does. The box is shown as always, beside the pointer, and the Options
// window stays hidden until asked for.
#include "harness.h"

#include "box/box_geometry.h"

namespace {

constexpr int kNoShowCommand = -1;

// Starts the program with STARTUPINFO naming `show` (or naming none); returns its process handle.
HANDLE startWithShowCommand(int show) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (show != kNoShowCommand) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION pi = {};
  std::string line = windowsPath(TINTLET_EXE);
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

struct Started {
  HANDLE process = nullptr;
  HWND box = nullptr;
  explicit Started(int show) : process(startWithShowCommand(show)) {
    if (!process) return;
    box = waitForWindow("TintletApp", nullptr, 10000);
    // The box is made hidden and shown at the end of the start: wait for that, or for the start to end.
    if (box) pumpUntil([this] { return IsWindowVisible(box) || IsIconic(box); }, 10000);
  }
  ~Started() {
    if (!process) return;
    if (box) PostMessageA(box, WM_HOTKEY, 8, 0);  // Exit
    if (waitForExit(process, 10000) == STILL_ACTIVE) TerminateProcess(process, 1);
    CloseHandle(process);
  }
  RECT rect() const {
    RECT r = {};
    GetWindowRect(box, &r);
    return r;
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
};

}  // namespace

TEST(StartupShowCommand, BoxIsShownBesideThePointerAtItsSizeWhateverTheLauncherAsks) {
  clearSettings();
  SetCursorPos(300, 300);
  SIZE normal = {};
  {
    Started plain(kNoShowCommand);
    ASSERT_NE(plain.box, nullptr);
    ASSERT_TRUE(IsWindowVisible(plain.box));
    const RECT r = plain.rect();
    normal = {r.right - r.left, r.bottom - r.top};
  }
  ASSERT_GT(normal.cx, 0);
  ASSERT_GT(normal.cy, 0);
  const Point at = boxPosition({300, 300}, normal.cx, normal.cy, {0, 0, 1024, 768});

  struct Case {
    const char* name;
    int show;
  };
  const Case cases[] = {
      {"minimized", SW_SHOWMINIMIZED}, {"minimized, not active", SW_SHOWMINNOACTIVE},
      {"maximized", SW_SHOWMAXIMIZED}, {"hidden", SW_HIDE}, {"normal", SW_SHOWNORMAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Started s(c.show);
    ASSERT_NE(s.box, nullptr);
    EXPECT_TRUE(IsWindowVisible(s.box));
    EXPECT_FALSE(IsIconic(s.box));
    EXPECT_FALSE(IsZoomed(s.box));
    const RECT r = s.rect();
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    EXPECT_EQ(r.right - r.left, normal.cx);
    EXPECT_EQ(r.bottom - r.top, normal.cy);

    // The Options window is hidden, not minimised, and opens as a normal window.
    const HWND options = FindWindowA("TintletOptions", nullptr);
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(IsWindowVisible(options));
    EXPECT_FALSE(IsIconic(options));
    PostMessageA(s.box, WM_HOTKEY, 0, 0);  // Options
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(options) != 0; }));
    EXPECT_FALSE(IsIconic(options));
    EXPECT_FALSE(IsZoomed(options));
  }
}
