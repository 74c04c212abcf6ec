// The cost of the colour box's tick in each form, over a still and a changing screen, against the
// magnifier drawn pixel by pixel: 169 screen reads, 169 box reads and up to 676 writes a tick.
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "box/zoom.h"
#include "options/options.h"

namespace {

constexpr int kRounds = 200;
constexpr POINT kPointer = {400, 300};
int phase = 0;

// Two patterns in which every pixel differs from the other's.
void paintPhase(HDC dc, RECT r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      SetPixel(dc, x, y, phase ? RGB(255 - (x * 5 & 0x7F), 255 - (y * 7 & 0x7F), 0xAA)
                               : RGB(x * 5 & 0x7F, y * 7 & 0x7F, 0x55));
}

void drainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchLoopMessage(&msg);
}

// The magnifier as a loop over the pixels: read each from the screen, compare with the box, write four.
void perPixelMagnifier(HDC screenDC, HDC boxDC, POINT p, RECT d) {
  for (int dx = -6; dx <= 6; ++dx) {
    for (int dy = -6; dy <= 6; ++dy) {
      const int x = p.x + dx, y = p.y + dy;
      const COLORREF c =
          (0 <= x && x < d.right && 0 <= y && y < d.bottom) ? GetPixel(screenDC, x, y) : settings.baseColor;
      const int X = 2 * dx + 14, Y = app.lineHeight + 2 * dy + 14;
      if (GetPixel(boxDC, X, Y) != c) {
        SetPixel(boxDC, X, Y, c);
        SetPixel(boxDC, X + 1, Y, c);
        SetPixel(boxDC, X, Y + 1, c);
        SetPixel(boxDC, X + 1, Y + 1, c);
      }
    }
  }
}

// The magnifier step and the pointer's pixel, each way.
COLORREF realStep(HDC screenDC, HDC boxDC, POINT p, RECT d) {
  const COLORREF c = drawMagnifier(screenDC, boxDC, p, d);
  return c != CLR_INVALID ? c : GetPixel(screenDC, p.x, p.y);
}

COLORREF perPixelStep(HDC screenDC, HDC boxDC, POINT p, RECT d) {
  perPixelMagnifier(screenDC, boxDC, p, d);
  return GetPixel(screenDC, p.x, p.y);
}

// The tick's steps as they are, with the per-pixel magnifier and its own read of the pointer's pixel.
LRESULT perPixelTick(HWND wnd) {
  POINT p;
  GetCursorPos(&p);
  {
    WindowDC screen(GetDesktopWindow());
    WindowDC box(wnd);
    const RECT d = screenRectAt(p);
    const COLORREF c = settings.form == BoxForm::zoom ? perPixelStep(screen.dc, box.dc, p, d)
                                                      : GetPixel(screen.dc, p.x, p.y);
    if (c != CLR_INVALID) {
      if (!boxState.colorFixed && (!settings.middleButtonMode || GetKeyState(VK_MBUTTON) < 0)) settings.pickedColor = c;
    }
  }
  const bool changed = app.textDirty || settings.pickedColor != boxState.shownColor;
  if (changed && !boxState.colorFixed) composeColorTexts(settings.pickedColor, app.hexText, app.decText);
  if (changed) redrawBox(wnd);
  if (boxState.followPointer) placeBox(wnd);
  boxState.shownColor = settings.pickedColor;
  app.textDirty = false;
  return 0;
}

double nowUs() {
  LARGE_INTEGER freq, t;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Microseconds of each run; the median is quoted, as the machine's other work stretches some runs.
struct Timing {
  std::vector<double> us;
  double median() {
    std::sort(us.begin(), us.end());
    return us[us.size() / 2];
  }
};

struct Scenario {
  Timing tick, perPixelTick, step, perPixelStep;  // the per-pixel ones in the zoom form only
  int cells = 0;
};

// Every round flips the screen (when changing) and times the per-pixel way first, then the real one. The
// per-pixel way finds the box showing the previous screen and rewrites every cell; the real one remembers
// the previous screen's cells, so it rewrites them all too. On a still screen neither writes.
void runRounds(ColorWindow& screen, bool changing, bool zoom, Scenario& s) {
  paintBoxBackground(app.boxWnd);
  onBoxTick(app.boxWnd);
  auto change = [&] {
    if (!changing) return;
    phase ^= 1;
    InvalidateRect(screen.wnd, nullptr, FALSE);
    UpdateWindow(screen.wnd);
    // One read of the screen outside the timing brings the new pattern to the display.
    WindowDC desktop(GetDesktopWindow());
    GetPixel(desktop.dc, kPointer.x, kPointer.y);
  };
  auto timeTick = [&](LRESULT (*tick)(HWND), Timing& t) {
    drainMessages();
    if (changing) app.textDirty = true;  // the pointer's pixel changed too: both ticks redraw the text
    const double t0 = nowUs();
    tick(app.boxWnd);
    t.us.push_back(nowUs() - t0);
  };
  auto timeStep = [&](COLORREF (*step)(HDC, HDC, POINT, RECT), Timing& t) {
    drainMessages();
    WindowDC desktop(GetDesktopWindow());
    WindowDC box(app.boxWnd);
    const RECT d = screenRectAt(kPointer);
    const double t0 = nowUs();
    step(desktop.dc, box.dc, kPointer, d);
    t.us.push_back(nowUs() - t0);
  };
  for (int i = 0; i < kRounds; ++i) {
    change();
    if (zoom) timeTick(perPixelTick, s.perPixelTick);
    const int before = magnifierCellsWritten();
    timeTick(onBoxTick, s.tick);
    s.cells += magnifierCellsWritten() - before;
    if (!zoom) continue;
    change();
    timeStep(perPixelStep, s.perPixelStep);
    timeStep(realStep, s.step);
  }
}

}  // namespace

int main() {
  clearSettings();
  ColorWindow screen({kPointer.x - 10, kPointer.y - 10, kPointer.x + 11, kPointer.y + 11}, paintPhase);
  SetCursorPos(kPointer.x, kPointer.y);
  startTintlet();
  if (!app.boxWnd) return 1;
  KillTimer(app.boxWnd, kTickTimerId);  // only the measured ticks run
  drainMessages();

  std::printf("Median microseconds over %d ticks. The magnifier columns time only the magnifier and the read of\n"
              "the pointer's pixel; the tick columns the whole tick (pointer, pixel, text, placing the box).\n\n",
              kRounds);
  std::printf("%-8s %-9s %9s %9s %6s %9s %9s %6s %7s\n", "form", "screen", "tick", "per-pixel", "ratio", "magnifier",
              "per-pixel", "ratio", "cells");
  struct Form { const char* name; int action; };
  const Form forms[] = {
      {"zoom", kActionZoom}, {"normal", kActionZoom}, {"contrast", kActionContrast}, {"micro", kActionMicro}};
  for (const Form& f : forms) {
    SendMessageA(app.boxWnd, WM_HOTKEY, f.action, 0);
    drainMessages();
    const bool zoom = settings.form == BoxForm::zoom;
    for (bool changing : {true, false}) {
      Scenario s;
      runRounds(screen, changing, zoom, s);
      const double tick = s.tick.median();
      std::printf("%-8s %-9s %9.0f", f.name, changing ? "changing" : "still", tick);
      if (zoom) {
        const double perPixel = s.perPixelTick.median();
        const double step = s.step.median(), perPixelStep = s.perPixelStep.median();
        std::printf(" %9.0f %5.1fx %9.0f %9.0f %5.1fx %7.1f\n", perPixel, perPixel / tick, step, perPixelStep,
                    perPixelStep / step, static_cast<double>(s.cells) / kRounds);
      } else {
        std::printf(" %9s %6s %9s %9s %6s %7s\n", "-", "-", "-", "-", "-", "-");  // no magnifier to compare
      }
    }
  }
  std::printf("\ncells: magnifier cells the real tick wrote, a tick on average (169 is every cell)\n");

  // The largest sample and scale against the single pixel and the smallest cells: the mean comes from the
  // magnifier's own read in the zoom form, and from one read of the area in place of the pixel's otherwise.
  std::printf("\nMedian microseconds of the whole tick at a point and x2, and at 13 x 13 and x8\n\n");
  std::printf("%-7s %-9s %12s %12s %6s\n", "form", "screen", "point, x2", "13x13, x8", "ratio");
  for (const Form& f : forms) {
    SendMessageA(app.boxWnd, WM_HOTKEY, f.action, 0);
    drainMessages();
    for (bool changing : {true, false}) {
      double medians[2];
      for (int large = 0; large < 2; ++large) {
        setMagnifierScale(large ? 8 : 2);
        setSampleSide(large ? 13 : 1);
        drainMessages();
        Scenario s;
        runRounds(screen, changing, false, s);
        medians[large] = s.tick.median();
      }
      std::printf("%-7s %-9s %12.0f %12.0f %5.2fx\n", f.name, changing ? "changing" : "still", medians[0], medians[1],
                  medians[1] / medians[0]);
    }
  }
  std::fflush(stdout);
  return exitTintlet();
}
