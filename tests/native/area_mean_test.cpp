#include "box/area_mean.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

TEST(AreaMean, StoredSideAndScaleAreOneOfTheTable) {
  struct Case { int stored, side, scale; };
  const Case cases[] = {
      {1, 1, 2},  {2, 1, 2},  {3, 3, 2},   {4, 1, 4},   {5, 5, 2},  {6, 1, 6},   {7, 7, 2},   {8, 1, 8},
      {9, 9, 2},  {11, 11, 2}, {13, 13, 2}, {0, 1, 2},  {-1, 1, 2}, {-2, 1, 2},  {10, 1, 2},  {15, 1, 2},
      {12, 1, 2}, {169, 1, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(validSampleSide(c.stored), c.side) << c.stored;
    EXPECT_EQ(validMagnifierScale(c.stored), c.scale) << c.stored;
  }
}

namespace {

// A capture of the screen's pixels from (-10, -10) to (29, 29): red is x + 10, green y + 10, blue 0x55.
struct Capture {
  std::vector<std::uint32_t> words;
  CapturedBlock block;
  Capture() : words(40 * 40), block{words.data(), 40, 40, {-10, -10}} {
    for (int row = 0; row < 40; ++row)
      for (int col = 0; col < 40; ++col) words[row * 40 + col] = std::uint32_t(col) << 16 | row << 8 | 0x55;
  }
};

}  // namespace

TEST(AreaMean, MeanOfThePixelsOnTheScreen) {
  const Capture capture;
  const Rect screen = {0, 0, 20, 20};
  struct Case { const char* where; Rect screen; Point centre; int side; int red, green; };
  const Case cases[] = {
      {"one pixel", screen, {3, 4}, 1, 13, 14},
      {"3 x 3 inside", screen, {5, 7}, 3, 15, 17},
      {"13 x 13 inside", {-10, -10, 30, 30}, {10, 12}, 13, 20, 22},
      {"cut by the left edge", screen, {1, 8}, 5, 12, 18},           // red 10..13
      {"cut by the top edge", screen, {8, 0}, 5, 18, 11},            // green 10..12
      {"cut by the right edge", screen, {19, 8}, 5, 28, 18},         // red 27..29
      {"cut by the bottom edge", screen, {8, 18}, 7, 18, 27},        // green 25..29
      {"top-left corner", screen, {0, 0}, 3, 11, 11},                // 10 and 11: 10.5 up
      {"13 x 13 in the bottom-right corner of a screen at negative coordinates",
       {-50, -20, -2, -3}, {-3, -4}, 13, 4, 3},                       // red 1..7, green 0..6
      {"13 x 13 cut on every side", {5, 5, 9, 8}, {6, 6}, 13, 17, 16},  // red 15..18, green 15..17
      {"the pointer's own pixel off the screen", screen, {-1, 5}, 3, 10, 15},
      {"past the block's edges", {-100, -100, 100, 100}, {-10, 29}, 5, 1, 38},
      {"side 4 is not stored: 1", screen, {3, 4}, 4, 13, 14},
      {"side 15 is not stored: 1", screen, {3, 4}, 15, 13, 14},
  };
  for (const Case& c : cases) {
    std::uint32_t color = 0xDEADBEEF;
    ASSERT_TRUE(areaMean(capture.block, c.screen, c.centre, c.side, &color)) << c.where;
    EXPECT_EQ(color, 0x550000u | c.green << 8 | c.red) << c.where;
  }
}

TEST(AreaMean, NothingToAverageOffTheScreen) {
  const Capture capture;
  const Rect screen = {0, 0, 20, 20};
  struct Case { Point centre; int side; };
  const Case cases[] = {{{-2, 5}, 3}, {{5, -7}, 13}, {{20, 5}, 1}, {{5, 26}, 13}};
  for (const Case& c : cases) {
    std::uint32_t color = 0xDEADBEEF;
    EXPECT_FALSE(areaMean(capture.block, screen, c.centre, c.side, &color)) << c.centre.x << "," << c.centre.y;
  }
}

TEST(AreaMean, EachChannelRoundsHalfUp) {
  // One row of captured DIB words on a screen one row high; a 3 x 3 area takes all of them.
  struct Case { std::vector<std::uint32_t> words; std::uint32_t colorRef; };
  const Case cases[] = {
      {{0x010203, 0x020102}, 0x030202},  // sums 3, 3, 5 over 2
      {{0x000000, 0x000001}, 0x010000},
      {{0xFEFF00, 0xFFFE00}, 0x00FFFF},
      {{0x0A0000, 0x0C0000}, 0x00000B},
      {{0x000000, 0x000000, 0x010000}, 0x000000},  // a third rounds down
      {{0x000000, 0x010000, 0x010000}, 0x000001},  // two thirds up
  };
  for (const Case& c : cases) {
    const int n = int(c.words.size());
    const CapturedBlock block = {c.words.data(), n, 1, {0, 0}};
    std::uint32_t color = 0xDEADBEEF;
    ASSERT_TRUE(areaMean(block, {0, 0, n, 1}, {(n - 1) / 2, 0}, 3, &color));
    EXPECT_EQ(color, c.colorRef) << std::hex << c.words[0] << " " << c.words[1];
  }
}

TEST(AreaMean, StepsThroughTheSidesAndScalesAndStopsAtTheEnds) {
  struct Case { int from, step, to; };
  const Case sides[] = {{1, 1, 3},   {3, 1, 5},   {11, 1, 13}, {13, 1, 13},
                        {13, -1, 11}, {1, -1, 1}, {10, 1, 3},  {0, -1, 1}};  // 10 and 0 step from the first
  for (const Case& c : sides) EXPECT_EQ(steppedSampleSide(c.from, c.step), c.to) << c.from << " " << c.step;
  const Case scales[] = {{2, 1, 4}, {4, 1, 6}, {6, 1, 8},  {8, 1, 8},
                         {8, -1, 6}, {2, -1, 2}, {10, 1, 4}, {0, -1, 2}};
  for (const Case& c : scales) EXPECT_EQ(steppedMagnifierScale(c.from, c.step), c.to) << c.from << " " << c.step;
  EXPECT_EQ(sampleSideIndex(13), 6);
  EXPECT_EQ(sampleSideIndex(4), -1);
  EXPECT_EQ(magnifierScaleIndex(8), 3);
  EXPECT_EQ(magnifierScaleIndex(3), -1);
}

TEST(AreaMean, TheMarkNamesTheSideOfAMean) {
  struct Case { int side; const char* mark; };
  const Case cases[] = {{1, ""}, {3, " 3\xD7" "3"}, {13, " 13\xD7" "13"}, {4, ""}};
  for (const Case& c : cases) {
    char mark[kSampleMarkSize];
    std::memset(mark, 'x', sizeof mark);
    sampleMarkText(c.side, mark);
    EXPECT_STREQ(mark, c.mark) << c.side;
  }
  EXPECT_STREQ(kSampleSideNames[0], "Point");
  EXPECT_STREQ(kSampleSideNames[5], "11 \xD7 11");
  EXPECT_STREQ(kMagnifierScaleNames[3], "\xD7" "8");
}
