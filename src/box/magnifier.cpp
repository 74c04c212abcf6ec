#include "box/magnifier.h"

#include <algorithm>

#include "box/area_mean.h"
#include "box/dpi_scale.h"

int cellSizeForDpi(int dpi) { return scaleForDpi(kCellSize, dpi); }

int cellSizeFor(int scale, int dpi) { return scaleForDpi(scale, dpi); }

Point cellCorner(int dx, int dy, int lineHeight, int cellSize) {
  return {cellSize * (dx + kZoomRadius) + kSquareLeft, lineHeight + cellSize * (dy + kZoomRadius) + kSquareLeft};
}

Rect zoomArea(Point pointer) {
  return {pointer.x - kZoomRadius, pointer.y - kZoomRadius, pointer.x + kZoomRadius + 1, pointer.y + kZoomRadius + 1};
}

bool covers(Rect monitor, Rect area) {
  return area.left >= monitor.left && area.top >= monitor.top && area.right <= monitor.right &&
         area.bottom <= monitor.bottom;
}

bool onScreen(Point at, const Rect monitors[], int count) {
  for (int i = 0; i < count; ++i) {
    const Rect& m = monitors[i];
    if (at.x >= m.left && at.x < m.right && at.y >= m.top && at.y < m.bottom) return true;
  }
  return false;
}

Rect capturedArea(Point pointer, const Rect monitors[], int count) {
  const Rect area = zoomArea(pointer);
  Rect a = {area.left, area.top, area.left, area.top};
  bool any = false;
  for (int i = 0; i < count; ++i) {
    const Rect part = {std::max(area.left, monitors[i].left), std::max(area.top, monitors[i].top),
                       std::min(area.right, monitors[i].right), std::min(area.bottom, monitors[i].bottom)};
    if (part.left >= part.right || part.top >= part.bottom) continue;
    if (!any) {
      a = part;
      any = true;
    } else {
      a = {std::min(a.left, part.left), std::min(a.top, part.top), std::max(a.right, part.right),
           std::max(a.bottom, part.bottom)};
    }
  }
  return a;
}

void cellColors(const std::uint32_t captured[kZoomCells], Point pointer, const Rect monitors[], int count,
                std::uint32_t baseColor, std::uint32_t colors[kZoomCells]) {
  for (int dy = -kZoomRadius; dy <= kZoomRadius; ++dy) {
    for (int dx = -kZoomRadius; dx <= kZoomRadius; ++dx) {
      const int i = cellIndex(dx, dy);
      colors[i] = onScreen({pointer.x + dx, pointer.y + dy}, monitors, count) ? swapRedBlue(captured[i]) : baseColor;
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

void magnify(const std::uint32_t colors[kZoomCells], std::uint32_t* square, int cellSize, int sampleSide) {
  const int side = squareSide(cellSize);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x)
      square[y * side + x] = swapRedBlue(colors[cellIndex(x / cellSize - kZoomRadius, y / cellSize - kZoomRadius)]);
  }
  const int radius = validSampleSide(sampleSide) / 2;
  if (radius == 0) return;
  const int first = (kZoomRadius - radius) * cellSize, last = (kZoomRadius + radius + 1) * cellSize - 1;
  for (int y = first; y <= last; ++y) {
    for (int x = first; x <= last; ++x) {
      if (x != first && x != last && y != first && y != last) continue;
      square[y * side + x] = (x + y) % 2 ? 0x000000 : 0xFFFFFF;
    }
  }
}
