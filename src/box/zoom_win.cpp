#include "box/zoom.h"

#include <optional>

#include "app/gdi.h"
#include "app/state.h"
#include "settings/settings.h"
#include "box/area_mean.h"
#include "box/magnifier.h"

namespace {

MagnifierCells shownCells;
int cellsWritten = 0;
int cellSize = kCellSize;  // set with the box's DPI and the scale, not looked up by the tick
int layoutDpi = 0;         // the box's DPI; 0 until the box font is first made
// Kept while the zoom form is shown: making a DC and a DIB section anew costs more than the read itself.
std::optional<MemoryDC> capture;  // the 13 x 13 pixels around the pointer, as read from the screen
std::optional<MemoryDC> square;   // the magnified square, copied from here to the box

struct AreaMonitors {
  Rect rect[kMaxAreaMonitors];
  int count = 0;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* list = reinterpret_cast<AreaMonitors*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    list->rect[list->count++] = {r.left, r.top, r.right, r.bottom};
  }
  return list->count < kMaxAreaMonitors;
}

// The monitors the area around `p` lies on. The pointer's own monitor nearly always holds all of it,
// and then no other is asked for; near its edge every monitor the area touches is.
AreaMonitors monitorsAround(Point p, Rect pointerMonitor) {
  AreaMonitors list;
  const Rect area = zoomArea(p);
  if (!covers(pointerMonitor, area)) {
    RECT clip = {area.left, area.top, area.right, area.bottom};
    EnumDisplayMonitors(nullptr, &clip, addMonitor, reinterpret_cast<LPARAM>(&list));
  }
  if (list.count == 0) list.rect[list.count++] = pointerMonitor;
  return list;
}

// The kept memory DC, made at its first use; null when it cannot be made.
const MemoryDC* keptDC(std::optional<MemoryDC>& kept, HDC like, int side) {
  if (!kept) kept.emplace(like, side, side);
  if (kept->ok()) return &*kept;
  kept.reset();
  return nullptr;
}

// One BitBlt of `a`, the part of the area around `p` that lies on the monitors, to its place in `into`.
bool captureArea(HDC screenDC, const MemoryDC& into, Point p, Rect a) {
  if (a.left == a.right) return true;  // none of it on a monitor: every cell shows the base colour
  // CAPTUREBLT takes layered windows too (the box is one), as GetPixel on the screen does.
  const BOOL ok = BitBlt(into.dc, a.left - (p.x - kZoomRadius), a.top - (p.y - kZoomRadius), a.right - a.left,
                         a.bottom - a.top, screenDC, a.left, a.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();  // the bits are read directly next
  return ok != FALSE;
}

// Writes the changed cells, one copy per run of them on a row.
bool writeChangedCells(HDC boxDC, const std::uint32_t colors[kZoomCells], const bool changed[kZoomCells]) {
  const MemoryDC* from = keptDC(square, boxDC, squareSide(cellSize));
  if (!from) return false;
  GdiFlush();  // the last copy out of these bits is done before they are written
  magnify(colors, reinterpret_cast<std::uint32_t*>(from->bits), cellSize, settings.sampleSide);
  CellRun runs[kZoomCells];
  const int n = changedRuns(changed, runs);
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const Point at = cellCorner(runs[i].firstDx, runs[i].dy, app.lineHeight, cellSize);
    ok = BitBlt(boxDC, at.x, at.y, runs[i].count * cellSize, cellSize, from->dc, at.x - kSquareLeft,
                at.y - app.lineHeight - kSquareLeft, SRCCOPY) && ok;
  }
  return ok;
}

}  // namespace

COLORREF drawMagnifier(HDC screenDC, HDC boxDC, POINT p, RECT screen) {
  const Point at = {p.x, p.y};
  const AreaMonitors monitors = monitorsAround(at, {screen.left, screen.top, screen.right, screen.bottom});
  const MemoryDC* area = keptDC(capture, screenDC, kZoomSide);
  const Rect read = capturedArea(at, monitors.rect, monitors.count);
  if (!area || !captureArea(screenDC, *area, at, read)) return CLR_INVALID;
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(area->bits);
  std::uint32_t colors[kZoomCells];
  cellColors(pixels, at, monitors.rect, monitors.count, settings.baseColor, colors);
  bool changed[kZoomCells];
  const int count = updateCells(shownCells, colors, app.lineHeight, changed);
  if (count > 0) {
    if (writeChangedCells(boxDC, colors, changed)) {
      cellsWritten += count;
    } else {
      shownCells.known = false;  // what the box shows is not known now: write everything next time
    }
  }
  // The box's colour from the same read: the mean of the sampled cells that were read.
  const CapturedBlock block = {pixels, kZoomSide, kZoomSide, {at.x - kZoomRadius, at.y - kZoomRadius}};
  std::uint32_t mean = 0;
  return areaMean(block, read, at, settings.sampleSide, &mean) ? mean : CLR_INVALID;
}

void forgetMagnifier() { shownCells.known = false; }

namespace {

void useCellSize(int size) {
  if (size == cellSize) return;
  cellSize = size;
  square.reset();  // made again at the new square's size
  forgetMagnifier();
}

}  // namespace

void setMagnifierDpi(int dpi) {
  layoutDpi = dpi;
  useCellSize(cellSizeFor(settings.magnifierScale, dpi));
}

void setMagnifierCellScale(int scale) { useCellSize(cellSizeFor(scale, layoutDpi)); }

int magnifierCellSize() { return cellSize; }

void releaseMagnifier() {
  capture.reset();
  square.reset();
}

int magnifierCellsWritten() { return cellsWritten; }
