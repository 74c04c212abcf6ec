#include "box/contrast.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string textOf(std::uint32_t a, std::uint32_t b) {
  char out[kContrastTextSize];
  std::memset(out, 'x', sizeof out);
  contrastText(a, b, out, sizeof out);
  return out;
}

}  // namespace

TEST(Contrast, RelativeLuminanceOfKnownColours) {
  // Worked out to 50 digits from the WCAG 2.x definition.
  struct Case { std::uint32_t rgb; double luminance; };
  const Case cases[] = {
      {0xFFFFFF, 1.0},
      {0x000000, 0.0},
      {0xFF0000, 0.2126},
      {0x00FF00, 0.7152},
      {0x0000FF, 0.0722},
      {0x777777, 0.18447499450044090},
      {0x808080, 0.21586050011389916},
      {0x0A0A0A, 0.0030352698354883749},  // 10/255 is still on the straight part of the curve
      {0x0B0B0B, 0.0033465357638991585},  // 11/255 is past it
      {0xFADC1E, 0.71604130139813794},
  };
  for (const Case& c : cases) EXPECT_NEAR(relativeLuminance(c.rgb), c.luminance, 1e-12) << std::hex << c.rgb;
}

TEST(Contrast, RatioIsLighterOverDarkerInEitherOrder) {
  EXPECT_NEAR(contrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-12);
  EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-12);
  EXPECT_NEAR(contrastRatio(0x777777, 0x777777), 1.0, 1e-12);
  EXPECT_NEAR(contrastRatio(0x777777, 0xFFFFFF), 4.4780894535772156, 1e-12);
  EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x777777), 4.4780894535772156, 1e-12);
}

TEST(Contrast, TextIsCutToHundredthsWithItsGrade) {
  // The pairs nearest to each grade's threshold, below and above, among all pairs of greys and among every
  // colour on black and on white; their ratios are worked out to 50 digits.
  struct Case { std::uint32_t a, b; const char* text; };
  const Case cases[] = {
      {0x000000, 0xFFFFFF, "21.00:1 AAA"},
      {0xFFFFFF, 0x000000, "21.00:1 AAA"},
      {0x777777, 0x777777, "1.00:1 Fail"},
      {0x777777, 0xFFFFFF, "4.47:1 Large"},   // 4.4781
      {0x666666, 0x1B1B1B, "2.99:1 Fail"},    // 2.99980
      {0x242424, 0x6D6D6D, "3.00:1 Large"},   // 3.0000043
      {0xEFEFEF, 0x6D6D6D, "4.49:1 Large"},   // 4.49995
      {0x282828, 0x8E8E8E, "4.50:1 AA"},      // 4.50017
      {0xBEBEBE, 0x313131, "6.99:1 AA"},      // 6.99905
      {0xB5B5B5, 0x2A2A2A, "7.00:1 AAA"},     // 7.000047
      {0x33642C, 0x000000, "2.99:1 Fail"},    // 2.99999987
      {0x000000, 0x960FB1, "3.00:1 Large"},   // 3.00000056
      {0x989A30, 0xFFFFFF, "2.99:1 Fail"},    // 2.99999977
      {0xFFFFFF, 0xE969A1, "3.00:1 Large"},   // 3.00000019
      {0x458301, 0x000000, "4.49:1 Large"},   // 4.49999993
      {0x000000, 0x9D5D9F, "4.50:1 AA"},      // 4.50000066
      {0x9A6C5A, 0xFFFFFF, "4.49:1 Large"},   // 4.49999985
      {0xFFFFFF, 0x7C7290, "4.50:1 AA"},      // 4.50000064
      {0xE969A1, 0x000000, "6.99:1 AA"},      // 6.99999955
      {0x000000, 0x989A30, "7.00:1 AAA"},     // 7.00000054
      {0x960FB1, 0xFFFFFF, "6.99:1 AA"},      // 6.99999869
      {0xFFFFFF, 0x33642C, "7.00:1 AAA"},     // 7.00000029
  };
  for (const Case& c : cases) EXPECT_EQ(textOf(c.a, c.b), c.text) << std::hex << c.a << " on " << c.b;
}

TEST(Contrast, TextStopsAtTheRoomGiven) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  contrastText(0x000000, 0xFFFFFF, out, sizeof out);
  EXPECT_STREQ(out, "21.00:1");
}

TEST(Contrast, ColorRefsAreReadAsBlueGreenRed) {
  EXPECT_EQ(rgbOfColorRef(0x00FF0C05), 0x050CFFu);
  char out[kContrastTextSize];
  contrastTextOfColorRefs(0x0000FF, 0xFFFFFF, out);  // pure red: 3.998
  EXPECT_STREQ(out, "3.99:1 Large");
  contrastTextOfColorRefs(0xFF0000, 0xFFFFFF, out);  // pure blue: 8.592
  EXPECT_STREQ(out, "8.59:1 AAA");
  contrastTextOfColorRefs(0x2C6433, 0x000000, out);  // 33642C on black, COLORREF
  EXPECT_STREQ(out, "2.99:1 Fail");
}

TEST(Contrast, ReferenceIsTheNewestHistoryEntryOrWhite) {
  EXPECT_EQ(contrastReference(ColorHistory{{}, 0}), 0xFFFFFFu);
  EXPECT_EQ(contrastReference(ColorHistory{{0x1EDCFA, 0x000000}, 2}), 0x1EDCFAu);
  EXPECT_EQ(contrastReference(ColorHistory{{0x000000, 0x1EDCFA}, 2}), 0x000000u);
}

TEST(Contrast, OutlineIsWhicheverOfBlackAndWhiteStandsOutMore) {
  // Greys 0x75 and 0x76 lie either side of the luminance at which black and white stand out alike.
  struct Case { std::uint32_t ref; bool black; };
  const Case cases[] = {{0xFFFFFF, true}, {0x000000, false}, {0x767676, true}, {0x757575, false},
                        {0x00FF00, true}, {0xFF0000, false}, {0x0000FF, true}, {0x1EDCFA, true}};
  for (const Case& c : cases) EXPECT_EQ(outlineIsBlack(c.ref), c.black) << std::hex << c.ref;
}
