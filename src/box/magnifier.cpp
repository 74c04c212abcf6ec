#include "box/magnifier.h"

#include <algorithm>

Point cellCorner(int dx, int dy, int lineHeight) {
  return {kCellSize * dx + kSquareLeft + kCellSize * kZoomRadius,
          lineHeight + kCellSize * dy + kSquareLeft + kCellSize * kZoomRadius};
}

bool onScreen(Point at, Rect screen) {
  return at.x >= screen.left && at.x < screen.right && at.y >= screen.top && at.y < screen.bottom;
}

Rect capturedArea(Point pointer, Rect screen) {
  Rect a = {std::max(pointer.x - kZoomRadius, screen.left), std::max(pointer.y - kZoomRadius, screen.top),
            std::min(pointer.x + kZoomRadius + 1, screen.right), std::min(pointer.y + kZoomRadius + 1, screen.bottom)};
  if (a.left >= a.right || a.top >= a.bottom) a = {a.left, a.top, a.left, a.top};
  return a;
}

void cellColors(const std::uint32_t captured[kZoomCells], Point pointer, Rect screen, std::uint32_t baseColor,
                std::uint32_t colors[kZoomCells]) {
  for (int dy = -kZoomRadius; dy <= kZoomRadius; ++dy) {
    for (int dx = -kZoomRadius; dx <= kZoomRadius; ++dx) {
      const int i = cellIndex(dx, dy);
      colors[i] = onScreen({pointer.x + dx, pointer.y + dy}, screen) ? swapRedBlue(captured[i]) : baseColor;
    }
  }
}

int updateCells(MagnifierCells& cells, const std::uint32_t colors[kZoomCells], int lineHeight,
                bool changed[kZoomCells]) {
  const bool known = cells.known && cells.lineHeight == lineHeight;
  int count = 0;
  for (int i = 0; i < kZoomCells; ++i) {
    changed[i] = !known || cells.color[i] != colors[i];
    if (changed[i]) ++count;
    cells.color[i] = colors[i];
  }
  cells.known = true;
  cells.lineHeight = lineHeight;
  return count;
}

int changedRuns(const bool changed[kZoomCells], CellRun runs[kZoomCells]) {
  int n = 0;
  for (int dy = -kZoomRadius; dy <= kZoomRadius; ++dy) {
    for (int dx = -kZoomRadius; dx <= kZoomRadius; ++dx) {
      if (!changed[cellIndex(dx, dy)]) continue;
      if (n > 0 && runs[n - 1].dy == dy && runs[n - 1].firstDx + runs[n - 1].count == dx) {
        ++runs[n - 1].count;
      } else {
        runs[n++] = {dy, dx, 1};
      }
    }
  }
  return n;
}

void magnify(const std::uint32_t colors[kZoomCells], std::uint32_t square[kSquareSide * kSquareSide]) {
  for (int y = 0; y < kSquareSide; ++y) {
    for (int x = 0; x < kSquareSide; ++x) {
      square[y * kSquareSide + x] =
          swapRedBlue(colors[cellIndex(x / kCellSize - kZoomRadius, y / kCellSize - kZoomRadius)]);
    }
  }
}
