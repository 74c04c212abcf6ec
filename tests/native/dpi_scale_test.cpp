#include "box/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DpiScale, FontHeightsAtTheCommonScales) {
  struct Case { int height96, dpi, scaled; };
  const Case cases[] = {
      {-11, 96, -11},  {-11, 120, -14}, {-11, 144, -17}, {-11, 192, -22},  // the default box font
      {-13, 96, -13},  {-13, 120, -16}, {-13, 144, -20}, {-13, 192, -26},
      {16, 120, 20},   {13, 144, 20},   {-1, 120, -1},   {-1, 144, -2},    // 19.5 and 1.5 round away from zero
      {0, 144, 0},     {-11, 72, -8},                                        // a default height stays the default
  };
  for (const Case& c : cases) EXPECT_EQ(scaleForDpi(c.height96, c.dpi), c.scaled) << c.height96 << " at " << c.dpi;
}

TEST(DpiScale, StoredSizesComeBackUnchanged) {
  // What the box shows at a DPI, taken back to 96 DPI, is the stored size again: a font that went
  // through the font dialog at 144 DPI must not shrink or grow a pixel each time.
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int h = -200; h <= 200; ++h) ASSERT_EQ(unscaleFromDpi(scaleForDpi(h, dpi), dpi), h) << h << " at " << dpi;
  }
  struct Case { int value, dpi, stored; };
  const Case cases[] = {{-24, 144, -16}, {-17, 144, -11}, {-14, 120, -11}, {-22, 192, -11}, {-11, 96, -11}};
  for (const Case& c : cases) EXPECT_EQ(unscaleFromDpi(c.value, c.dpi), c.stored) << c.value << " at " << c.dpi;
}

TEST(DpiScale, NoDpiOrHugeSizesDoNotOverflow) {
  // A font height comes from the registry as any 32-bit value.
  EXPECT_EQ(scaleForDpi(INT_MAX, 192), INT_MAX);
  EXPECT_EQ(scaleForDpi(INT_MIN, 192), INT_MIN);
  EXPECT_EQ(scaleForDpi(INT_MIN, 96), INT_MIN);
  EXPECT_EQ(unscaleFromDpi(INT_MIN, 48), INT_MIN);
  EXPECT_EQ(scaleForDpi(-11, 0), -11);
  EXPECT_EQ(scaleForDpi(-11, -144), -11);
  EXPECT_EQ(unscaleFromDpi(-17, 0), -17);
}

TEST(DpiScale, MonitorDpiFallsBackToTheSystemDpi) {
  struct Case { int monitor, system, used; };
  const Case cases[] = {
      {144, 96, 144},  // a scaled second monitor
      {96, 144, 96},
      {0, 120, 120},   // no per-monitor DPI on this system
      {-1, 144, 144},
      {0, 0, 96},      // nothing known
  };
  for (const Case& c : cases) EXPECT_EQ(effectiveDpi(c.monitor, c.system), c.used) << c.monitor << "/" << c.system;
}
