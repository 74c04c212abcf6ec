#include "box/magnifier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(Magnifier, CellCornersFillTheSquareBesideTheSwatch) {
  struct Case { int dx, dy, h; Point corner; };
  const Case cases[] = {
      {-6, -6, 14, {2, 16}},   // top-left cell at (2, h + 2)
      {0, 0, 14, {14, 28}},    // the pointer's own pixel at the centre
      {6, 6, 14, {26, 40}},    // its block ends at (27, h + 27)
      {6, -6, 14, {26, 16}},
      {-6, 6, 20, {2, 46}},
      {1, -1, 20, {16, 32}},
  };
  for (const Case& c : cases) {
    const Point p = cellCorner(c.dx, c.dy, c.h);
    EXPECT_EQ(p.x, c.corner.x) << c.dx << "," << c.dy;
    EXPECT_EQ(p.y, c.corner.y) << c.dx << "," << c.dy;
  }
}

TEST(Magnifier, CapturedAreaIsTheOnScreenPart) {
  const Rect screen = {0, 0, 1024, 768};
  const Rect left = {-1280, 0, 0, 1024};  // a monitor left of the primary
  struct Case { Point pointer; Rect screen; Rect area; };
  const Case cases[] = {
      {{500, 400}, screen, {494, 394, 507, 407}},
      {{0, 0}, screen, {0, 0, 7, 7}},
      {{5, 6}, screen, {0, 0, 12, 13}},
      {{1023, 300}, screen, {1017, 294, 1024, 307}},
      {{300, 767}, screen, {294, 761, 307, 768}},
      {{1023, 767}, screen, {1017, 761, 1024, 768}},
      {{-1, 10}, left, {-7, 4, 0, 17}},
      {{-1280, 1023}, left, {-1280, 1017, -1273, 1024}},
  };
  for (const Case& c : cases) {
    const Rect a = capturedArea(c.pointer, &c.screen, 1);
    EXPECT_EQ(a.left, c.area.left) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(a.top, c.area.top) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(a.right, c.area.right) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(a.bottom, c.area.bottom) << c.pointer.x << "," << c.pointer.y;
  }
  // A pointer whose whole area lies off the screen leaves nothing to read.
  const Point away[] = {{-7, 100}, {100, -7}, {1030, 100}, {100, 774}};
  for (const Point& p : away) {
    const Rect a = capturedArea(p, &screen, 1);
    EXPECT_EQ(a.left, a.right) << p.x << "," << p.y;
  }
}

TEST(Magnifier, ColoursFromTheCaptureAndTheBaseColourBeyondTheScreen) {
  // Every captured pixel a different DIB word, red in bits 16 to 23: red = column, green = row, blue 0x55.
  std::uint32_t captured[kZoomCells];
  for (int row = 0; row < kZoomSide; ++row)
    for (int col = 0; col < kZoomSide; ++col) captured[row * kZoomSide + col] = (col << 16) | (row << 8) | 0x55;
  const std::uint32_t base = 0x808080;
  const Rect screen = {0, 0, 1024, 768};
  struct Case { Point pointer; int dx, dy; std::uint32_t color; };
  const Case cases[] = {
      {{500, 400}, -6, -6, 0x550000},  // COLORREF: blue 0x55 in the third byte, red 0 in the low byte
      {{500, 400}, 0, 0, 0x550606},
      {{500, 400}, 6, -6, 0x55000C},
      {{500, 400}, 3, 5, 0x550B09},
      {{0, 0}, -1, 0, base},
      {{0, 0}, 0, -1, base},
      {{0, 0}, -6, -6, base},
      {{0, 0}, 0, 0, 0x550606},
      {{0, 0}, 6, 6, 0x550C0C},
      {{1023, 767}, 0, 0, 0x550606},
      {{1023, 767}, 1, 0, base},
      {{1023, 767}, 0, 1, base},
      {{1023, 767}, -6, -6, 0x550000},
  };
  for (const Case& c : cases) {
    std::uint32_t colors[kZoomCells];
    cellColors(captured, c.pointer, &screen, 1, base, colors);
    EXPECT_EQ(colors[cellIndex(c.dx, c.dy)], c.color) << c.pointer.x << "," << c.pointer.y << " " << c.dx << ","
                                                      << c.dy;
  }
}

namespace {

// Four monitors around a primary of 1920 x 1080: a shorter one to its right (a gap below it, beside the
// primary's last 56 rows), a shorter one to its left at negative x, and a narrower one above at negative y.
const Rect kPrimary = {0, 0, 1920, 1080};
const Rect kRight = {1920, 0, 3200, 1024};
const Rect kLeft = {-1600, 0, 0, 900};
const Rect kAbove = {0, -1024, 1280, 0};
const Rect kMonitors[] = {kPrimary, kRight, kLeft, kAbove};

}  // namespace

TEST(Magnifier, CapturedAreaSpansTheMonitorsItTouches) {
  struct Case { const char* where; Point pointer; Rect area; };
  const Case cases[] = {
      {"primary", {960, 540}, {954, 534, 967, 547}},
      {"primary beside the right one", {1919, 500}, {1913, 494, 1926, 507}},
      {"right one at its bottom", {2000, 1020}, {1994, 1014, 2007, 1024}},
      {"primary by the gap", {1918, 1027}, {1912, 1021, 1925, 1034}},
      {"left one at negative x", {-1, 500}, {-7, 494, 6, 507}},
      {"left one by the gap below it", {-5, 898}, {-11, 892, 2, 905}},
      {"above one at negative y", {100, -1}, {94, -7, 107, 6}},
      {"right of every monitor", {3300, 500}, {3294, 494, 3294, 494}},
  };
  for (const Case& c : cases) {
    const Rect a = capturedArea(c.pointer, kMonitors, 4);
    EXPECT_EQ(a.left, c.area.left) << c.where;
    EXPECT_EQ(a.top, c.area.top) << c.where;
    EXPECT_EQ(a.right, c.area.right) << c.where;
    EXPECT_EQ(a.bottom, c.area.bottom) << c.where;
  }
  // The order the system lists the monitors in does not matter.
  const Rect reversed[] = {kAbove, kLeft, kRight, kPrimary};
  const Rect a = capturedArea({1918, 1027}, reversed, 4);
  EXPECT_EQ(a.left, 1912);
  EXPECT_EQ(a.right, 1925);
  EXPECT_EQ(a.bottom, 1034);
}

TEST(Magnifier, BaseColourOnlyWhereNoMonitorIs) {
  std::uint32_t captured[kZoomCells];
  for (int row = 0; row < kZoomSide; ++row)
    for (int col = 0; col < kZoomSide; ++col) captured[row * kZoomSide + col] = (col << 16) | (row << 8) | 0x55;
  const std::uint32_t base = 0x808080;
  // COLORREF of the captured pixel at (dx, dy): red = dx + 6, green = dy + 6, blue 0x55.
  auto pixel = [](int dx, int dy) { return 0x550000u | ((dy + 6) << 8) | (dx + 6); };
  struct Case { const char* where; Point pointer; int dx, dy; bool onMonitor; };
  const Case cases[] = {
      {"primary", {960, 540}, -6, -6, true},
      {"primary", {960, 540}, 6, 6, true},
      {"right one, seen from the primary", {1919, 500}, 1, 0, true},
      {"right one, seen from the primary", {1919, 500}, 6, -6, true},
      {"right one's last row", {2000, 1020}, 0, 3, true},
      {"gap below the right one", {2000, 1020}, 0, 4, false},
      {"gap below the right one", {2000, 1020}, -6, 6, false},
      {"right one above the gap", {1918, 1027}, 2, -4, true},
      {"gap beside the primary", {1918, 1027}, 2, -3, false},
      {"primary's last column", {1918, 1027}, 1, 6, true},
      {"left one at negative x", {-1, 500}, -6, 0, true},
      {"primary seen from the left one", {-1, 500}, 6, 0, true},
      {"gap below the left one", {-5, 898}, 0, 2, false},
      {"primary beside that gap", {-5, 898}, 5, 2, true},
      {"above one at negative y", {100, -1}, 0, -6, true},
      {"primary below the above one", {100, -1}, 0, 1, true},
      {"gap right of the above one", {1279, -3}, 1, -3, false},
      {"above one's last column", {1279, -3}, 0, -3, true},
      {"primary below that gap", {1279, -3}, 1, 3, true},
  };
  for (const Case& c : cases) {
    std::uint32_t colors[kZoomCells];
    cellColors(captured, c.pointer, kMonitors, 4, base, colors);
    EXPECT_EQ(colors[cellIndex(c.dx, c.dy)], c.onMonitor ? pixel(c.dx, c.dy) : base)
        << c.where << " " << c.dx << "," << c.dy;
  }
}

TEST(Magnifier, OneMonitorHoldingTheAreaNeedsNoOther) {
  EXPECT_TRUE(covers(kPrimary, zoomArea({960, 540})));
  EXPECT_TRUE(covers(kPrimary, zoomArea({6, 6})));
  EXPECT_TRUE(covers(kPrimary, zoomArea({1913, 1073})));
  EXPECT_FALSE(covers(kPrimary, zoomArea({5, 540})));
  EXPECT_FALSE(covers(kPrimary, zoomArea({1914, 540})));
  EXPECT_FALSE(covers(kPrimary, zoomArea({960, 1074})));
  EXPECT_FALSE(covers(kRight, zoomArea({960, 540})));
}

TEST(Magnifier, OnlyChangedCellsAreWritten) {
  MagnifierCells cells;
  std::uint32_t colors[kZoomCells];
  for (int i = 0; i < kZoomCells; ++i) colors[i] = 0x010203 * i;
  bool changed[kZoomCells];

  EXPECT_EQ(updateCells(cells, colors, 14, changed), kZoomCells);  // nothing drawn yet
  EXPECT_EQ(updateCells(cells, colors, 14, changed), 0);           // a still screen
  for (bool c : changed) EXPECT_FALSE(c);

  colors[cellIndex(2, -3)] = 0xFFFFFF;
  colors[cellIndex(-6, 6)] = 0;
  EXPECT_EQ(updateCells(cells, colors, 14, changed), 2);
  for (int i = 0; i < kZoomCells; ++i)
    EXPECT_EQ(changed[i], i == cellIndex(2, -3) || i == cellIndex(-6, 6)) << i;

  cells.known = false;  // the box was filled with the base colour
  EXPECT_EQ(updateCells(cells, colors, 14, changed), kZoomCells);
  EXPECT_EQ(updateCells(cells, colors, 15, changed), kZoomCells);  // a new line height moves the square
  EXPECT_EQ(updateCells(cells, colors, 15, changed), 0);
}

TEST(Magnifier, RunsOfChangedCellsStayOnTheirRow) {
  struct Case { std::vector<int> changedAt; std::vector<CellRun> runs; };
  const Case cases[] = {
      {{}, {}},
      {{cellIndex(0, 0)}, {{0, 0, 1}}},
      {{cellIndex(-2, 1), cellIndex(-1, 1), cellIndex(0, 1), cellIndex(4, 1)}, {{1, -2, 3}, {1, 4, 1}}},
      {{cellIndex(6, -6), cellIndex(-6, -5)}, {{-6, 6, 1}, {-5, -6, 1}}},  // row end and next row start
      {{cellIndex(-6, 6), cellIndex(6, 6)}, {{6, -6, 1}, {6, 6, 1}}},
  };
  for (const Case& c : cases) {
    bool changed[kZoomCells] = {};
    for (int i : c.changedAt) changed[i] = true;
    CellRun runs[kZoomCells];
    const int n = changedRuns(changed, runs);
    ASSERT_EQ(n, static_cast<int>(c.runs.size()));
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(runs[i].dy, c.runs[i].dy) << i;
      EXPECT_EQ(runs[i].firstDx, c.runs[i].firstDx) << i;
      EXPECT_EQ(runs[i].count, c.runs[i].count) << i;
    }
  }
  bool all[kZoomCells];
  for (bool& b : all) b = true;
  CellRun runs[kZoomCells];
  ASSERT_EQ(changedRuns(all, runs), 13);
  EXPECT_EQ(runs[0].dy, -6);
  EXPECT_EQ(runs[12].dy, 6);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(runs[i].count, 13) << i;
}

TEST(Magnifier, EachCellBecomesATwoByTwoBlock) {
  std::uint32_t colors[kZoomCells];
  for (int i = 0; i < kZoomCells; ++i) colors[i] = 0x808080;
  colors[cellIndex(-6, -6)] = 0x332211;  // COLORREF: red 0x11
  colors[cellIndex(0, 0)] = 0x0000FF;
  colors[cellIndex(6, 6)] = 0xFF0000;
  std::uint32_t square[kSquareSide * kSquareSide];
  magnify(colors, square);
  struct Case { int x, y; std::uint32_t word; };  // DIB words: red in bits 16 to 23
  const Case cases[] = {
      {0, 0, 0x112233}, {1, 0, 0x112233}, {0, 1, 0x112233}, {1, 1, 0x112233}, {2, 0, 0x808080}, {0, 2, 0x808080},
      {12, 12, 0xFF0000}, {13, 12, 0xFF0000}, {12, 13, 0xFF0000}, {13, 13, 0xFF0000}, {11, 12, 0x808080},
      {14, 13, 0x808080}, {24, 24, 0x0000FF}, {25, 25, 0x0000FF}, {23, 25, 0x808080},
  };
  for (const Case& c : cases) EXPECT_EQ(square[c.y * kSquareSide + c.x], c.word) << c.x << "," << c.y;
}

TEST(Magnifier, CellsGrowWithTheBoxsDpi) {
  struct Case { int dpi, cell; };
  const Case cases[] = {{96, 2}, {120, 3}, {144, 3}, {168, 4}, {192, 4}, {288, 6}, {72, 2}, {0, 2}};
  for (const Case& c : cases) EXPECT_EQ(cellSizeForDpi(c.dpi), c.cell) << c.dpi;

  // At 144 DPI: cells of 3 pixels, the square 39 pixels a side from (2, h + 2).
  struct Corner { int dx, dy; Point corner; };
  const Corner corners[] = {{-6, -6, {2, 16}}, {0, 0, {20, 34}}, {6, 6, {38, 52}}, {1, -1, {23, 31}}};
  for (const Corner& c : corners) {
    const Point p = cellCorner(c.dx, c.dy, 14, 3);
    EXPECT_EQ(p.x, c.corner.x) << c.dx << "," << c.dy;
    EXPECT_EQ(p.y, c.corner.y) << c.dx << "," << c.dy;
  }
  EXPECT_EQ(cellCorner(6, 6, 20, 4).x + 4, 2 + 52);  // at 192 DPI the last cell ends 52 pixels on

  std::uint32_t colors[kZoomCells];
  for (int i = 0; i < kZoomCells; ++i) colors[i] = 0x808080;
  colors[cellIndex(-6, -6)] = 0x332211;
  colors[cellIndex(0, 0)] = 0x0000FF;
  colors[cellIndex(6, 6)] = 0xFF0000;
  constexpr int side = squareSide(3);
  ASSERT_EQ(side, 39);
  std::vector<std::uint32_t> square(side * side, 0xDEAD);
  magnify(colors, square.data(), 3);
  struct Pixel { int x, y; std::uint32_t word; };
  const Pixel pixels[] = {
      {0, 0, 0x112233},  {2, 2, 0x112233},  {3, 0, 0x808080},  {0, 3, 0x808080},  {18, 18, 0xFF0000},
      {20, 20, 0xFF0000}, {17, 18, 0x808080}, {21, 20, 0x808080}, {36, 36, 0x0000FF}, {38, 38, 0x0000FF},
      {35, 38, 0x808080},
  };
  for (const Pixel& p : pixels) EXPECT_EQ(square[p.y * side + p.x], p.word) << p.x << "," << p.y;
  for (std::uint32_t word : square) ASSERT_NE(word, 0xDEADu);  // every pixel of the square written
}

TEST(Magnifier, CellsOfEachScaleAtADpi) {
  struct Case { int scale, dpi, cell; };
  const Case cases[] = {{2, 96, 2}, {4, 96, 4}, {6, 96, 6}, {8, 96, 8}, {4, 144, 6},
                        {6, 144, 9}, {8, 144, 12}, {8, 120, 10}, {6, 120, 8}, {8, 192, 16}};
  for (const Case& c : cases) EXPECT_EQ(cellSizeFor(c.scale, c.dpi), c.cell) << c.scale << " at " << c.dpi;
}

// The sampled cells' outermost pixels are white and black by turns; every other pixel shows its cell.
TEST(Magnifier, TheSampledCellsAreFramed) {
  std::uint32_t colors[kZoomCells];
  for (int i = 0; i < kZoomCells; ++i) colors[i] = 0x445566;  // DIB word 0x665544
  constexpr int cell = 4, side = squareSide(cell);
  std::vector<std::uint32_t> square(side * side);
  struct Case { int sample, first, last; };  // the frame's first and last pixel, across and down
  const Case cases[] = {{3, 20, 31}, {5, 16, 35}, {13, 0, 51}};
  for (const Case& c : cases) {
    magnify(colors, square.data(), cell, c.sample);
    int framed = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const bool inside = x >= c.first && x <= c.last && y >= c.first && y <= c.last;
        const bool edge = inside && (x == c.first || x == c.last || y == c.first || y == c.last);
        const std::uint32_t word = square[y * side + x];
        if (!edge) {
          EXPECT_EQ(word, 0x665544u) << c.sample << ": " << x << "," << y;
          continue;
        }
        ++framed;
        EXPECT_EQ(word, (x + y) % 2 ? 0x000000u : 0xFFFFFFu) << c.sample << ": " << x << "," << y;
      }
    }
    EXPECT_EQ(framed, 4 * (c.last - c.first)) << c.sample;
  }
  magnify(colors, square.data(), cell, 1);
  for (std::uint32_t word : square) ASSERT_EQ(word, 0x665544u) << "a single pixel has no frame";
}
