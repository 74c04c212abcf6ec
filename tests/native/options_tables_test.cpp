#include "options/options_tables.h"

#include "box/dpi_scale.h"

#include <gtest/gtest.h>
#include <strings.h>

#include "../options_layout_expected.h"

#include <cctype>
#include <cstring>
#include <string>

// The table makes every control as the one expected table says, which the Wine test checks against the real window.
TEST(OptionsControls, EveryRowIsTheExpectedControl) {
  using namespace expected_options;
  ASSERT_EQ(kOptionsControlCount, kControlCount);
  for (int c = 0; c < kOptionsControlCount; ++c) {
    const ControlLayout& row = kOptionsControls[c];
    const ExpectedControl& e = kExpected[c];
    EXPECT_EQ(strcasecmp(row.className, e.className), 0) << e.name << ": " << row.className;
    if (row.text && e.text) EXPECT_STREQ(row.text, e.text) << e.name;
    EXPECT_EQ(row.style, e.style) << e.name;
    EXPECT_EQ(row.x, e.x) << e.name;
    EXPECT_EQ(row.y, e.y) << e.name;
    if (e.width) EXPECT_EQ(resolveExtent(row.width, kOptionsClientWidth), resolve(e.width, kOptionsClientWidth)) << e.name;
    if (e.height)
      EXPECT_EQ(resolveExtent(row.height, kOptionsClientHeight), resolve(e.height, kOptionsClientHeight)) << e.name;
    EXPECT_EQ(row.id, e.id) << e.name;
    EXPECT_EQ(row.page, e.page == -1 ? kAllPages : e.page) << e.name;
    EXPECT_EQ(row.uiFont, e.uiFont) << e.name;
  }
}

TEST(OptionsControls, OnlyTheOptionsPageAndTheTabsStartVisible) {
  const unsigned long kVisibleStyle = 0x10000000;
  for (int c = 0; c < kOptionsControlCount; ++c) {
    const ControlLayout& row = kOptionsControls[c];
    EXPECT_EQ((row.style & kVisibleStyle) != 0, row.page == 0 || row.page == kAllPages) << "control " << c;
  }
}

// The last row lies above the Hotkeys page's buttons at 96 and 144 DPI, with the buttons where they always
// were; no control changes its size.
TEST(OptionsControls, LastHotkeyRowFitsAboveTheButtons) {
  const ControlLayout& lastRow = kOptionsControls[hotkeyCtrlRow(kActionCount - 1)];
  for (int dpi : {96, 144}) {
    const int w = scaleForDpi(kOptionsClientWidth, dpi), h = scaleForDpi(kOptionsClientHeight, dpi);
    const ControlRect r = controlRectAt(lastRow, w, h, dpi);
    for (int c : {kApplyButton, kHotkeyDefaultsButton})
      EXPECT_LT(r.y + r.height, controlRectAt(kOptionsControls[c], w, h, dpi).y) << dpi;
  }
  for (int c : {kApplyButton, kHotkeyDefaultsButton}) {
    const ControlLayout& b = kOptionsControls[c];
    EXPECT_EQ(b.y, 330) << c;
    EXPECT_EQ(resolveExtent(b.width, 0), 80) << c;
    EXPECT_EQ(resolveExtent(b.height, 0), 24) << c;
  }
  EXPECT_EQ(kOptionsWidth, 300);
  EXPECT_EQ(kOptionsHeight, 425);
}

// The magnifier's and the sample's lists lie in a row of their own below the Options page's buttons, inside
// the client area, each after its label.
TEST(OptionsControls, MagnifierAndSampleListsHaveARowBelowTheButtons) {
  const int buttonsBottom = kOptionsControls[kFontButton].y + resolveExtent(kOptionsControls[kFontButton].height, 0);
  int right = 0;
  for (int c : {kMagnifierLabel, kMagnifierCombo, kSampleLabel, kSampleCombo}) {
    const ControlLayout& row = kOptionsControls[c];
    EXPECT_EQ(row.page, 0) << c;
    EXPECT_GT(row.y, buttonsBottom) << c;
    EXPECT_GE(row.x, right) << c << " overlaps the control before it";
    right = row.x + resolveExtent(row.width, 0);
    EXPECT_LE(right, kOptionsClientWidth) << c;
    EXPECT_LE(row.y + 24, kOptionsClientHeight) << c;  // a closed list is about 21 pixels high
  }
  EXPECT_EQ(kOptionsControls[kMagnifierCombo].id, kIdMagnifierCombo);
  EXPECT_EQ(kOptionsControls[kSampleCombo].id, kIdSampleCombo);
}

TEST(OptionsControls, ExtentsFixedOrFromTheClientArea) {
  EXPECT_EQ(resolveExtent(fixed(160), 294), 160);
  EXPECT_EQ(resolveExtent(clientLess(0), 294), 294);
  EXPECT_EQ(resolveExtent(clientLess(30), 296), 266);
  EXPECT_EQ(resolveExtent(kOptionsControls[kCreditsLabel].width, 294), 180);
  EXPECT_EQ(resolveExtent(kOptionsControls[kHelpView].height, 300), 270);
}

// The dialog manager clicks the first control after the focus whose mnemonic matches: on the
// Options page, a letter used twice would take one control's key away from the other.
TEST(OptionsControls, MnemonicsAreUniqueOnTheOptionsPage) {
  std::string letters;
  int found = 0;
  for (const ControlLayout& row : kOptionsControls) {
    if (row.page != 0 || !row.text) continue;
    const char* amp = std::strchr(row.text, '&');
    if (!amp || !amp[1]) continue;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(amp[1])));
    EXPECT_EQ(letters.find(letter), std::string::npos) << row.text;
    letters += letter;
    ++found;
  }
  EXPECT_EQ(found, 15);  // ten notation radios, "&Font", "Co&lor", "Default&s", "Ma&gnifier" and "Sa&mple"
}

TEST(Notation, CommandIdToFormatIndex) {
  const int cases[][2] = {{10, 0}, {11, 1}, {12, 2}, {13, 4}, {14, 5}, {15, 3}, {16, 6}, {50, 7},  {51, 8},
                          {52, 9}, {53, 10}, {54, 11}, {9, -1}, {17, -1}, {0, -1}, {-5, -1}, {40, -1}, {49, -1},
                          {55, -1}, {20, -1}, {21, -1}, {22, -1}};
  for (const auto& c : cases) EXPECT_EQ(formatIndexOfCommand(c[0]), c[1]) << "id " << c[0];
}

TEST(Opacity, EveryScrollRequestAtAndBetweenTheLimits) {
  struct Case { int request, thumb, current, expected; };
  const Case cases[] = {
      {kLineLeft, 0, 100, 100},     {kPageLeft, 0, 100, 100},    {kLineLeft, 0, 85, 86},
      {kPageLeft, 0, 99, 100},      {kLineRight, 0, 70, 70},     {kPageRight, 0, 70, 70},
      {kLineRight, 0, 85, 84},      {kPageRight, 0, 71, 70},     {kThumbTrack, 12, 100, 88},
      {kThumbPosition, 12, 70, 88}, {kThumbTrack, 0, 80, 100},   {kThumbPosition, 30, 100, 70},
      {kLeftEnd, 0, 70, 100},       {kRightEnd, 0, 100, 70},     {kEndScroll, 17, 93, 93},
      {9, 0, 77, 77},               {-1, 0, 77, 77},
      // Thumb positions past the scroll range stay within the valid opacities.
      {kThumbTrack, 31, 100, 70},   {kThumbTrack, 65535, 100, 70},
  };
  for (const Case& c : cases)
    EXPECT_EQ(opacityAfterScroll(c.request, c.thumb, c.current), c.expected)
        << "request " << c.request << " thumb " << c.thumb << " from " << c.current;
}

TEST(Opacity, LabelShowsTheTransparency) {
  const struct { int opacity; const char* text; } cases[] = {{100, "0%"}, {88, "12%"}, {70, "30%"}, {99, "1%"}};
  for (const auto& c : cases) {
    char text[8];
    std::memset(text, 'x', sizeof text);
    formatTransparencyText(c.opacity, text);
    EXPECT_STREQ(text, c.text) << c.opacity;
    EXPECT_EQ(transparencyOf(c.opacity), std::stoi(c.text)) << c.opacity;
  }
}

TEST(OptionsLayout, AtNinetySixDotsEveryControlIsWhereTheTableSays) {
  for (int c = 0; c < kOptionsControlCount; ++c) {
    const ControlLayout& row = kOptionsControls[c];
    const ControlRect r = controlRectAt(row, kOptionsClientWidth, kOptionsClientHeight, 96);
    EXPECT_EQ(r.x, row.x) << "control " << c;
    EXPECT_EQ(r.y, row.y) << "control " << c;
    EXPECT_EQ(r.width, resolveExtent(row.width, kOptionsClientWidth)) << "control " << c;
    EXPECT_EQ(r.height, resolveExtent(row.height, kOptionsClientHeight)) << "control " << c;
  }
}

TEST(OptionsLayout, ScaledLikeTheBoxFontAndKeptInsideTheClientArea) {
  struct Case { int control, clientWidth, clientHeight, dpi; ControlRect rect; };
  const Case cases[] = {
      {kFontButton, 441, 563, 144, {23, 495, 120, 36}},    // 22.5 rounds up, as a font height would
      {kBoxDefaultsButton, 441, 563, 144, {293, 495, 120, 36}},
      {kFontButton, 588, 750, 192, {30, 660, 160, 48}},
      {kFontButton, 368, 469, 120, {19, 413, 100, 30}},
      {kTabCtrl, 441, 563, 144, {0, 0, 441, 563}},         // the client area's own size, not a scaled one
      {kHelpView, 441, 563, 144, {0, 45, 441, 518}},
      {kHelpView, 450, 470, 144, {0, 45, 450, 425}},
      {kAboutLabel, 441, 563, 144, {191, 57, 250, 225}},   // 291 wide in the table's terms: cut at the right
      {kAboutLabel, 294, 375, 96, {127, 38, 194, 150}},    // as it always was at 96 DPI, past the right edge
      {kCreditsLabel, 441, 563, 144, {146, 371, 270, 146}},
      {kCreditsLabel, 441, 458, 144, {146, 371, 270, 87}},  // a client area shorter than the table's: cut at the bottom
      {kProgramIconStatic, 441, 563, 144, {83, 68, 48, 48}},
      {kToolIconStatic, 588, 750, 192, {110, 394, 64, 64}},
      {kTemplateCombo, 441, 563, 144, {60, 306, 315, 108}},
  };
  for (const Case& c : cases) {
    const ControlRect r = controlRectAt(kOptionsControls[c.control], c.clientWidth, c.clientHeight, c.dpi);
    EXPECT_EQ(r.x, c.rect.x) << "control " << c.control << " at " << c.dpi;
    EXPECT_EQ(r.y, c.rect.y) << "control " << c.control << " at " << c.dpi;
    EXPECT_EQ(r.width, c.rect.width) << "control " << c.control << " at " << c.dpi;
    EXPECT_EQ(r.height, c.rect.height) << "control " << c.control << " at " << c.dpi;
  }
  for (int dpi : {120, 144, 168, 192, 240, 288}) {
    const int w = scaleForDpi(kOptionsClientWidth, dpi), h = scaleForDpi(kOptionsClientHeight, dpi);
    for (int c = 0; c < kOptionsControlCount; ++c) {
      const ControlRect r = controlRectAt(kOptionsControls[c], w, h, dpi);
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= w && r.y + r.height <= h)
          << "control " << c << " at " << dpi << ": " << r.x << "," << r.y << " " << r.width << "x" << r.height;
      EXPECT_GT(r.width, 0) << "control " << c << " at " << dpi;
      EXPECT_GT(r.height, 0) << "control " << c << " at " << dpi;
    }
  }
}

TEST(OptionsLayout, TheThreeAboutIconsAreTheIconStatics) {
  std::string icons;
  for (const ControlLayout& row : kOptionsControls)
    if (showsIcon(row)) icons += std::string(row.text) + " ";
  EXPECT_EQ(icons, "TLICON QNICON DTICON ");
  EXPECT_EQ(kAboutIconCount, 3);
}
