// The box on the monitor under the pointer, at the DPI of that monitor, in the real program.
// This display has one monitor; layouts of several are covered by the native tests of the pure rules.
#include "harness.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/box_dpi.h"
#include "box/box_geometry.h"
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
void expectLaidOutFor(int height) {
  EXPECT_EQ(fontHeight(app.boxFont), height);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.boxTextWnd, WM_GETFONT, 0, 0)), app.boxFont);
  const SIZE m = measuredWith(height);
  EXPECT_EQ(app.lineHeight, m.cy) << "font height " << height;
  EXPECT_EQ(app.boxWidth, boxWidthFor(m.cx)) << "font height " << height;
  RECT box, text;
  GetWindowRect(app.boxWnd, &box);
  GetWindowRect(app.boxTextWnd, &text);
  EXPECT_EQ(box.right - box.left, app.boxWidth);
  EXPECT_EQ(box.bottom - box.top, app.boxHeight);
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
  EXPECT_EQ(GetPixel(screen.dc, box.left + app.swatchRect.left + 2, box.top + app.swatchRect.top + 2), want);
}


// The stored font height, a decimal text; INT_MIN when there is none.
int storedFontHeight() {
  char text[16] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "fontheight", RRF_RT_REG_SZ, nullptr, text, &size))
    return INT_MIN;
  return std::atoi(text);
}

// The system DPI of the prefix for programs started from now on; the earlier value is put back at the end.
struct PrefixDpi {
  DWORD old = 0;
  bool had = false;
  explicit PrefixDpi(DWORD dpi) {
    DWORD size = sizeof old;
    had = RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD, nullptr, &old,
                       &size) == ERROR_SUCCESS;
    set(dpi);
  }
  ~PrefixDpi() {
    if (had) {
      set(old);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    }
  }
  static void set(DWORD dpi) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;
};

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
  expectLaidOutFor(-11);  // the stored height itself
  const int width96 = app.boxWidth, height96 = app.boxHeight, line96 = app.lineHeight;
  ASSERT_GT(measuredWith(-17).cy, line96);  // the check below can tell the two apart

  // The system moved the box to a monitor of 144 DPI.
  RECT suggested = {312, 312, 312 + width96, 312 + height96};
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-17);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer({250, 380}));

  // Restoring the look lays the box out for the same monitor.
  SendMessageA(optionsControls.boxDefaultsButton, BM_CLICK, 0, 0);
  expectLaidOutFor(-17);
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-14);

  // Back on a monitor of 96 DPI: the box of the start again.
  SendMessageA(app.boxWnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutFor(-11);
  EXPECT_EQ(app.boxWidth, width96);
  EXPECT_EQ(app.boxHeight, height96);
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
  expectLaidOutFor(-17);
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  EXPECT_GT(app.lineHeight, measuredWith(-11).cy);
  for (POINT p : {POINT{301, 297}, POINT{250, 380}, POINT{399, 200}, POINT{200, 399}})
    ASSERT_NO_FATAL_FAILURE(expectPixelUnderThePointer(p));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(Dpi, TheProgramAtTheSystemDpiOf144ScalesItsTextAndReadsThePixelUnderThePointer) {
  clearSettings();
  DWORD code = 0;
  {
    PrefixDpi dpi(144);
    code = runInNewProcess("Dpi.DISABLED_ProgramAtTheSystemDpiOf144");
  }
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(storedFontHeight(), -11);  // written at exit as stored, not as shown
}
