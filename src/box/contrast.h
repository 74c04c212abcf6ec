// The contrast between two colours as WCAG 2.x defines it, and the text the box shows for it. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

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
