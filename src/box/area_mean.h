// The colour the box takes from an area around the pointer, and the stored sizes of that area and of the
// magnifier's cells. No windows.h.
#pragma once
#include <cstdint>

#include "box/box_geometry.h"

// The sides of the square area the picked colour is the mean of; 1 picks the pointer's own pixel.
inline constexpr int kSampleSides[] = {1, 3, 5, 7, 9, 11, 13};
// A stored side, or 1 where it is not one of kSampleSides.
int validSampleSide(int stored);

// The magnifier's cell sizes the user can choose from.
inline constexpr int kMagnifierScales[] = {2, 4, 6, 8};
// A stored scale, or 2 where it is not one of kMagnifierScales.
int validMagnifierScale(int stored);

// What the tray menu and the Options window call each choice, in table order (0xD7 is the Windows-1252 x).
inline constexpr const char* kSampleSideNames[] = {"Point", "3 \xD7 3", "5 \xD7 5", "7 \xD7 7",
                                                   "9 \xD7 9", "11 \xD7 11", "13 \xD7 13"};
inline constexpr const char* kMagnifierScaleNames[] = {"\xD7" "2", "\xD7" "4", "\xD7" "6", "\xD7" "8"};
static_assert(sizeof kSampleSideNames / sizeof *kSampleSideNames == sizeof kSampleSides / sizeof *kSampleSides);
static_assert(sizeof kMagnifierScaleNames / sizeof *kMagnifierScaleNames ==
              sizeof kMagnifierScales / sizeof *kMagnifierScales);

// The place of a side or a scale in its table; -1 for one not in it.
int sampleSideIndex(int side);
int magnifierScaleIndex(int scale);
// The next side or scale `step` places on (+1 larger, -1 smaller), stopping at either end of the table.
int steppedSampleSide(int side, int step);
int steppedMagnifierScale(int scale, int step);

// What the box adds to its colour text while the colour is the mean of an area: " 5\xD75" for side 5, nothing
// for the single pixel. `text` holds at least kSampleMarkSize characters.
constexpr int kSampleMarkSize = 8;
void sampleMarkText(int side, char text[kSampleMarkSize]);

// Screen pixels as the capture holds them: a top-down 32-bit DIB of width x height words, each 0x00RRGGBB
// (blue, green, red, 0 in memory), its top-left pixel at `origin` on the screen.
struct CapturedBlock {
  const std::uint32_t* pixels;
  int width, height;
  Point origin;
};

// The mean colour (COLORREF) of the side x side square centred on `centre`, each channel rounded half up.
// Only pixels on `screen` (right and bottom exclusive) and in the block count; false when none does. A side
// not in kSampleSides counts as 1.
bool areaMean(const CapturedBlock& block, Rect screen, Point centre, int side, std::uint32_t* colorRef);
