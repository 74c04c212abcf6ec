#include "box/dpi_scale.h"

#include <climits>
#include <cstdint>

namespace {

// value * num / den, rounded half away from zero like MulDiv, clamped to int.
int mulDivRounded(int value, int num, int den) {
  const std::int64_t product = static_cast<std::int64_t>(value) * num;
  const std::int64_t half = den / 2;
  const std::int64_t q = product >= 0 ? (product + half) / den : -((-product + half) / den);
  if (q > INT_MAX) return INT_MAX;
  if (q < INT_MIN) return INT_MIN;
  return static_cast<int>(q);
}

}  // namespace

int scaleForDpi(int value96, int dpi) { return dpi > 0 ? mulDivRounded(value96, dpi, kBaseDpi) : value96; }

int unscaleFromDpi(int value, int dpi) { return dpi > 0 ? mulDivRounded(value, kBaseDpi, dpi) : value; }

int effectiveDpi(int monitorDpi, int systemDpi) {
  if (monitorDpi > 0) return monitorDpi;
  return systemDpi > 0 ? systemDpi : kBaseDpi;
}
