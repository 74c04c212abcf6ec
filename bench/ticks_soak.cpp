// A day of use in one run: the real colour box ticks 100 000 times as fast as it goes, with a new colour
// under the pointer at every tick, the form switched every 1 000 ticks (zoom, micro, normal, Dec / Hex),
// "Default&s" pressed every 5 000 ticks and the font rebuilt as after the font dialog's "Apply" every 5 000.
// Before them a warm-up of 1 000 ticks does each of these once. Prints the memory and the GDI objects of the
// process as it goes; they must not grow after the warm-up.
//   ticks_soak [TICKS]   (100 000 unless told; rounded up to a multiple of 4 000)
#include "soak_figures.h"

#include <cstdio>
#include <cstdlib>

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "box/box.h"

namespace {

constexpr int kWarmUp = 1000;
constexpr long kResidentWobbleKiB = 64;
constexpr int kSampleEvery = 4000;  // always the end of a block in the normal form, see switchForm
constexpr POINT kPointer = {400, 300};

// User and kernel time of the process, in seconds.
double cpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME f) {
    return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

double nowSeconds() {
  LARGE_INTEGER freq, t;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// A new colour at every tick, never the base grey.
COLORREF colorOfTick(int tick) { return RGB(tick & 0xFF, (tick >> 8) & 0xFF, 0x20 + ((tick >> 16) & 0x1F)); }

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
  settings.boxLogFont.lfHeight = height;
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

// How often the soak switches the form, and presses "Default&s" and rebuilds the font (half-way between).
struct Schedule {
  int formEvery, lookEvery;
};

struct Counts {
  int ticks = 0, newColors = 0, switches = 0, defaults = 0, defaultsTaken = 0, fonts = 0;
};

// Tick `i` of a run: a new colour under the pointer, the tick, its messages, then what the schedule asks.
void soakTick(int i, Schedule s, HDC screen, Counts& n) {
  paintUnderPointer(screen, kPointer, colorOfTick(n.ticks + 1));
  onBoxTick(app.boxWnd);
  ++n.ticks;
  if (settings.pickedColor == colorOfTick(n.ticks)) ++n.newColors;
  drainMessages();
  if (i % s.formEvery == 0) {
    switchForm(i / s.formEvery);
    ++n.switches;
  }
  if (i % s.lookEvery == s.lookEvery / 2) {
    applyFont(settings.boxLogFont.lfHeight == -11 ? -14 : -11);
    ++n.fonts;
  }
  if (i % s.lookEvery == 0) {
    SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);
    ++n.defaults;
    if (settings.boxLogFont.lfHeight == -11) ++n.defaultsTaken;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int asked = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int ticks = (asked + kSampleEvery - 1) / kSampleEvery * kSampleEvery;
  if (!startWithoutTimer(kPointer)) return 1;

  // The count must see objects come and go, or its figures mean nothing.
  const long gdiBefore = liveGdiObjects();
  HBRUSH probe[100];
  for (HBRUSH& b : probe) b = CreateSolidBrush(RGB(9, 9, 9));
  const long gdiWith = liveGdiObjects();
  for (HBRUSH b : probe) DeleteObject(b);
  std::printf("GDI object count: %ld, with 100 more brushes %ld, after deleting them %ld\n\n", gdiBefore, gdiWith,
              liveGdiObjects());

  // The warm-up does every kind of work once, so that what is made once and kept for good (a font's glyph
  // cache, a DC in the system's cache, the heap's first growth) is made before the first figures.
  WindowDC screen(GetDesktopWindow());
  Counts warmUp;
  const Schedule warmSchedule = {kWarmUp / 4, kWarmUp / 2};  // ends in the normal form, as a sample point does
  for (int i = 1; i <= kWarmUp; ++i) soakTick(i, warmSchedule, screen.dc, warmUp);
  std::printf("warm-up: %d ticks, %d form switches, %d Default&s, %d fonts rebuilt\n", warmUp.ticks, warmUp.switches,
              warmUp.defaults, warmUp.fonts);

  const Schedule schedule = {1000, 5000};
  std::printf("then %d ticks; the form switched every %d, Default&s and a new font every %d (apart by %d)\n", ticks,
              schedule.formEvery, schedule.lookEvery, schedule.lookEvery / 2);
  std::printf("%7s %12s %12s %12s\n", "tick", "resident KiB", "private KiB", "GDI objects");
  const Sample first = sample(0);
  printSample(first);
  Sample last = first;
  Counts n;
  n.ticks = warmUp.ticks;
  const double t0 = nowSeconds(), cpu0 = cpuSeconds();
  for (int i = 1; i <= ticks; ++i) {
    soakTick(i, schedule, screen.dc, n);
    if (i % kSampleEvery == 0) {
      last = sample(i);
      if (i % (5 * kSampleEvery) == 0 || i == ticks) printSample(last);
    }
  }
  const double seconds = nowSeconds() - t0, cpu = cpuSeconds() - cpu0;
  std::printf("\n%.1f s, %.0f us a tick (%.0f us of this process's CPU) with the redraw and the painting under the "
              "pointer\n", seconds, 1e6 * seconds / ticks, 1e6 * cpu / ticks);
  std::printf("ticks that read the new colour: %d of %d; form switches %d; Default&s %d (%d restored the font); "
              "fonts rebuilt %d\n", n.newColors, ticks, n.switches, n.defaults, n.defaultsTaken, n.fonts);
  // Resident memory moves by a few pages as the system pages in and out; a leak shows in private bytes too.
  const bool grew = last.residentKiB > first.residentKiB + kResidentWobbleKiB || last.privateKiB > first.privateKiB ||
                    last.gdi > first.gdi;
  std::printf("growth after the warm-up: resident %+ld KiB (up to %+ld is paging), private bytes %+ld KiB, "
              "GDI objects %+ld   goal none: %s\n", last.residentKiB - first.residentKiB, kResidentWobbleKiB,
              last.privateKiB - first.privateKiB, last.gdi - first.gdi, grew ? "MISSED" : "met");
  const bool creates = stillCreates();
  std::fflush(stdout);
  const int code = exitTintlet();
  return creates ? code : 1;
}
