#include "box/area_mean.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iterator>

namespace {

template <std::size_t N>
int validOf(const int (&table)[N], int stored) {
  return std::find(std::begin(table), std::end(table), stored) != std::end(table) ? stored : table[0];
}

template <std::size_t N>
int indexOf(const int (&table)[N], int value) {
  const int* found = std::find(std::begin(table), std::end(table), value);
  return found != std::end(table) ? int(found - std::begin(table)) : -1;
}

// A value not in the table steps from the table's first.
template <std::size_t N>
int stepped(const int (&table)[N], int value, int step) {
  const int at = std::max(indexOf(table, value), 0) + step;
  return table[std::min(std::max(at, 0), int(N) - 1)];
}

}  // namespace

int validSampleSide(int stored) { return validOf(kSampleSides, stored); }

int validMagnifierScale(int stored) { return validOf(kMagnifierScales, stored); }

int sampleSideIndex(int side) { return indexOf(kSampleSides, side); }

int magnifierScaleIndex(int scale) { return indexOf(kMagnifierScales, scale); }

int steppedSampleSide(int side, int step) { return stepped(kSampleSides, side, step); }

int steppedMagnifierScale(int scale, int step) { return stepped(kMagnifierScales, scale, step); }

void sampleMarkText(int side, char text[kSampleMarkSize]) {
  const int n = validSampleSide(side);
  if (n == 1) {
    text[0] = '\0';
    return;
  }
  std::snprintf(text, kSampleMarkSize, " %d\xD7%d", n, n);
}

bool areaMean(const CapturedBlock& block, Rect screen, Point centre, int side, std::uint32_t* colorRef) {
  const int radius = validSampleSide(side) / 2;
  // The area cut to the screen and then to the block, in screen coordinates, right and bottom exclusive.
  const int left = std::max({centre.x - radius, screen.left, block.origin.x});
  const int top = std::max({centre.y - radius, screen.top, block.origin.y});
  const int right = std::min({centre.x + radius + 1, screen.right, block.origin.x + block.width});
  const int bottom = std::min({centre.y + radius + 1, screen.bottom, block.origin.y + block.height});
  if (left >= right || top >= bottom) return false;
  unsigned red = 0, green = 0, blue = 0;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* row = block.pixels + (y - block.origin.y) * block.width;
    for (int x = left; x < right; ++x) {
      const std::uint32_t word = row[x - block.origin.x];
      red += (word >> 16) & 0xFF;
      green += (word >> 8) & 0xFF;
      blue += word & 0xFF;
    }
  }
  const unsigned n = static_cast<unsigned>((right - left) * (bottom - top));
  *colorRef = ((red + n / 2) / n) | (((green + n / 2) / n) << 8) | (((blue + n / 2) / n) << 16);
  return true;
}
