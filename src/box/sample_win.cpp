#include "box/sample.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "app/gdi.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "box/magnifier.h"

namespace {

// Kept from read to read: making a DC and a DIB section anew costs more than the read itself.
std::optional<MemoryDC> area;  // room for the largest side, 13 x 13

}  // namespace

COLORREF sampledColor(HDC screenDC, POINT p, int side) {
  side = validSampleSide(side);
  if (side == 1) return GetPixel(screenDC, p.x, p.y);
  const int radius = side / 2;
  const Point origin = {p.x - radius, p.y - radius};
  const Rect screen = virtualScreenRect();
  const Rect a = {std::max(origin.x, screen.left), std::max(origin.y, screen.top),
                  std::min(origin.x + side, screen.right), std::min(origin.y + side, screen.bottom)};
  if (a.left >= a.right || a.top >= a.bottom) return CLR_INVALID;
  if (!area) area.emplace(screenDC, kZoomSide, kZoomSide);
  if (!area->ok()) {
    area.reset();
    return CLR_INVALID;
  }
  // CAPTUREBLT takes layered windows too, as GetPixel on the screen does.
  if (!BitBlt(area->dc, a.left - origin.x, a.top - origin.y, a.right - a.left, a.bottom - a.top, screenDC, a.left,
              a.top, SRCCOPY | CAPTUREBLT))
    return CLR_INVALID;
  GdiFlush();  // the bits are read directly next
  const CapturedBlock block = {reinterpret_cast<const std::uint32_t*>(area->bits), kZoomSide, kZoomSide, origin};
  std::uint32_t mean = 0;
  return areaMean(block, a, {p.x, p.y}, side, &mean) ? mean : CLR_INVALID;
}

void releaseSampler() { area.reset(); }
