// A day of use in one run: the real colour box ticks 100 000 times as fast as it goes, with a new colour
// under the pointer at every tick, the form switched every 1 000 ticks (zoom, micro, normal, Dec / Hex),
// "Default&s" pressed every 5 000 ticks and the font rebuilt as after the font dialog's "Apply" every 5 000.
// Prints the memory and the GDI objects of the process as it goes; they must not grow after the warm-up.
//   ticks_soak [TICKS]
#include "harness.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"

namespace {

constexpr int kWarmUp = 1000;
constexpr int kFormEvery = 1000;
constexpr int kLookEvery = 5000;
constexpr int kSampleEvery = 4000;  // always the end of a block in the normal form, see switchForm
constexpr POINT kPointer = {400, 300};

// User and kernel time of the process, in seconds.
double cpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

double nowSeconds() {
  LARGE_INTEGER freq, t;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Committed private memory, as Windows counts "private bytes": the address space walked with VirtualQuery.
SIZE_T privateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const BYTE* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const BYTE* next = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

struct Sample {
  int tick;
  long residentKiB, privateKiB, gdi;
};

Sample sample(int tick) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {tick, static_cast<long>(counters.WorkingSetSize / 1024), static_cast<long>(privateBytes() / 1024),
          liveGdiObjects()};
}

void printSample(const Sample& s) {
  std::printf("%7d %12ld %12ld %12ld\n", s.tick, s.residentKiB, s.privateKiB, s.gdi);
  std::fflush(stdout);
}

void drainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchLoopMessage(&msg);
}

// A new colour at every tick, never the base grey.
COLORREF colorOfTick(int tick) { return RGB(tick & 0xFF, (tick >> 8) & 0xFF, 0x20 + ((tick >> 16) & 0x1F)); }

// The 13 x 13 pixels around the pointer, painted straight onto the screen: under Wine a window's own painting
// reaches the screen only when its surface is flushed, so most ticks would still read the colour before.
void paintUnderPointer(HDC screen, COLORREF c) {
  HBRUSH brush = CreateSolidBrush(c);
  const RECT r = {kPointer.x - 6, kPointer.y - 6, kPointer.x + 7, kPointer.y + 7};
  FillRect(screen, &r, brush);
  DeleteObject(brush);
}

// After block `step` of 1 000 ticks, the user's way: the hotkeys and the tray menu's Normal item. Blocks 4n + 3
// and 4n + 4 are in the normal form; the Dec / Hex flip leaves the form as it is.
void switchForm(int step) {
  switch (step % 4) {
    case 1:  SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0); break;
    case 2:  SendMessageA(app.boxWnd, WM_HOTKEY, kActionMicro, 0); break;  // leaves the zoom form first
    case 3:  SendMessageA(app.boxWnd, WM_COMMAND, kCmdNormal, 0); break;
    default: SendMessageA(app.boxWnd, WM_HOTKEY, kActionDecHex, 0); break;
  }
}

// What the font dialog's "Apply" does with a new font: the box is laid out with it and redrawn.
void applyFont(int height) {
  app.boxLogFont.lfHeight = height;
  layoutBox(app.boxWnd);
  app.textDirty = true;
}

bool stillCreates() {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  LOGFONTA lf;
  initDefaultLogFont(&lf);
  HFONT font = CreateFontIndirectA(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  std::printf("at the end: CreateSolidBrush %s, CreateFontIndirectA %s, CreateCompatibleDC %s\n",
              brush ? "succeeds" : "FAILS", font ? "succeeds" : "FAILS", dc ? "succeeds" : "FAILS");
  if (brush) DeleteObject(brush);
  if (font) DeleteObject(font);
  if (dc) DeleteDC(dc);
  return brush && font && dc;
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 100000;
  clearSettings();
  SetCursorPos(kPointer.x, kPointer.y);
  startTintlet();
  if (!app.boxWnd) return 1;
  KillTimer(app.boxWnd, kTickTimerId);  // only the soak's own ticks run
  drainMessages();

  // The count must see objects come and go, or its figures mean nothing.
  const long gdiBefore = liveGdiObjects();
  HBRUSH probe[100];
  for (HBRUSH& b : probe) b = CreateSolidBrush(RGB(9, 9, 9));
  const long gdiWith = liveGdiObjects();
  for (HBRUSH b : probe) DeleteObject(b);
  std::printf("GDI object count: %ld, with 100 more brushes %ld, after deleting them %ld\n\n", gdiBefore, gdiWith,
              liveGdiObjects());

  std::printf("%d ticks; form switched every %d, Default&s and a new font every %d (apart by %d)\n", ticks, kFormEvery,
              kLookEvery, kLookEvery / 2);
  std::printf("%7s %12s %12s %12s\n", "tick", "resident KiB", "private KiB", "GDI objects");
  Sample warm = {}, cycled = {}, last = {};
  int newColors = 0, switches = 0, defaults = 0, defaultsTaken = 0, fonts = 0;
  WindowDC screen(GetDesktopWindow());
  const double t0 = nowSeconds(), cpu0 = cpuSeconds();
  for (int i = 1; i <= ticks; ++i) {
    paintUnderPointer(screen.dc, colorOfTick(i));
    onBoxTick(app.boxWnd);
    if (app.pickedColor == colorOfTick(i)) ++newColors;
    drainMessages();
    if (i == kWarmUp || i % kSampleEvery == 0 || i == ticks) {
      last = sample(i);
      if (i == kWarmUp) warm = last;
      if (i == 2 * kSampleEvery) cycled = last;  // every kind of switch has happened by now
      if (i == kWarmUp || i % (5 * kSampleEvery) == 0 || i == ticks || i == 2 * kSampleEvery) printSample(last);
    }
    if (i % kFormEvery == 0) {
      switchForm(i / kFormEvery);
      ++switches;
    }
    if (i % kLookEvery == kLookEvery / 2) {
      applyFont(app.boxLogFont.lfHeight == -11 ? -14 : -11);
      ++fonts;
    }
    if (i % kLookEvery == 0) {
      SendMessageA(app.boxDefaultsButton, BM_CLICK, 0, 0);
      ++defaults;
      if (app.boxLogFont.lfHeight == -11) ++defaultsTaken;
    }
  }
  const double seconds = nowSeconds() - t0, cpu = cpuSeconds() - cpu0;
  std::printf("\n%.1f s, %.0f us a tick (%.0f us of this process's CPU) with the redraw and the painting under the "
              "pointer\n", seconds, 1e6 * seconds / ticks, 1e6 * cpu / ticks);
  std::printf("ticks that read the new colour: %d of %d; form switches %d; Default&s %d (%d restored the font); "
              "fonts rebuilt %d\n", newColors, ticks, switches, defaults, defaultsTaken, fonts);
  auto growth = [&](const Sample& from, const char* what) {
    std::printf("growth %-24s resident %+ld KiB, private bytes %+ld KiB, GDI objects %+ld   (goal: no growth)\n",
                what, last.residentKiB - from.residentKiB, last.privateKiB - from.privateKiB, last.gdi - from.gdi);
  };
  if (warm.tick) growth(warm, "from the warm-up's end:");
  if (cycled.tick) growth(cycled, "from one of everything:");
  const bool creates = stillCreates();
  std::fflush(stdout);
  const int code = exitTintlet();
  return creates ? code : 1;
}
