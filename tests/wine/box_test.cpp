#include "harness.h"

#include "app/state.h"
#include "box/box.h"
#include "box/box_geometry.h"

TEST(Box, PicksThePaintedColour) {
  clearSettings();
  ColorWindow target({200, 200, 400, 400}, RGB(5, 128, 0));
  SetCursorPos(300, 300);
  startTintlet();
  ASSERT_TRUE(pumpUntil([] { return app.pickedColor == RGB(5, 128, 0); }));
  pumpFor(50);
  EXPECT_STREQ(app.hexText, "058000");
  EXPECT_STREQ(app.decText, "@@5 128 @@0");
  EXPECT_EQ(windowText(app.boxTextWnd), "058000");
  RECT r;
  GetWindowRect(app.boxWnd, &r);
  EXPECT_EQ(r.left, 312);
  EXPECT_EQ(r.top, 312);
  EXPECT_EQ(exitTintlet(), 0);
}
