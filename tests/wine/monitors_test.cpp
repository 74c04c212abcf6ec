// The box on the monitor under the pointer, at the DPI of that monitor, in the real program.
// This display has one monitor; layouts of several are covered by the native tests of the pure rules.
#include "harness.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/box_dpi.h"
#include "box/box_geometry.h"
#include "options/options.h"
#include "options/options_tables.h"

namespace {

const RECT kPatternRect = {200, 200, 400, 400};

// Every pixel of the pattern a colour of its own, told by its screen position.
COLORREF patternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x5A); }

void paintPattern(HDC dc, RECT r) {
  paintPixels(dc, r.right, r.bottom, [](int x, int y) {
    const int sx = kPatternRect.left + x, sy = kPatternRect.top + y;
    return DWORD(((sx & 0xFF) << 16) | ((sy & 0xFF) << 8) | 0x5A);
  });
}

std::string hexOf(COLORREF c) {
  char text[7];
  std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

int fontHeight(HFONT font) {
  LOGFONTA f = {};
  return GetObjectA(font, sizeof f, &f) ? f.lfHeight : 0;
}

// What the box's own measurement gives for the box font at `height`, that font put in for a moment.
SIZE measuredWith(int height) {
  LOGFONTA font = settings.boxLogFont;
  font.lfHeight = height;
  const HFONT shown = app.boxFont;
  app.boxFont = CreateFontIndirectA(&font);
  SIZE m;
  {
    WindowDC dc(app.boxWnd);
    m = measureDigits(dc.dc);
  }
  DeleteObject(app.boxFont);
  app.boxFont = shown;
  return m;
}

// The box, its text line and its window are laid out for the box font at `height`.
void expectLaidOutFor(int height, int dpi) {
  EXPECT_EQ(fontHeight(app.boxFont), height);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.boxTextWnd, WM_GETFONT, 0, 0)), app.boxFont);
  const SIZE m = measuredWith(height);
  EXPECT_EQ(app.lineHeight, m.cy) << "font height " << height;
  EXPECT_EQ(app.boxWidth, boxWidthFor(m.cx, dpi)) << "font height " << height;
  RECT box, text;
  GetWindowRect(app.boxWnd, &box);
  GetWindowRect(app.boxTextWnd, &text);
  EXPECT_EQ(box.right - box.left, app.boxWidth);
  EXPECT_EQ(box.bottom - box.top, boxState.boxHeight);
  EXPECT_EQ(text.bottom - text.top, app.lineHeight);
}

// The pointer at `p` on the pattern: the box picks that very pixel, shows it in its text and its swatch,
// and sits 12 pixels right of and below it.
void expectPixelUnderThePointer(POINT p) {
  SetCursorPos(p.x, p.y);
  const COLORREF want = patternAt(p.x, p.y);
  ASSERT_TRUE(pumpUntil([&] { return settings.pickedColor == want; })) << p.x << "," << p.y << " shows " << std::hex
                                                                   << settings.pickedColor << " not " << want;
  pumpFor(30);
  EXPECT_EQ(windowText(app.boxTextWnd), hexOf(want));
  RECT box;
  GetWindowRect(app.boxWnd, &box);
  EXPECT_EQ(box.left, p.x + 12);
  EXPECT_EQ(box.top, p.y + 12);
  WindowDC screen(GetDesktopWindow());
  EXPECT_EQ(GetPixel(screen.dc, box.left + boxState.swatchRect.left + 2, box.top + boxState.swatchRect.top + 2), want);
}

// ---- The Options window and the magnifier at a DPI ----

int iconSide(HWND iconStatic) {
  const HICON icon = reinterpret_cast<HICON>(SendMessageA(iconStatic, STM_GETICON, 0, 0));
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bits = {};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bits.bmWidth;
}

int textHeight(HFONT font) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.dc, font);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen.dc, &metrics);
  return metrics.tmHeight;
}

// The text height of the Options window's 96-DPI font, Tahoma at -11.
int textHeightAt96() {
  LOGFONTA font;
  initDefaultLogFont(&font);
  const HFONT made = CreateFontIndirectA(&font);
  const int h = textHeight(made);
  DeleteObject(made);
  return h;
}

// The Help view's zoom ratio: numerator and denominator.
std::pair<int, int> helpZoom() {
  int numerator = -1, denominator = -1;
  SendMessageA(optionsControls[kHelpView], EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator));
  return {numerator, denominator};
}

// The height of the Help text's first line, "Tintlet 2.51" in 12-point Arial, as the view lays it out.
int firstHelpLineHeight() {
  selectTab(2);
  POINTL first = {}, second = {};
  SendMessageA(optionsControls[kHelpView], EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  SendMessageA(optionsControls[kHelpView], EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second),
               SendMessageA(optionsControls[kHelpView], EM_LINEINDEX, 1, 0));
  selectTab(0);
  return second.y - first.y;
}

HWND* const kBottomButtons[] = {&optionsControls[kFontButton], &optionsControls[kColorButton], &optionsControls[kBoxDefaultsButton], &optionsControls[kApplyButton],
                                &optionsControls[kHotkeyDefaultsButton]};

// The Options window laid out for 144 DPI in a client area of at least 441 x 457: every control inside it,
// the bottom buttons 36 high, the text 1.5 times as high, the About icons 48 pixels, the Help text zoomed.
void expectOptionsAt144(int helpZoomNumerator, int helpZoomDenominator) {
  RECT client;
  GetClientRect(app.optionsWnd, &client);
  EXPECT_GE(client.right, 441);
  EXPECT_GE(client.bottom, 457);
  const std::vector<HWND> children = optionsChildren();
  EXPECT_EQ(children.size(), static_cast<size_t>(kOptionsControlCount));
  for (HWND c : children) {
    const RECT r = rectInOptions(c);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << "control " << GetDlgCtrlID(c) << " \"" << windowText(c) << "\" at " << r.left << "," << r.top << " to "
        << r.right << "," << r.bottom << " in " << client.right << " x " << client.bottom;
  }
  for (HWND* button : kBottomButtons) {
    const RECT r = rectInOptions(*button);
    EXPECT_GE(r.bottom - r.top, 36) << windowText(*button);
    EXPECT_GE(r.top, rectInOptions(optionsControls[kPercentLabel]).bottom) << windowText(*button);  // below the rest of the page
  }
  LOGFONTA ui = {}, link = {};
  GetObjectA(app.uiFont, sizeof ui, &ui);
  GetObjectA(app.linkFont, sizeof link, &link);
  EXPECT_NEAR(ui.lfHeight, 1.5 * -11, 1);
  EXPECT_NEAR(link.lfHeight, 1.5 * -11, 1);
  EXPECT_EQ(link.lfUnderline, 1);
  EXPECT_NEAR(textHeight(app.uiFont), 1.5 * textHeightAt96(), 1);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(optionsControls[kFontButton], WM_GETFONT, 0, 0)), app.uiFont);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(optionsControls.hotkeyLabel(8), WM_GETFONT, 0, 0)), app.uiFont);
  for (HWND icon : {optionsControls[kProgramIconStatic], optionsControls[kMakerIconStatic], optionsControls[kToolIconStatic]}) {
    EXPECT_EQ(iconSide(icon), 48);
    const RECT r = rectInOptions(icon);
    EXPECT_EQ(r.right - r.left, 48);
  }
  EXPECT_EQ(helpZoom(), std::make_pair(helpZoomNumerator, helpZoomDenominator));
  EXPECT_GE(firstHelpLineHeight(), 12 * 144 / 72);  // 12 points at 144 DPI
}

// Pixels of the box's magnifier that do not show the pattern around `p` in cells `cell` pixels a side: the
// square starts at (2, h + 2), 13 cells a side, the pointer's pixel in the middle one.
int wrongCellPixels(POINT p, int cell) {
  WindowDC box(app.boxWnd);
  int wrong = 0;
  for (int sy = 0; sy < 13 * cell; ++sy) {
    for (int sx = 0; sx < 13 * cell; ++sx) {
      const COLORREF want = patternAt(p.x + sx / cell - 6, p.y + sy / cell - 6);
      if (GetPixel(box.dc, 2 + sx, app.lineHeight + 2 + sy) != want) ++wrong;
    }
  }
  return wrong;
}

// In the zoom form, with the pointer at `p` on the pattern, the box shows cells `cell` pixels a side, and the
// swatch starts just right of them.
void expectZoomCells(POINT p, int cell) {
  SetCursorPos(p.x, p.y);
  EXPECT_TRUE(pumpUntil([&] { return wrongCellPixels(p, cell) == 0; })) << wrongCellPixels(p, cell) << " wrong pixels";
  pumpFor(30);
  EXPECT_EQ(wrongCellPixels(p, cell), 0);
  EXPECT_EQ(boxState.swatchRect.left, 13 * cell + 4);
  RECT box;
  GetWindowRect(app.boxWnd, &box);
  EXPECT_EQ(box.bottom - box.top, app.lineHeight + 13 * cell + 4);
  WindowDC dc(app.boxWnd);
  EXPECT_EQ(GetPixel(dc.dc, 13 * cell + 2, app.lineHeight + 2 + cell), settings.baseColor);  // between square and swatch
}

// The stored font height, a decimal text; INT_MIN when there is none.
int storedFontHeight() {
  char text[16] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "fontheight", RRF_RT_REG_SZ, nullptr, text, &size))
    return INT_MIN;
  return std::atoi(text);
}

// Runs one test in a new process started with the prefix at `dpi`; returns its exit code.
DWORD runAtPrefixDpi(DWORD dpi, const char* test) {
  PrefixDpi prefix(dpi);
  return runInNewProcess(test);
}

typedef BOOL(WINAPI* QueryActCtxSettingsFn)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);

// A setting of the manifest in the executable at `path`, read the way the loader reads it.
std::wstring manifestSetting(const std::string& path, const wchar_t* ns, const wchar_t* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW");
  auto query = reinterpret_cast<QueryActCtxSettingsFn>(reinterpret_cast<void (*)()>(found));
  if (!query) return L"(no QueryActCtxSettingsW)";
  ACTCTXA context = {};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = path.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE ctx = CreateActCtxA(&context);
  if (ctx == INVALID_HANDLE_VALUE) return L"(no manifest)";
  wchar_t value[256] = {};
  SIZE_T written = 0;
  const bool ok = query(0, ctx, ns, name, value, 256, &written) != FALSE;
  ReleaseActCtx(ctx);
  return ok ? value : L"(not set)";
}

}  // namespace

TEST(Monitors, TheOneMonitorIsTheWholeScreenAsBefore) {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  ASSERT_EQ(desktop.right - desktop.left, 1024);
  // Off the screen too: the nearest monitor is this one.
  for (POINT p : {POINT{300, 300}, POINT{0, 0}, POINT{1023, 767}, POINT{-50, -40}, POINT{2000, 300}}) {
    const RECT r = screenRectAt(p);
    EXPECT_TRUE(EqualRect(&r, &desktop)) << p.x << "," << p.y << ": " << r.left << " " << r.top << " " << r.right
                                         << " " << r.bottom;
  }
}

TEST(Monitors, OptionsWindowIsCentredOnThePointersMonitor) {
  clearSettings();
  SetCursorPos(900, 700);
  startTintlet();
  WINDOWPLACEMENT place = {};
  place.length = sizeof place;
  ASSERT_TRUE(GetWindowPlacement(app.optionsWnd, &place));
  const RECT& r = place.rcNormalPosition;
  EXPECT_EQ(r.left, (1024 - kOptionsWidth) / 2);
  EXPECT_EQ(r.top, (768 - kOptionsHeight) / 2);
  EXPECT_EQ(r.right - r.left, kOptionsWidth);
  EXPECT_EQ(r.bottom - r.top, kOptionsHeight);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Dpi, ManifestDeclaresPerMonitorAwareness) {
  const std::string exe = windowsPath(TINTLET_EXE);
  EXPECT_EQ(manifestSetting(exe, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(manifestSetting(exe, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
}

TEST(Dpi, AtNinetySixDotsTheBoxIsAsStoredAndANewMonitorDpiLaysItOutAgain) {
  clearSettings();
  ColorWindow pattern(kPatternRect, paintPattern);
  SetCursorPos(300, 300);
  startTintlet();
  ASSERT_EQ(systemDpi(), 96);
  ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer({300, 300}));
  expectLaidOutFor(-11, 96);  // the stored height itself
  const int width96 = app.boxWidth, height96 = boxState.boxHeight, line96 = app.lineHeight;
  ASSERT_GT(measuredWith(-17).cy, line96);  // the check below can tell the two apart

  // The system moved the box to a monitor of 144 DPI.
  RECT suggested = {312, 312, 312 + width96, 312 + height96};
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-17, 144);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer({250, 380}));

  // Restoring the look lays the box out for the same monitor.
  SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);
  expectLaidOutFor(-17, 144);
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-14, 120);

  // Back on a monitor of 96 DPI: the box of the start again.
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-11, 96);
  EXPECT_EQ(app.boxWidth, width96);
  EXPECT_EQ(boxState.boxHeight, height96);
  EXPECT_EQ(app.lineHeight, line96);
  ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer({399, 201}));
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedFontHeight(), -11);
}

// Run by the next test in a process started with the prefix at 144 DPI.
TEST(Dpi, DISABLED_ProgramAtTheSystemDpiOf144) {
  ASSERT_EQ(systemDpi(), 144) << "the prefix's LogPixels did not reach this process";
  ColorWindow pattern(kPatternRect, paintPattern);
  SetCursorPos(301, 297);
  startTintlet();
  expectLaidOutFor(-17, 144);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  EXPECT_GT(app.lineHeight, measuredWith(-11).cy);
  for (POINT p : {POINT{301, 297}, POINT{250, 380}, POINT{399, 200}, POINT{200, 399}})
    ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer(p));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Dpi, TheProgramAtTheSystemDpiOf144ScalesItsTextAndReadsThePixelUnderThePointer) {
  clearSettings();
  EXPECT_EQ(runAtPrefixDpi(144, "Dpi.DISABLED_ProgramAtTheSystemDpiOf144"), 0u);
  EXPECT_EQ(storedFontHeight(), -11);  // written at exit as stored, not as shown
}

TEST(Dpi, OptionsWindowAndMagnifierFollowANewMonitorDpiAndComeBack) {
  clearSettings();
  ColorWindow pattern(kPatternRect, paintPattern);
  SetCursorPos(301, 297);
  startTintlet();
  ASSERT_EQ(systemDpi(), 96);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionOptions, 0);
  pumpFor(100);
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  RECT frame96, client96;
  GetWindowRect(app.optionsWnd, &frame96);
  GetClientRect(app.optionsWnd, &client96);
  ASSERT_EQ(client96.right, kOptionsClientWidth);
  ASSERT_EQ(client96.bottom, kOptionsClientHeight);
  const HICON sharedIcon = reinterpret_cast<HICON>(SendMessageA(optionsControls[kProgramIconStatic], STM_GETICON, 0, 0));
  const int helpLine96 = firstHelpLineHeight();
  EXPECT_LT(helpLine96, 12 * 144 / 72);

  // Moved to a monitor of 144 DPI: the window takes the rectangle the system suggests and is laid out in it.
  const int frameW = frame96.right - frame96.left - client96.right, frameH = frame96.bottom - frame96.top - client96.bottom;
  RECT suggested = {100, 50, 100 + 441 + frameW, 50 + 600 + frameH};  // 294 x 400 at 1.5 times
  SendMessageA(app.optionsWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT now;
  GetWindowRect(app.optionsWnd, &now);
  EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
  expectOptionsAt144(144, 96);
  const RECT font144 = rectInOptions(optionsControls[kFontButton]);
  EXPECT_EQ(font144.left, 23);
  EXPECT_EQ(font144.top, 495);
  EXPECT_EQ(font144.right - font144.left, 120);
  // The link labels are fitted to their texts in the new font.
  SIZE extent = {};
  {
    WindowDC screen(nullptr);
    SelectedObject selected(screen.dc, app.uiFont);
    GetTextExtentPoint32A(screen.dc, makerLinkText(), static_cast<int>(std::strlen(makerLinkText())), &extent);
  }
  const RECT maker = rectInOptions(optionsControls[kMakerLink]);
  EXPECT_EQ(maker.right - maker.left, extent.cx);
  EXPECT_EQ(maker.left, 191);

  // The box on the same monitor: its magnifier's cells are 3 pixels.
  SendMessageA(app.optionsWnd, WM_CLOSE, 0, 0);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0);
  RECT boxSuggested = {0, 0, 10, 10};
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&boxSuggested));
  expectZoomCells({301, 297}, 3);
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&boxSuggested));
  expectZoomCells({250, 380}, 4);

  // Back at 96 DPI: the magnifier as it was. The Options window, closed meanwhile, stays closed and opens where
  // it was, at its 96-DPI size, with its controls, fonts and icons as they were.
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&boxSuggested));
  expectZoomCells({301, 297}, 2);
  SendMessageA(app.optionsWnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&frame96));
  pumpFor(50);
  EXPECT_FALSE(IsWindowVisible(app.optionsWnd));
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionOptions, 0);
  pumpFor(100);
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  GetWindowRect(app.optionsWnd, &now);
  const RECT reopened = {100, 50, 100 + frame96.right - frame96.left, 50 + frame96.bottom - frame96.top};
  EXPECT_TRUE(EqualRect(&now, &reopened)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
  for (int c = 0; c < kOptionsControlCount; ++c) {
    const ControlLayout& row = kOptionsControls[c];
    if (c == kMakerLink || c == kToolLink) continue;  // fitted to their texts
    const RECT r = rectInOptions(optionsChildren()[c]);
    EXPECT_EQ(r.left, row.x) << "control " << c;
    EXPECT_EQ(r.top, row.y) << "control " << c;
    EXPECT_EQ(r.right - r.left, resolveExtent(row.width, kOptionsClientWidth)) << "control " << c;
    // A combo box's height in the table includes its drop-down list.
    if (std::strcmp(row.className, "COMBOBOX") != 0)
      EXPECT_EQ(r.bottom - r.top, resolveExtent(row.height, kOptionsClientHeight)) << "control " << c;
  }
  LOGFONTA ui = {};
  GetObjectA(app.uiFont, sizeof ui, &ui);
  EXPECT_EQ(ui.lfHeight, -11);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(optionsControls[kProgramIconStatic], STM_GETICON, 0, 0)), sharedIcon);
  EXPECT_EQ(iconSide(optionsControls[kToolIconStatic]), 32);
  EXPECT_EQ(helpZoom(), std::make_pair(96, 96));
  EXPECT_EQ(firstHelpLineHeight(), helpLine96);
  EXPECT_EQ(exitTintlet(), 0);
}

// Run by the next test in a process started with the prefix at 144 DPI.
TEST(Dpi, DISABLED_OptionsAndZoomAtTheSystemDpiOf144) {
  ASSERT_EQ(systemDpi(), 144) << "the prefix's LogPixels did not reach this process";
  ColorWindow pattern(kPatternRect, paintPattern);
  SetCursorPos(301, 297);
  startTintlet();
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionOptions, 0);
  pumpFor(100);
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  expectOptionsAt144(0, 0);  // not zoomed: the RichEdit itself draws at the system DPI
  SendMessageA(app.optionsWnd, WM_CLOSE, 0, 0);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionZoom, 0);
  ASSERT_TRUE((settings.form == BoxForm::zoom));
  expectZoomCells({301, 297}, 3);
  expectZoomCells({210, 390}, 3);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Dpi, TheOptionsWindowAndTheMagnifierAtTheSystemDpiOf144AreScaled) {
  clearSettings();
  EXPECT_EQ(runAtPrefixDpi(144, "Dpi.DISABLED_OptionsAndZoomAtTheSystemDpiOf144"), 0u);
}
