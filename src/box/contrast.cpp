#include "box/contrast.h"

#include <cmath>
#include <cstdio>

namespace {

double linearChannel(std::uint32_t c8) {
  const double c = c8 / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Grade { long fromHundredths; const char* name; };
constexpr Grade kGrades[] = {{700, "AAA"}, {450, "AA"}, {300, "Large"}, {0, "Fail"}};

}  // namespace

double relativeLuminance(std::uint32_t rgb) {
  return 0.2126 * linearChannel((rgb >> 16) & 0xFF) + 0.7152 * linearChannel((rgb >> 8) & 0xFF) +
         0.0722 * linearChannel(rgb & 0xFF);
}

double contrastRatio(std::uint32_t rgbA, std::uint32_t rgbB) {
  const double a = relativeLuminance(rgbA), b = relativeLuminance(rgbB);
  return a >= b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

void contrastText(std::uint32_t rgbA, std::uint32_t rgbB, char* out, std::size_t size) {
  // The small allowance keeps 21 (computed as 20.999…) and 4.5 from losing a hundredth to the division's
  // rounding. The grade is read from the same hundredths, so that "4.50" never reads "Large".
  const long hundredths = static_cast<long>(std::floor(contrastRatio(rgbA, rgbB) * 100 + 1e-9));
  const Grade* grade = kGrades;
  while (hundredths < grade->fromHundredths) ++grade;
  std::snprintf(out, size, "%ld.%02ld:1 %s", hundredths / 100, hundredths % 100, grade->name);
}

std::uint32_t contrastReference(const ColorHistory& history) {
  return history.count > 0 ? history.colors[0] : 0xFFFFFF;
}

void contrastTextOfColorRefs(std::uint32_t pickedRef, std::uint32_t referenceRef, char out[kContrastTextSize]) {
  contrastText(rgbOfColorRef(pickedRef), rgbOfColorRef(referenceRef), out, kContrastTextSize);
}

bool outlineIsBlack(std::uint32_t referenceRef) {
  return contrastRatio(rgbOfColorRef(referenceRef), 0x000000) >= contrastRatio(rgbOfColorRef(referenceRef), 0xFFFFFF);
}
