// The contrast form in the real program: the ratio between the last colour copied or fixed and the colour
// under the pointer, its reference, its look, its store and its hotkey-free action.
#include <string>

#include "harness.h"

#include "app/action_table.h"
#include "app/gdi.h"
#include "app/names.h"
#include "app/state.h"
#include "box/box.h"
#include "box/dpi_scale.h"
#include "settings/settings.h"

namespace {

const RECT kTarget = {200, 200, 400, 400};

void action(int a) { SendMessageA(app.boxWnd, WM_HOTKEY, a, 0); }
void command(int id) { SendMessageA(app.boxWnd, WM_COMMAND, id, 0); }
std::string boxText() { return windowText(app.boxTextWnd); }

// The colour under the pointer turned into `c`, and taken by the box.
void pointAt(ColorWindow& target, COLORREF c) {
  target.setColor(c);
  ASSERT_TRUE(pumpUntil([c] { return settings.pickedColor == c; })) << std::hex << c;
}

bool showsText(const std::string& text) {
  return pumpUntil([&] { return boxText() == text; }, 2000);
}

COLORREF colorRefOf(DWORD rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

struct ContrastFixture : ::testing::Test {
  ColorWindow target{kTarget, RGB(0x77, 0x77, 0x77)};
  void SetUp() override {
    clearSettings();
    SetCursorPos(300, 300);
    startTintlet();
    ASSERT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(0x77, 0x77, 0x77); }));
    action(kActionContrast);
    ASSERT_EQ(settings.form, BoxForm::contrast);
  }
};

}  // namespace

// Each pair: the reference copied from the painted window, then the window painted in the other colour.
// The pairs lie just under and just over 3, 4.5 and 7, and at both ends.
TEST_F(ContrastFixture, ShowsTheRatioAndGradeOfEachPaintedPair) {
  struct Case { DWORD reference, under; const char* text; };
  const Case cases[] = {
      {0x000000, 0xFFFFFF, "21.00:1 AAA"}, {0xFFFFFF, 0x000000, "21.00:1 AAA"}, {0x777777, 0x777777, "1.00:1 Fail"},
      {0x666666, 0x1B1B1B, "2.99:1 Fail"}, {0x242424, 0x6D6D6D, "3.00:1 Large"}, {0xEFEFEF, 0x6D6D6D, "4.49:1 Large"},
      {0x282828, 0x8E8E8E, "4.50:1 AA"},   {0xBEBEBE, 0x313131, "6.99:1 AA"},    {0xB5B5B5, 0x2A2A2A, "7.00:1 AAA"},
      {0x33642C, 0x000000, "2.99:1 Fail"}, {0x000000, 0x960FB1, "3.00:1 Large"}, {0x458301, 0x000000, "4.49:1 Large"},
      {0x000000, 0x9D5D9F, "4.50:1 AA"},   {0xE969A1, 0x000000, "6.99:1 AA"},    {0x000000, 0x989A30, "7.00:1 AAA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_NO_FATAL_FAILURE(pointAt(target, colorRefOf(c.reference)));
    action(kActionCopy);
    ASSERT_EQ(settings.history.colors[0], colorRefOf(c.reference));
    ASSERT_NO_FATAL_FAILURE(pointAt(target, colorRefOf(c.under)));
    EXPECT_TRUE(showsText(c.text)) << boxText();
  }
  EXPECT_EQ(exitTintlet(), 0);
}

// A copy in the contrast form copies the colour under the pointer, which becomes the next reference; Fix
// color and a History entry make their colour the reference too, and an empty history compares with white.
TEST_F(ContrastFixture, TheReferenceFollowsEachCopyFixAndTheHistory) {
  EXPECT_TRUE(showsText("4.47:1 Large")) << "777777 on white: " << boxText();
  action(kActionCopy);
  EXPECT_EQ(clipboardText(), "#777777");
  EXPECT_TRUE(showsText("1.00:1 Fail")) << boxText();
  ASSERT_NO_FATAL_FAILURE(pointAt(target, RGB(0, 0, 0)));
  EXPECT_TRUE(showsText("4.68:1 AA")) << "black against 777777: " << boxText();

  // Fixed, the colour under the pointer stays black and is the reference too.
  action(kActionFixColor);
  EXPECT_TRUE(showsText("1.00:1 Fail")) << boxText();
  target.setColor(RGB(0xFF, 0xFF, 0xFF));
  pumpFor(100);
  EXPECT_EQ(boxText(), "1.00:1 Fail");
  action(kActionFixColor);
  EXPECT_TRUE(showsText("21.00:1 AAA")) << "white against black: " << boxText();

  // The older entry copied from the History submenu moves to the front.
  ASSERT_EQ(settings.history.count, 2);
  command(kCmdFirstHistory + 1);
  EXPECT_EQ(settings.history.colors[0], RGB(0x77, 0x77, 0x77));
  EXPECT_TRUE(showsText("4.47:1 Large")) << boxText();

  command(kCmdClearHistory);
  EXPECT_TRUE(showsText("1.00:1 Fail")) << "white against white: " << boxText();
  EXPECT_EQ(exitTintlet(), 0);
}

// The ratio is worked out when a colour changes, not at every tick nor at every redraw.
TEST_F(ContrastFixture, TheRatioIsWorkedOutOnlyWhenAColourChanges) {
  ASSERT_TRUE(showsText("4.47:1 Large"));
  const int before = contrastLinesComposedSoFar();
  pumpFor(300);
  setForm(BoxForm::contrast);  // lays the box out and redraws it: the same pair
  InvalidateRect(app.boxWnd, nullptr, TRUE);
  pumpFor(100);
  EXPECT_EQ(contrastLinesComposedSoFar(), before);
  EXPECT_EQ(boxText(), "4.47:1 Large");

  ASSERT_NO_FATAL_FAILURE(pointAt(target, RGB(0, 0, 0)));  // the colour under the pointer changes
  EXPECT_TRUE(showsText("21.00:1 AAA"));
  EXPECT_EQ(contrastLinesComposedSoFar(), before + 1);
  action(kActionCopy);  // the reference changes
  EXPECT_TRUE(showsText("1.00:1 Fail"));
  EXPECT_EQ(contrastLinesComposedSoFar(), before + 2);
  pumpFor(200);
  EXPECT_EQ(contrastLinesComposedSoFar(), before + 2);

  // The other forms never work it out.
  action(kActionContrast);
  ASSERT_NO_FATAL_FAILURE(pointAt(target, RGB(0xFF, 0xFF, 0xFF)));
  pumpFor(100);
  EXPECT_EQ(boxText(), "FFFFFF");
  EXPECT_EQ(contrastLinesComposedSoFar(), before + 2);
  EXPECT_EQ(exitTintlet(), 0);
}

// "Aa" in the reference colour on a swatch of the colour under the pointer, outlined so that it shows when
// both colours are one; the line has room for the widest text, also at 144 DPI.
TEST_F(ContrastFixture, TheSwatchShowsBothColoursAndTheLineFitsTheWidestText) {
  struct Case { COLORREF reference, under, outline; };
  const Case cases[] = {
      {RGB(0xFA, 0xDC, 0x1E), RGB(0x05, 0x0C, 0xFF), RGB(0, 0, 0)},
      {RGB(0x77, 0x77, 0x77), RGB(0x77, 0x77, 0x77), RGB(0, 0, 0)},
      {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.reference << " on " << c.under);
    ASSERT_NO_FATAL_FAILURE(pointAt(target, c.reference));
    action(kActionCopy);
    ASSERT_NO_FATAL_FAILURE(pointAt(target, c.under));
    // Painted in the tick that composes the pair's line; a still pointer's tick comes only every 50 ms.
    ASSERT_TRUE(pumpUntil([&] {
      return boxState.contrastComposed && boxState.contrastReference == c.reference &&
             boxState.contrastPicked == c.under;
    }));
    WindowDC box(app.boxWnd);
    const RECT& s = boxState.swatchRect;
    int under = 0, reference = 0, outline = 0, other = 0;
    for (int y = s.top; y < s.bottom; ++y)
      for (int x = s.left; x < s.right; ++x) {
        const COLORREF p = GetPixel(box.dc, x, y);
        if (p == c.under) ++under;
        else if (p == c.reference) ++reference;
        else if (p == c.outline) ++outline;
        else ++other;
      }
    const int area = (s.right - s.left) * (s.bottom - s.top);
    EXPECT_GT(under, area / 2);
    if (c.reference != c.under) EXPECT_GT(reference, 4);
    EXPECT_GT(outline, 8);
    EXPECT_EQ(under + reference + outline + other, area);
  }

  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    RECT suggested;
    GetWindowRect(app.boxWnd, &suggested);
    SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pumpFor(50);
    WindowDC dc(app.boxTextWnd);
    SelectedObject font(dc.dc, app.boxFont);
    SIZE widest = {};
    GetTextExtentPoint32A(dc.dc, "21.00:1 AAA", 11, &widest);
    RECT text;
    GetClientRect(app.boxTextWnd, &text);
    EXPECT_LE(widest.cx, text.right) << "the line is " << text.right << " wide";
    EXPECT_EQ(boxState.boxHeight, 2 * app.lineHeight + 4);
  }
  EXPECT_EQ(exitTintlet(), 0);
}

// The form is stored as "display2" = 3 and comes back at the next start, with the stored history's
// newest colour as the reference.
TEST(ContrastForm, SurvivesARestartWithTheStoredHistoryAsReference) {
  clearSettings();
  ColorWindow target(kTarget, RGB(0x28, 0x28, 0x28));
  SetCursorPos(300, 300);
  EXPECT_EQ(runInNewProcess("ContrastForm.DISABLED_TakesTheContrastFormAndCopies"), 0u);
  EXPECT_EQ(storedBytes("display2"), std::string("3", 2));
  EXPECT_EQ(storedBytes("history"), std::string("282828", 7));
  target.setColor(RGB(0x8E, 0x8E, 0x8E));
  EXPECT_EQ(runInNewProcess("ContrastForm.DISABLED_StartsInTheContrastForm"), 0u);
}

TEST(ContrastForm, DISABLED_TakesTheContrastFormAndCopies) {
  startTintlet();
  ASSERT_TRUE(pumpUntil([] { return settings.pickedColor == RGB(0x28, 0x28, 0x28); }));
  action(kActionContrast);
  action(kActionCopy);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(ContrastForm, DISABLED_StartsInTheContrastForm) {
  startTintlet();
  EXPECT_EQ(settings.form, BoxForm::contrast);
  EXPECT_TRUE(showsText("4.50:1 AA")) << boxText();
  EXPECT_EQ(GetMenuState(app.trayMenu, kCmdContrast, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_EQ(exitTintlet(), 0);
}
