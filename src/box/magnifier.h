// The zoom form's magnifier: where its cells lie, what each shows, and which need writing. No windows.h.
#pragma once
#include <cstdint>

#include "box/box_geometry.h"

constexpr int kZoomRadius = 6;                           // pixels read on each side of the pointer
constexpr int kZoomSide = 2 * kZoomRadius + 1;           // 13
constexpr int kZoomCells = kZoomSide * kZoomSide;        // 169
constexpr int kCellSize = 2;                             // at 96 DPI each pixel is drawn as a 2 x 2 cell
constexpr int kSquareSide = kZoomSide * kCellSize;       // 26 at 96 DPI
constexpr int kSquareLeft = 2;                           // the square's left edge in the box; its top is h + 2

// The side of a cell at `dpi`: the 96-DPI cell scaled as the box font is (3 at 144, 4 at 192).
int cellSizeForDpi(int dpi);
// The side of a cell for a magnifier scale (2, 4, 6 or 8 pixels at 96 DPI) at `dpi`: round(scale x dpi / 96).
int cellSizeFor(int scale, int dpi);
constexpr int squareSide(int cellSize) { return kZoomSide * cellSize; }

// Index of offset (dx, dy) in the arrays below: row by row, top row first.
constexpr int cellIndex(int dx, int dy) { return (dy + kZoomRadius) * kZoomSide + dx + kZoomRadius; }

// Top-left pixel of the cell for offset (dx, dy), in box window coordinates, for line height h.
Point cellCorner(int dx, int dy, int lineHeight, int cellSize = kCellSize);

// Rectangles of the monitors (right and bottom exclusive) are handed over as a list: the area around
// the pointer may lie on several, and in the gaps between monitors of different sizes lies no pixel.
// The 13 x 13 area touches at most four monitors that do not overlap; more are not looked at.
constexpr int kMaxAreaMonitors = 8;

// The 13 x 13 area around `pointer`, right and bottom exclusive.
Rect zoomArea(Point pointer);
// Whether `monitor` holds the whole of `area`.
bool covers(Rect monitor, Rect area);

// Whether a pixel lies on one of the monitors.
bool onScreen(Point at, const Rect monitors[], int count);

// The smallest rectangle holding every part of the 13 x 13 area around `pointer` that lies on a monitor;
// empty (left == right) when none of it does.
Rect capturedArea(Point pointer, const Rect monitors[], int count);

// Red and blue swapped: a COLORREF (0x00BBGGRR) as a 32-bit DIB word (0x00RRGGBB) and back.
constexpr std::uint32_t swapRedBlue(std::uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The cells' colours (COLORREF values): the captured pixels where they lie on a monitor, `baseColor`
// where no monitor is. `captured` is the 13 x 13 area around `pointer` as a top-down 32-bit DIB.
void cellColors(const std::uint32_t captured[kZoomCells], Point pointer, const Rect monitors[], int count,
                std::uint32_t baseColor, std::uint32_t colors[kZoomCells]);

// What the box's magnifier shows, as far as it is known.
struct MagnifierCells {
  bool known = false;  // false until drawn, and again after the box is filled with the base colour
  int lineHeight = 0;  // the square moves with the line height; the cells drawn at the old place are not known
  std::uint32_t color[kZoomCells] = {};
};

// Marks in `changed` the cells whose colour differs from what the box shows (every cell when that is not
// known), takes `colors` as shown, and returns how many cells changed.
int updateCells(MagnifierCells& cells, const std::uint32_t colors[kZoomCells], int lineHeight,
                bool changed[kZoomCells]);

// Consecutive changed cells on one row, written with one copy.
struct CellRun { int dy, firstDx, count; };
// The runs of changed cells, row by row from the top; returns how many (at most kZoomCells).
int changedRuns(const bool changed[kZoomCells], CellRun runs[kZoomCells]);

// The square as a top-down 32-bit DIB of squareSide(cellSize) pixels a side: every cell's colour in its block.
// When the box's colour is the mean of an area (`sampleSide` above 1) the outermost pixels of that area's
// cells are its frame, white and black by turns so that it shows on any colour.
void magnify(const std::uint32_t colors[kZoomCells], std::uint32_t* square, int cellSize = kCellSize,
             int sampleSide = 1);
