#include "box/box_geometry.h"

#include "box/dpi_scale.h"
#include "box/magnifier.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ColorTexts, ComposesHexAndFilledDecimal) {
  struct Case { std::uint32_t color; const char* hex; const char* dec; };
  const Case cases[] = {
      {0x000000, "000000", "@@0 @@0 @@0"},
      {0xFFFFFF, "FFFFFF", "255 255 255"},
      {0x008005, "058000", "@@5 128 @@0"},  // red 5, green 128, blue 0
      {0xFF0C05, "050CFF", "@@5 @12 255"},
  };
  for (const Case& c : cases) {
    char hex[7], dec[12];
    std::memset(hex, 'x', sizeof hex);
    std::memset(dec, 'x', sizeof dec);
    composeColorTexts(c.color, hex, dec);
    EXPECT_STREQ(hex, c.hex) << std::hex << c.color;
    EXPECT_STREQ(dec, c.dec) << std::hex << c.color;
  }
}

TEST(BoxWidth, ThresholdIsThirtyFourAtNinetySixDotsAndScaledAbove) {
  struct Case { int measured, dpi, width; };
  const Case cases[] = {
      {20, 96, 40}, {32, 96, 40}, {34, 96, 40}, {35, 96, 35}, {38, 96, 38}, {39, 96, 39}, {40, 96, 40}, {90, 96, 90},
      {34, 144, 60}, {44, 144, 60}, {51, 144, 60}, {52, 144, 52}, {90, 144, 90},
      {68, 192, 80}, {69, 192, 69},
  };
  for (const Case& c : cases) EXPECT_EQ(boxWidthFor(c.measured, c.dpi), c.width) << c.measured << " at " << c.dpi;
}

// A font as small as the font dialog gives (6 points: digits of about 4 pixels at 96 DPI) leaves the
// zoom form's swatch its room at every scale.
TEST(BoxWidth, TheZoomSwatchKeepsItsRoomWithTheSmallestFont) {
  for (int dpi : {96, 120, 144, 192}) {
    const int digit = scaleForDpi(4, dpi), line = scaleForDpi(8, dpi);
    const FormGeometry g =
        formGeometry(BoxForm::zoom, line, boxWidthFor(measuredTextWidth(digit, 0, false), dpi), cellSizeForDpi(dpi));
    EXPECT_GT(g.swatch.right, g.swatch.left) << dpi;
  }
}

// The zoom form's box holds the square of 13 cells, its margins and a swatch of 8 pixels at 96 DPI (12 at 144);
// a wider text keeps its own width, and the other forms never widen for the magnifier.
TEST(BoxWidth, TheZoomFormHoldsTheSquareAtEveryScale) {
  struct Case { int scale, dpi, measured, width; };
  const Case cases[] = {
      {2, 96, 32, 40},   {4, 96, 32, 66},   {6, 96, 32, 92},   {8, 96, 32, 118}, {8, 96, 130, 130},
      {2, 144, 48, 60},  {4, 144, 48, 96},  {6, 144, 48, 135}, {8, 144, 48, 174},
      {2, 192, 64, 80},  {8, 192, 64, 230},
  };
  for (const Case& c : cases) {
    const int cell = cellSizeFor(c.scale, c.dpi);
    const int width = boxWidthFor(c.measured, c.dpi, cell);
    EXPECT_EQ(width, c.width) << "x" << c.scale << " at " << c.dpi;
    EXPECT_EQ(boxWidthFor(c.measured, c.dpi), boxWidthFor(c.measured, c.dpi, 0)) << "x" << c.scale << " at " << c.dpi;
    const FormGeometry g = formGeometry(BoxForm::zoom, 14, width, cell);
    EXPECT_GE(g.swatch.right - g.swatch.left, scaleForDpi(8, c.dpi)) << "x" << c.scale << " at " << c.dpi;
  }
  // The square at x8 and 96 DPI: 104 pixels, and the swatch from 108.
  const FormGeometry g = formGeometry(BoxForm::zoom, 14, 118, cellSizeFor(8, 96));
  EXPECT_EQ(g.boxHeight, 14 + 104 + 4);
  EXPECT_EQ(g.swatch.left, 108);
  EXPECT_EQ(g.swatch.right, 116);
}

TEST(BoxWidth, MeasuredFromTheWidestDigit) {
  EXPECT_EQ(measuredTextWidth(4, 0, false), 32);  // six hex digits of 4 pixels and the margin
  EXPECT_EQ(boxWidthFor(measuredTextWidth(4, 0, false), 96), 40);
  EXPECT_EQ(measuredTextWidth(5, 0, false), 38);
  EXPECT_EQ(boxWidthFor(measuredTextWidth(5, 0, false), 96), 38);
  EXPECT_EQ(measuredTextWidth(6, 7, true), 9 * 6 + 7 + 8);
  EXPECT_EQ(measuredLineWidth(61), 69);  // any line: the text and the same margin
}

TEST(FormGeometry, HeightAndSwatchOfEachForm) {
  struct Case { BoxForm form; int height; Rect swatch; };
  const int h = 14, w = 46;
  const Case cases[] = {
      {BoxForm::normal, 30, {2, 16, 44, 28}},
      {BoxForm::micro, 16, {1, 1, 45, 15}},
      {BoxForm::zoom, 44, {30, 16, 44, 42}},
      {BoxForm::contrast, 32, {2, 16, 44, 30}},  // a swatch a full line high, for letters in the box font
  };
  for (const Case& c : cases) {
    const FormGeometry g = formGeometry(c.form, h, w);
    EXPECT_EQ(g.boxHeight, c.height);
    EXPECT_EQ(g.swatch.left, c.swatch.left);
    EXPECT_EQ(g.swatch.top, c.swatch.top);
    EXPECT_EQ(g.swatch.right, c.swatch.right);
    EXPECT_EQ(g.swatch.bottom, c.swatch.bottom);
  }
}

TEST(FormGeometry, TheZoomFormHoldsTheLargerCellsOfAScaledDisplay) {
  // The square is 13 cells from (2, h + 2); the swatch starts two pixels to its right.
  struct Case { int cell, h, w, height; Rect swatch; };
  const Case cases[] = {
      {2, 14, 46, 44, {30, 16, 44, 42}},   // 96 DPI, as the form has always been
      {3, 20, 70, 63, {43, 22, 68, 61}},   // 144 DPI
      {4, 27, 90, 83, {56, 29, 88, 81}},   // 192 DPI
  };
  for (const Case& c : cases) {
    const FormGeometry g = formGeometry(BoxForm::zoom, c.h, c.w, c.cell);
    EXPECT_EQ(g.boxHeight, c.height) << c.cell;
    EXPECT_EQ(g.swatch.left, c.swatch.left) << c.cell;
    EXPECT_EQ(g.swatch.top, c.swatch.top) << c.cell;
    EXPECT_EQ(g.swatch.right, c.swatch.right) << c.cell;
    EXPECT_EQ(g.swatch.bottom, c.swatch.bottom) << c.cell;
  }
  // The other forms have no magnifier.
  EXPECT_EQ(formGeometry(BoxForm::normal, 20, 70, 3).boxHeight, 42);
  EXPECT_EQ(formGeometry(BoxForm::micro, 20, 70, 4).boxHeight, 22);
}

TEST(BoxPosition, EdgesPushBackAndFlip) {
  const Rect screen{0, 0, 1024, 768};
  struct Case { const char* where; Point pointer; Point expected; };
  const Case cases[] = {
      {"middle", {500, 400}, {512, 412}},
      {"right edge", {1000, 400}, {984, 412}},       // right edge on the screen's right edge
      {"exactly fits right", {972, 400}, {984, 412}},
      {"bottom edge", {500, 750}, {512, 708}},       // bottom 12 above the pointer
      {"exactly fits bottom", {500, 726}, {512, 738}},
      {"corner", {1020, 760}, {984, 718}},
      {"top left not tested", {-30, -30}, {-18, -18}},
  };
  for (const Case& c : cases) {
    const Point at = boxPosition(c.pointer, 40, 30, screen);
    EXPECT_EQ(at.x, c.expected.x) << c.where;
    EXPECT_EQ(at.y, c.expected.y) << c.where;
  }
}

TEST(BoxPosition, EdgesOfThePointersMonitor) {
  // A primary of 1920 x 1080 with a shorter monitor to its right, one to its left at negative x and one
  // above at negative y. Each case gives the monitor the system finds under the pointer.
  const Rect primary{0, 0, 1920, 1080}, right{1920, 0, 3200, 1024}, left{-1600, 0, 0, 900}, above{0, -1024, 1280, 0};
  struct Case { const char* where; Point pointer; Rect monitor; Point expected; };
  const Case cases[] = {
      {"primary middle", {500, 400}, primary, {512, 412}},
      {"primary right edge, though a monitor follows", {1900, 400}, primary, {1880, 412}},
      {"right monitor", {2500, 400}, right, {2512, 412}},  // not pushed back onto the primary
      {"right monitor's right edge", {3190, 400}, right, {3160, 412}},
      {"right monitor's bottom, above the gap", {2500, 1010}, right, {2512, 968}},
      {"primary at that height", {500, 1010}, primary, {512, 1022}},
      {"primary corner by the gap", {1915, 1060}, primary, {1880, 1018}},
      {"left monitor's right edge", {-20, 400}, left, {-40, 412}},
      {"left monitor's bottom", {-500, 890}, left, {-488, 848}},
      {"left monitor, top not tested", {-1590, 2}, left, {-1578, 14}},
      {"above monitor's bottom", {600, -10}, above, {612, -52}},
      {"above monitor's right edge", {1270, -500}, above, {1240, -488}},
  };
  for (const Case& c : cases) {
    const Point at = boxPosition(c.pointer, 40, 30, c.monitor);
    EXPECT_EQ(at.x, c.expected.x) << c.where;
    EXPECT_EQ(at.y, c.expected.y) << c.where;
  }
}

TEST(CentredOn, AWindowInTheMiddleOfAMonitor) {
  struct Case { const char* where; Rect monitor; Point expected; };
  const Case cases[] = {
      {"the one screen", {0, 0, 1024, 768}, {362, 219}},
      {"odd sizes round towards the top left", {0, 0, 1023, 767}, {361, 218}},
      {"a monitor to the right", {1920, 0, 3200, 1024}, {2410, 347}},
      {"a monitor to the left", {-1600, 0, 0, 900}, {-950, 285}},
      {"a monitor above", {0, -1024, 1280, 0}, {490, -677}},
      {"a screen smaller than the window", {0, 0, 200, 200}, {-50, -65}},
  };
  for (const Case& c : cases) {
    const Point at = centredOn(c.monitor, 300, 330);
    EXPECT_EQ(at.x, c.expected.x) << c.where;
    EXPECT_EQ(at.y, c.expected.y) << c.where;
  }
}

TEST(MicroText, BlackOnLightColours) {
  struct Case { std::uint32_t color; bool black; };
  const Case cases[] = {
      {0x009191, true},   // R 0x91, G 0x91, B 0
      {0x90FF90, false},  // R 0x90, G 0xFF, B 0x90
      {0x00FF00, false},  // pure green
      {0x00FFFF, true},   // yellow
      {0x91FF00, true},   // blue above 0x90
  };
  for (const Case& c : cases) EXPECT_EQ(microTextIsBlack(c.color), c.black) << std::hex << c.color;
}

TEST(Opacity, AlphaTruncates) {
  EXPECT_EQ(opacityAlpha(100), 255);
  EXPECT_EQ(opacityAlpha(70), 178);
  EXPECT_EQ(opacityAlpha(85), 216);
  EXPECT_EQ(opacityAlpha(88), 224);
}
