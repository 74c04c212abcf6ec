#include "harness.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/zoom.h"

namespace {

// Every screen pixel a colour of its own within any 13 x 13 area; blue 0x55 keeps it off the grey base.
COLORREF patternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x55); }

void paintPattern(HDC dc, RECT r) {
  paintPixels(dc, r.right, r.bottom, [](int x, int y) { return DWORD(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x55); });
}

RECT wholeScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The offsets around the pointer that lie on the screen; the cells of the others show the base colour.
struct OnScreen { int dxFirst, dxLast, dyFirst, dyLast; };
constexpr OnScreen kAllOnScreen = {-6, 6, -6, 6};

using CellColor = std::function<COLORREF(int dx, int dy)>;

// The pattern around `p`, the base colour off the screen.
CellColor around(POINT p, OnScreen on = kAllOnScreen) {
  return [=](int dx, int dy) {
    const bool shown = dx >= on.dxFirst && dx <= on.dxLast && dy >= on.dyFirst && dy <= on.dyLast;
    return shown ? patternAt(p.x + dx, p.y + dy) : settings.baseColor;
  };
}

// Compares the magnifier square of the box, pixel by pixel, with the expected cell colours: the square starts
// at (2, h + 2) and shows each pixel as a 2 x 2 block. Returns the number of wrong pixels; `first` describes one.
int wrongSquarePixels(const CellColor& expected, std::string* first = nullptr) {
  WindowDC box(app.boxWnd);
  const int top = app.lineHeight + 2;
  int wrong = 0;
  for (int sy = 0; sy < 26; ++sy) {
    for (int sx = 0; sx < 26; ++sx) {
      const int dx = sx / 2 - 6, dy = sy / 2 - 6;
      const COLORREF want = expected(dx, dy);
      const COLORREF got = GetPixel(box.dc, 2 + sx, top + sy);
      if (got == want) continue;
      if (wrong++ == 0 && first) {
        char text[128];
        std::snprintf(text, sizeof text, "pixel (%d, %d) of the square (offset %d, %d) is %06lX, not %06lX", sx, sy,
                      dx, dy, got, want);
        *first = text;
      }
    }
  }
  return wrong;
}

// Pixels of the base colour just outside the square on every side (the swatch starts at x = 30).
int wrongFramePixels() {
  WindowDC box(app.boxWnd);
  const int h = app.lineHeight;
  int wrong = 0;
  for (int i = 0; i < 26; ++i) {
    const COLORREF outside[] = {GetPixel(box.dc, 1, h + 2 + i), GetPixel(box.dc, 28, h + 2 + i),
                                GetPixel(box.dc, 29, h + 2 + i), GetPixel(box.dc, 2 + i, h + 1),
                                GetPixel(box.dc, 2 + i, h + 28)};
    for (COLORREF c : outside)
      if (c != settings.baseColor) ++wrong;
  }
  return wrong;
}

void startInZoomForm() {
  clearSettings();
  startTintlet();
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0);
  ASSERT_TRUE((settings.form == BoxForm::zoom));
}

// Puts the pointer at `p` and waits until the box has picked its pixel and drawn the cells around it.
bool pointAt(POINT p) {
  SetCursorPos(p.x, p.y);
  return pumpUntil([&] { return settings.pickedColor == patternAt(p.x, p.y) && wrongSquarePixels(around(p)) == 0; });
}

}  // namespace

TEST(Zoom, CellsShowTheAreaAroundThePointer) {
  const RECT s = wholeScreen();
  ColorWindow pattern(s, paintPattern);
  ASSERT_NO_FATAL_FAILURE(startInZoomForm());
  const int r = s.right - 1, b = s.bottom - 1;
  struct Case { const char* name; POINT p; OnScreen on; };
  const Case cases[] = {
      {"middle", {500, 400}, kAllOnScreen},
      {"top-left pixel", {0, 0}, {0, 6, 0, 6}},
      {"last column", {r, 300}, {-6, 0, -6, 6}},
      {"last row", {300, b}, {-6, 6, -6, 0}},
      {"bottom-right pixel", {r, b}, {-6, 0, -6, 0}},
      {"first column", {0, 300}, {0, 6, -6, 6}},
  };
  for (const Case& c : cases) {
    SetCursorPos(c.p.x, c.p.y);
    EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(around(c.p, c.on)) == 0; })) << c.name;
    pumpFor(30);
    std::string first;
    EXPECT_EQ(wrongSquarePixels(around(c.p, c.on), &first), 0) << c.name << ": " << first;
    EXPECT_EQ(wrongFramePixels(), 0) << c.name;
    EXPECT_EQ(settings.pickedColor, patternAt(c.p.x, c.p.y)) << c.name;
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Zoom, OnlyChangedCellsAreWrittenAndAFillDrawsThemAgain) {
  ColorWindow pattern(wholeScreen(), paintPattern);
  ASSERT_NO_FATAL_FAILURE(startInZoomForm());
  const POINT p = {500, 400};
  ASSERT_TRUE(pointAt(p));
  // From here on only the test ticks.
  KillTimer(app.boxWnd, kTickTimerId);
  pumpFor(50);

  int before = magnifierCellsWritten();
  onBoxTick(app.boxWnd);
  EXPECT_EQ(magnifierCellsWritten() - before, 0) << "a still screen";
  EXPECT_EQ(wrongSquarePixels(around(p)), 0);

  {
    // Three pixels right of and above the pointer change: their three cells are written, no others.
    const COLORREF spotColor = RGB(0x10, 0x20, 0x30);
    ColorWindow spot({p.x + 2, p.y - 3, p.x + 5, p.y - 2}, spotColor);
    pumpFor(50);
    before = magnifierCellsWritten();
    onBoxTick(app.boxWnd);
    EXPECT_EQ(magnifierCellsWritten() - before, 3);
    const CellColor beside = around(p);
    const CellColor withSpot = [&](int dx, int dy) {
      return dy == -3 && dx >= 2 && dx <= 4 ? spotColor : beside(dx, dy);
    };
    std::string first;
    EXPECT_EQ(wrongSquarePixels(withSpot, &first), 0) << first;
  }
  pumpFor(50);
  onBoxTick(app.boxWnd);
  EXPECT_EQ(wrongSquarePixels(around(p)), 0) << "after the spot went away";

  struct Fill { const char* name; void (*fill)(); };
  const Fill fills[] = {
      {"WM_PAINT", [] { InvalidateRect(app.boxWnd, nullptr, FALSE); UpdateWindow(app.boxWnd); }},
      {"paintBoxBackground", [] { paintBoxBackground(app.boxWnd); }},
  };
  for (const Fill& f : fills) {
    f.fill();
    {
      WindowDC box(app.boxWnd);
      EXPECT_EQ(GetPixel(box.dc, 14, app.lineHeight + 14), settings.baseColor) << f.name << " fills the square";
    }
    before = magnifierCellsWritten();
    onBoxTick(app.boxWnd);
    EXPECT_EQ(magnifierCellsWritten() - before, 169) << f.name;
    std::string first;
    EXPECT_EQ(wrongSquarePixels(around(p), &first), 0) << f.name << ": " << first;
    before = magnifierCellsWritten();
    onBoxTick(app.boxWnd);
    EXPECT_EQ(magnifierCellsWritten() - before, 0) << f.name;
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Zoom, CellsFollowThePointerWhileTheColourIsFixed) {
  ColorWindow pattern(wholeScreen(), paintPattern);
  ASSERT_NO_FATAL_FAILURE(startInZoomForm());
  const POINT a = {300, 200}, b = {640, 480};
  ASSERT_TRUE(pointAt(a));
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionFixColor, 0);
  ASSERT_TRUE(boxState.colorFixed);
  SetCursorPos(b.x, b.y);
  EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(around(b)) == 0; }));
  pumpFor(30);
  std::string first;
  EXPECT_EQ(wrongSquarePixels(around(b), &first), 0) << first;
  EXPECT_EQ(settings.pickedColor, patternAt(a.x, a.y));
  EXPECT_EQ(windowText(app.boxTextWnd), "2CC855");  // red 300 & 255, green 200, blue 0x55
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Zoom, AStoppedBoxUnderThePointerShowsItsOwnPixels) {
  ColorWindow pattern(wholeScreen(), paintPattern);
  ASSERT_NO_FATAL_FAILURE(startInZoomForm());
  const POINT a = {300, 200};
  ASSERT_TRUE(pointAt(a));
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionStopMoving, 0);
  ASSERT_FALSE(boxState.followPointer);
  RECT r;
  GetWindowRect(app.boxWnd, &r);
  // Over the left edge of the swatch: the gap, the square's last column and the box's right edge in view.
  const POINT inBox = {33, app.lineHeight + 14};
  SetCursorPos(r.left + inBox.x, r.top + inBox.y);
  WindowDC box(app.boxWnd);
  const CellColor boxItself = [&](int dx, int dy) { return GetPixel(box.dc, inBox.x + dx, inBox.y + dy); };
  EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(boxItself) == 0; }));
  pumpFor(30);
  std::string first;
  EXPECT_EQ(wrongSquarePixels(boxItself, &first), 0) << first;
  EXPECT_EQ(settings.pickedColor, patternAt(a.x, a.y)) << "the swatch's own colour";
  RECT now;
  GetWindowRect(app.boxWnd, &now);
  EXPECT_EQ(now.left, r.left);
  EXPECT_EQ(now.top, r.top);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Zoom, NormalAndMicroFormsDrawNoCells) {
  ColorWindow pattern(wholeScreen(), paintPattern);
  clearSettings();
  ASSERT_NO_FATAL_FAILURE(startTintlet());
  const POINT p = {500, 400};
  SetCursorPos(p.x, p.y);
  ASSERT_TRUE(pumpUntil([&] { return settings.pickedColor == patternAt(p.x, p.y); }));

  // In the normal form the square's place holds the swatch and the base colour, never a cell of the pattern
  // (only the pointer's own pixel has the swatch's colour).
  auto foreignPixels = [] {
    WindowDC box(app.boxWnd);
    RECT client;
    GetClientRect(app.boxWnd, &client);
    int foreign = 0;
    for (int y = app.lineHeight + 2; y < app.lineHeight + 28 && y < client.bottom; ++y)
      for (int x = 2; x < 28; ++x) {
        const COLORREF c = GetPixel(box.dc, x, y);
        if (c != settings.baseColor && c != settings.pickedColor) ++foreign;
      }
    return foreign;
  };
  struct Case { const char* name; int action; bool zoomFirst; };
  const Case cases[] = {
      {"normal", -1, false},
      {"normal after zoom", kActionZoom, true},
      {"micro", kActionMicro, false},
      {"micro after zoom", kActionMicro, true},
  };
  for (const Case& c : cases) {
    if ((settings.form == BoxForm::micro)) SendMessageA(app.boxWnd, WM_HOTKEY, kActionMicro, 0);
    if (c.zoomFirst) {
      SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0);
      ASSERT_TRUE(pointAt(p)) << c.name;
    }
    if (c.action >= 0) SendMessageA(app.boxWnd, WM_HOTKEY, c.action, 0);
    ASSERT_FALSE((settings.form == BoxForm::zoom)) << c.name;
    const int before = magnifierCellsWritten();
    pumpFor(150);
    EXPECT_EQ(magnifierCellsWritten() - before, 0) << c.name;
    EXPECT_EQ(foreignPixels(), 0) << c.name;
  }
  EXPECT_EQ(exitTintlet(), 0);
}
