#include "box/box_geometry.h"

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

TEST(BoxWidth, ThresholdIsThirtyFour) {
  const int cases[][2] = {{20, 40}, {32, 40}, {34, 40}, {35, 35}, {38, 38}, {39, 39}, {40, 40}, {90, 90}};
  for (const auto& c : cases) EXPECT_EQ(boxWidthFor(c[0]), c[1]) << c[0];
}

TEST(BoxWidth, MeasuredFromTheWidestDigit) {
  EXPECT_EQ(measuredTextWidth(4, 0, false), 32);  // six hex digits of 4 pixels and the margin
  EXPECT_EQ(boxWidthFor(measuredTextWidth(4, 0, false)), 40);
  EXPECT_EQ(measuredTextWidth(5, 0, false), 38);
  EXPECT_EQ(boxWidthFor(measuredTextWidth(5, 0, false)), 38);
  EXPECT_EQ(measuredTextWidth(6, 7, true), 9 * 6 + 7 + 8);
}

TEST(FormGeometry, HeightAndSwatchOfEachForm) {
  struct Case { BoxForm form; int height; Rect swatch; };
  const int h = 14, w = 46;
  const Case cases[] = {
      {BoxForm::normal, 30, {2, 16, 44, 28}},
      {BoxForm::micro, 16, {1, 1, 45, 15}},
      {BoxForm::zoom, 44, {30, 16, 44, 42}},
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
