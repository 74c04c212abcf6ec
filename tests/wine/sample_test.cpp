// The magnifier's scale and the sampled area in the real program: painted pixels read back from the clipboard
// and from the box, the tray menu and the Options page kept in step.
#include <cstdio>
#include <string>

#include "harness.h"

#include "app/gdi.h"
#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

// Every screen pixel a colour of its own within 256 pixels; blue 0x55 keeps it off black, white and the base.
COLORREF patternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x55); }

void paintPattern(HDC dc, RECT r) {
  paintPixels(dc, r.right, r.bottom, [](int x, int y) { return DWORD(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x55); });
}

RECT wholeScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::string hexOf(COLORREF c) {
  char text[7];
  std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

// The tray menu's commands, as the menu sends them to the box.
void chooseScale(int index) { SendMessageA(app.boxWnd, WM_COMMAND, kCmdFirstScale + index, 0); }
void chooseSample(int index) { SendMessageA(app.boxWnd, WM_COMMAND, kCmdFirstSample + index, 0); }

// A choice in one of the Options page's lists, as the user makes it: the list's selection, then its notice.
void chooseInList(OptionsControl list, int index) {
  const HWND combo = optionsControls[list];
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(app.optionsWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

int listChoice(OptionsControl list) { return int(SendMessageA(optionsControls[list], CB_GETCURSEL, 0, 0)); }

// The command of the checked radio item of a submenu, or 0.
UINT checkedItem(HMENU menu, UINT first, UINT last) {
  for (UINT id = first; id <= last; ++id)
    if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) return id;
  return 0;
}

// Pixels of the magnifier's square that are wrong for cells `cell` pixels a side around `p` with the sampled
// `side` x `side` cells framed: the frame is the block's outermost ring of pixels, black and white by turns
// (never a colour of the pattern); every other pixel shows its cell's pixel of the pattern.
int wrongSquarePixels(POINT p, int cell, int side, std::string* first) {
  WindowDC box(app.boxWnd);
  const int r = side / 2, lo = (6 - r) * cell, hi = (7 + r) * cell - 1;
  int wrong = 0;
  for (int sy = 0; sy < 13 * cell; ++sy) {
    for (int sx = 0; sx < 13 * cell; ++sx) {
      const COLORREF got = GetPixel(box.dc, 2 + sx, app.lineHeight + 2 + sy);
      const bool ring = side > 1 && sx >= lo && sx <= hi && sy >= lo && sy <= hi &&
                        (sx == lo || sx == hi || sy == lo || sy == hi);
      bool ok;
      if (ring) {
        // Along the ring the two tones take turns: the next pixel of it (across, else down) has the other.
        const int nx = (sy == lo || sy == hi) && sx < hi ? sx + 1 : sx, ny = nx == sx ? sy + 1 : sy;
        const COLORREF next = GetPixel(box.dc, 2 + nx, app.lineHeight + 2 + ny);
        const bool tone = got == RGB(0, 0, 0) || got == RGB(255, 255, 255);
        ok = tone && (ny > hi || next != got);
      } else {
        ok = got == patternAt(p.x + sx / cell - 6, p.y + sy / cell - 6);
      }
      if (ok) continue;
      if (wrong++ == 0 && first) {
        char text[128];
        std::snprintf(text, sizeof text, "pixel (%d, %d) of the square is %06lX%s", sx, sy, got, ring ? " on the frame" : "");
        *first = text;
      }
    }
  }
  return wrong;
}

// The box holds its text and a swatch of at least 8 pixels at 96 DPI beside the square, inside its client area.
void expectRoomForSwatchAndText(int dpi, int cell) {
  RECT client, text;
  GetClientRect(app.boxWnd, &client);
  GetClientRect(app.boxTextWnd, &text);
  EXPECT_EQ(boxState.swatchRect.left, 13 * cell + 4) << dpi;
  EXPECT_GE(boxState.swatchRect.right - boxState.swatchRect.left, 8 * dpi / 96) << dpi;
  EXPECT_LE(boxState.swatchRect.right, client.right) << dpi;
  EXPECT_GE(client.bottom, app.lineHeight + 13 * cell + 4) << dpi;
  SIZE extent = {};
  {
    WindowDC dc(app.boxTextWnd);
    SelectedObject font(dc.dc, app.boxFont);
    const std::string shown = windowText(app.boxTextWnd);
    GetTextExtentPoint32A(dc.dc, shown.c_str(), int(shown.size()), &extent);
  }
  EXPECT_GE(text.right, extent.cx) << dpi << ": " << windowText(app.boxTextWnd);
  WindowDC box(app.boxWnd);
  EXPECT_EQ(GetPixel(box.dc, boxState.swatchRect.right - 1, boxState.swatchRect.bottom - 1), settings.pickedColor) << dpi;
}

}  // namespace

// The copy takes the mean of the area, rounded half up, in the normal form (its own read) and in the zoom form
// (the magnifier's read); pixels past the screen's edges are not counted.
TEST(Sample, TheCopyIsTheRoundedMeanOfTheAreaCutByTheScreen) {
  ASSERT_EQ(wholeScreen().right, 1024);
  ASSERT_EQ(wholeScreen().bottom, 768);
  ColorWindow pattern(wholeScreen(), paintPattern);
  clearSettings();
  startTintlet();
  struct Case { POINT p; int sampleIndex; const char* copied; const char* mark; };
  const Case cases[] = {
      {{500, 400}, 0, "#F49055", ""},                 // the pixel itself
      {{255, 300}, 1, "#AA2C55", " 3\xD7" "3"},       // red 254, 255, 0: 169.67 up to 170
      {{600, 200}, 2, "#58C855", " 5\xD7" "5"},
      {{256, 100}, 6, "#766455", " 13\xD7" "13"},     // red 250 to 255 and 0 to 6: 118.15
      {{0, 0}, 1, "#010155", " 3\xD7" "3"},           // 0 and 1 on the screen: 0.5 up to 1
      {{1, 0}, 2, "#020155", " 5\xD7" "5"},           // red 0 to 3: 1.5 up to 2; green 0 to 2
      {{0, 0}, 6, "#030355", " 13\xD7" "13"},         // 7 x 7 on the screen
      {{1023, 767}, 6, "#FCFC55", " 13\xD7" "13"},    // 249 to 255 each way
  };
  for (int zoom = 0; zoom < 2; ++zoom) {
    for (const Case& c : cases) {
      const std::string label = std::string(zoom ? "zoom " : "normal ") + c.copied + " at " + std::to_string(c.p.x) +
                                "," + std::to_string(c.p.y);
      chooseSample(c.sampleIndex);
      SetCursorPos(c.p.x, c.p.y);
      const std::string shown = std::string(c.copied + 1) + c.mark;
      EXPECT_TRUE(pumpUntil([&] { return windowText(app.boxTextWnd) == shown; })) << label << ": "
                                                                                 << windowText(app.boxTextWnd);
      SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
      EXPECT_EQ(clipboardText(), c.copied) << label;
    }
    setForm(BoxForm::zoom);
  }
  EXPECT_EQ(exitTintlet(), 0);
}

// Cells of 4, 6 and 8 pixels at 96 DPI show the pattern, the sampled ones framed; at x8 the box holds its
// swatch and text at 96 and at 144 DPI.
TEST(Sample, MagnifierCellsOfEachScaleWithTheSampledCellsFramed) {
  ColorWindow pattern(wholeScreen(), paintPattern);
  clearSettings();
  const POINT p = {400, 300};
  SetCursorPos(p.x, p.y);
  startTintlet();
  setForm(BoxForm::zoom);
  struct Case { int scaleIndex, cell, sampleIndex, side; };
  const Case cases[] = {{1, 4, 2, 5}, {2, 6, 1, 3}, {3, 8, 6, 13}, {3, 8, 0, 1}, {0, 2, 3, 7}};
  for (const Case& c : cases) {
    const std::string label = "cells of " + std::to_string(c.cell) + ", sample " + std::to_string(c.side);
    chooseScale(c.scaleIndex);
    chooseSample(c.sampleIndex);
    std::string first;
    EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(p, c.cell, c.side, nullptr) == 0; })) << label;
    pumpFor(30);
    EXPECT_EQ(wrongSquarePixels(p, c.cell, c.side, &first), 0) << label << ": " << first;
    expectRoomForSwatchAndText(96, c.cell);
  }
  // x8 and 13 x 13 on a monitor of 144 DPI: cells of 12 pixels.
  chooseScale(3);
  chooseSample(6);
  RECT suggested = {0, 0, 10, 10};
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  std::string first;
  EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(p, 12, 13, nullptr) == 0; }));
  EXPECT_EQ(wrongSquarePixels(p, 12, 13, &first), 0) << first;
  expectRoomForSwatchAndText(144, 12);
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_TRUE(pumpUntil([&] { return wrongSquarePixels(p, 8, 13, nullptr) == 0; }));
  EXPECT_EQ(exitTintlet(), 0);
}

// A choice in the tray menu shows in the Options page's list and the reverse; the box follows either.
TEST(Sample, TheMenuAndTheOptionsListsMoveTogether) {
  clearSettings();
  startTintlet();
  EXPECT_EQ(checkedItem(app.magnifierMenu, kCmdFirstScale, kCmdLastScale), UINT(kCmdFirstScale));
  EXPECT_EQ(checkedItem(app.sampleMenu, kCmdFirstSample, kCmdLastSample), UINT(kCmdFirstSample));
  EXPECT_EQ(listChoice(kMagnifierCombo), 0);
  EXPECT_EQ(listChoice(kSampleCombo), 0);
  EXPECT_EQ(windowText(optionsControls[kMagnifierCombo]), "\xD7" "2");
  EXPECT_EQ(windowText(optionsControls[kSampleCombo]), "Point");

  chooseScale(2);
  chooseSample(4);
  EXPECT_EQ(settings.magnifierScale, 6);
  EXPECT_EQ(settings.sampleSide, 9);
  EXPECT_EQ(listChoice(kMagnifierCombo), 2);
  EXPECT_EQ(listChoice(kSampleCombo), 4);
  EXPECT_EQ(windowText(optionsControls[kSampleCombo]), "9 \xD7 9");

  openOptions(0);
  chooseInList(kMagnifierCombo, 3);
  chooseInList(kSampleCombo, 1);
  EXPECT_EQ(settings.magnifierScale, 8);
  EXPECT_EQ(settings.sampleSide, 3);
  EXPECT_EQ(checkedItem(app.magnifierMenu, kCmdFirstScale, kCmdLastScale), UINT(kCmdLastScale));
  EXPECT_EQ(checkedItem(app.sampleMenu, kCmdFirstSample, kCmdLastSample), UINT(kCmdFirstSample + 1));
  // The box widens for the zoom form's larger square.
  setForm(BoxForm::zoom);
  EXPECT_EQ(boxState.swatchRect.left, 13 * 8 + 4);
  EXPECT_TRUE(pumpUntil([] { return windowText(app.boxTextWnd).find(" 3\xD7" "3") != std::string::npos; }));
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedBytes("zoomscale"), std::string("\x08\0\0\0", 4));
  EXPECT_EQ(storedBytes("sample"), std::string("\x03\0\0\0", 4));
}
