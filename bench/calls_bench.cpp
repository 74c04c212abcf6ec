// What the colour box's tick and each system call in it cost here, with the pointer still: wall time and
// the process's own CPU time a call. The tick runs about 100 times a second, so 10 us of CPU a tick is 0.1 %
// of a core.
#include "harness.h"

#include <cstdio>

#include "app/action_table.h"
#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"
#include "box/zoom.h"

namespace {

constexpr double kSecondsEach = 0.4;
constexpr POINT kPointer = {400, 300};

double nowSeconds() {
  LARGE_INTEGER freq, t;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// User and kernel time of the process. It advances in steps of the system clock tick (10 ms under Wine), so
// every call is repeated for a while and the time split over the calls.
double cpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

template <typename F>
void timeIt(const char* name, F call) {
  long calls = 0;
  const double w0 = nowSeconds(), c0 = cpuSeconds();
  double w1 = w0;
  while (w1 - w0 < kSecondsEach) {
    for (int i = 0; i < 20; ++i) call();
    calls += 20;
    w1 = nowSeconds();
  }
  const double c1 = cpuSeconds();
  std::printf("%-48s %9.1f %9.1f\n", name, 1e6 * (w1 - w0) / calls, 1e6 * (c1 - c0) / calls);
  std::fflush(stdout);
}

}  // namespace

int main() {
  clearSettings();
  SetCursorPos(kPointer.x, kPointer.y);
  startTintlet();
  if (!app.boxWnd) return 1;
  KillTimer(app.boxWnd, kTickTimerId);  // only the measured ticks run
  pumpFor(300);
  std::printf("%-48s %9s %9s\n", "microseconds a call, pointer still", "wall", "CPU");
  POINT p;
  RECT r;
  timeIt("GetCursorPos", [&] { GetCursorPos(&p); });
  timeIt("GetWindowDC + ReleaseDC of the desktop window", [&] { WindowDC d(GetDesktopWindow()); });
  timeIt("GetWindowDC + ReleaseDC of the box", [&] { WindowDC d(app.boxWnd); });
  timeIt("GetWindowRect of the desktop window", [&] { GetWindowRect(GetDesktopWindow(), &r); });
  timeIt("GetKeyState", [&] { GetKeyState(VK_MBUTTON); });
  {
    WindowDC screen(GetDesktopWindow());
    timeIt("GetPixel on the desktop window's DC", [&] { GetPixel(screen.dc, p.x, p.y); });
    MemoryDC capture(screen.dc, 13, 13);
    timeIt("BitBlt of 13 x 13 from it, and GdiFlush", [&] {
      BitBlt(capture.dc, 0, 0, 13, 13, screen.dc, p.x - 6, p.y - 6, SRCCOPY | CAPTUREBLT);
      GdiFlush();
    });
    timeIt("a 13 x 13 memory DC and DIB, made and freed", [&] { MemoryDC m(screen.dc, 13, 13); });
    WindowDC box(app.boxWnd);
    const RECT d = screenRectAt(p);
    timeIt("the magnifier, nothing changed", [&] { drawMagnifier(screen.dc, box.dc, p, d); });
  }
  timeIt("GetCursorPos at the end", [&] { GetCursorPos(&p); });
  timeIt("placeBox, the box already in place", [&] { placeBox(app.boxWnd); });
  timeIt("the tick, normal form", [&] { onBoxTick(app.boxWnd); });
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0);
  pumpFor(100);
  timeIt("the tick, zoom form", [&] { onBoxTick(app.boxWnd); });
  return exitTintlet();
}
