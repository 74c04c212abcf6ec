// The contrast between two colours as WCAG 2.x defines it, and the text the box shows for it. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

#include "history/history.h"

// Room for the text, "6.99:1 Large" at the longest, and its zero.
constexpr std::size_t kContrastTextSize = 16;

// The relative luminance of an sRGB colour given as 0xRRGGBB: 0 for black, 1 for white.
double relativeLuminance(std::uint32_t rgb);
// The lighter colour's luminance plus 0.05 over the darker one's: 1 for equal colours, 21 for black on white.
double contrastRatio(std::uint32_t rgbA, std::uint32_t rgbB);

// "4.49:1 Large": the ratio cut (never rounded up) to two decimals, and the grade it earns: "AAA" from 7,
// "AA" from 4.5, "Large" (large text only) from 3, else "Fail". Never more than `size` (at least 1) bytes,
// always zero-terminated.
void contrastText(std::uint32_t rgbA, std::uint32_t rgbB, char* out, std::size_t size);

// The contrast form: the colour under the pointer against a reference, both COLORREF values (0x00BBGGRR).

constexpr std::uint32_t rgbOfColorRef(std::uint32_t colorRef) {
  return (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | (colorRef >> 16 & 0xFF);
}
// The reference: the newest colour of the history (the last one copied or fixed), white when it is empty.
std::uint32_t contrastReference(const ColorHistory& history);
// contrastText for two COLORREF values.
void contrastTextOfColorRefs(std::uint32_t pickedRef, std::uint32_t referenceRef, char out[kContrastTextSize]);
// The outline drawn around letters in the reference colour: black around a light reference, white around a
// dark one, whichever stands out more, so that the letters show even on a swatch of their own colour.
bool outlineIsBlack(std::uint32_t referenceRef);
// The box must have room for each of these, with '0' standing for the box font's widest digit.
inline constexpr const char* kWidestContrastTexts[] = {"00.00:1 AAA", "0.00:1 Large", "0.00:1 Fail"};
