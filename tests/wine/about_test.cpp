// The version record, the resources, the Help view and the About page: the pure pieces on windows of
// the test's own, then the real Options window's Help and About pages after the real start-up.
#include "harness.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
#include "box/box_geometry.h"
#include "export/notation.h"
#include "options/options.h"

namespace {

std::string exePath() { return windowsPath(TINTLET_EXE); }

std::string versionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "(none)";
  return value;
}

// The resource's bytes as a string, or empty when the module has no such resource.
std::string resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return "";
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

HFONT makeFont(int height, bool underline) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfUnderline = underline;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&lf);
}

// The fonts and cursors that start-up and the Options window would make.
void makeUiObjects() {
  app.uiFont = makeFont(-11, false);
  app.linkFont = makeFont(-11, true);
  app.arrowCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  app.handCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

// A stand-in for the Options window: a visible topmost window to hold the controls under test.
HWND makePage(int width, int height) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "AboutTestPage";
  RegisterClassA(&wc);
  HWND page = CreateWindowExA(WS_EX_TOPMOST, "AboutTestPage", "", WS_POPUP | WS_VISIBLE, 100, 100, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(page);
  return page;
}

HWND makeChild(HWND page, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, page,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(app.uiFont), TRUE);
  return child;
}

RECT rectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE drawnTextSize(HFONT font, const char* text) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.dc, font);
  RECT r = {0, 0, 0, 0};
  DrawTextA(screen.dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {r.right - r.left, r.bottom - r.top};
}

// A RichEdit 1.0 control like the Help page's view.
HWND makeHelpView(HWND page) {
  return CreateWindowExA(0, "RichEdit", "", WS_CHILD | WS_VISIBLE | 0x00206844, 0, 30, 294, 270, page, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string viewText(HWND view) {
  std::string text(GetWindowTextLengthA(view) + 1, '\0');
  text.resize(GetWindowTextA(view, &text[0], static_cast<int>(text.size())));
  return text;
}

// The whole help document: every hotkey line in order, and nothing but line ends after its closing line.
void expectWholeHelpText(const std::string& text) {
  const char* hotkeyLines[] = {
      "CTRL+SHIFT+C\tcopy the color to the clipboard",       "CTRL+SHIFT+Z\tzoom view on or off",
      "CTRL+SHIFT+M\tmicro form on or off",                  "CTRL+SHIFT+F\tfix the color, or let it change again",
      "CTRL+SHIFT+S\tstop the box moving, so you can drag it", "CTRL+SHIFT+Q\thide or show the box",
      "CTRL+SHIFT+D\tdecimal or hexadecimal",                "CTRL+SHIFT+O\topen or close this window",
      "CTRL+SHIFT+X\texit Tintlet",                         "CTRL+SHIFT+N\tnudge mode on or off",
  };
  size_t previous = 0;
  for (const char* line : hotkeyLines) {
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_GT(at, previous) << line << " out of order";
    previous = at;
  }
  const char closing[] = "--- end of help file ---";
  const size_t end = text.find(closing);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(text.find_first_not_of("\r\n", end + std::strlen(closing)), std::string::npos);
}

struct StreamCall { LONG requested, delivered; DWORD result; };
std::vector<StreamCall> streamCalls;

// Passes the control's requests to the real callback and notes each one.
DWORD CALLBACK recordingCallback(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* delivered) {
  const DWORD result = helpStreamCallback(cookie, buffer, requested, delivered);
  streamCalls.push_back({requested, *delivered, result});
  return result;
}

void streamHelp(HWND view) {
  optionsState.helpStream = {};
  optionsState.helpStream.pfnCallback = recordingCallback;
  SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&optionsState.helpStream));
}

// The help document as the program finds it in its own resources.
void loadHelpDocument() {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, "RTFHELP", MAKEINTRESOURCEA(10));
  ASSERT_NE(found, nullptr);
  optionsState.helpSize = SizeofResource(self, found);
  optionsState.helpData = static_cast<const char*>(LockResource(LoadResource(self, found)));
  ASSERT_NE(optionsState.helpData, nullptr);
}

struct CharLook { bool bold; COLORREF color; std::string face; LONG twips; };

// The look of `part`, found inside the first `context` of the view's text.
CharLook lookOf(HWND view, const char* context, const char* part) {
  FINDTEXTA find = {};
  find.chrg = {0, -1};
  find.lpstrText = context;
  const LRESULT found = SendMessageA(view, EM_FINDTEXT, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find));
  const char* inside = std::strstr(context, part);
  if (found < 0 || !inside) return {false, 0, "(not found)", 0};
  const LONG at = static_cast<LONG>(found + (inside - context));
  CHARRANGE range = {at, static_cast<LONG>(at + std::strlen(part))};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  SendMessageA(view, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  const bool bold = (format.dwEffects & CFE_BOLD) != 0;
  const COLORREF color = (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
  return {bold, color, format.szFaceName, format.yHeight};
}

// The rows of a label, painted by the control itself into memory, that hold any ink.
std::vector<int> inkedRows(HWND label, int width, int height) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.dc, width, height);
  EXPECT_TRUE(memory.ok());
  RECT all = {0, 0, width, height};
  FillRect(memory.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.dc), PRF_CLIENT);
  GdiFlush();
  const DWORD background = memory.bits[(height - 1) * width + width - 1];
  std::vector<int> rows;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (memory.bits[y * width + x] != background) {
        rows.push_back(y);
        break;
      }
  return rows;
}

// The text lines, `line` pixels each from the top, that hold any ink.
std::vector<int> inkedLines(const std::vector<int>& rows, int line) {
  std::vector<int> lines;
  for (int y : rows)
    if (lines.empty() || lines.back() != y / line) lines.push_back(y / line);
  return lines;
}

int lineHeightOf(HFONT font) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.dc, font);
  TEXTMETRICA tm;
  GetTextMetricsA(screen.dc, &tm);
  return tm.tmHeight;
}

}  // namespace

TEST(Resources, VersionRecordOfTheBuiltProgram) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exePath().c_str(), &ignored);
  ASSERT_GT(size, 0u) << exePath();
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(exePath().c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020005u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00020005u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  struct Field { const char* name; const char* value; };
  const Field fields[] = {
      {"CompanyName", "Quillon"},         {"FileDescription", "freeware color-picking tool"},
      {"FileVersion", "2.5.1.0"},         {"InternalName", "Tintlet"},
      {"OriginalFilename", "Tintlet.EXE"}, {"ProductName", "Tintlet"},
      {"ProductVersion", "2.5.1.0"},
  };
  for (const Field& f : fields) EXPECT_EQ(versionString(info, f.name), f.value) << f.name;
}

TEST(Resources, ManifestHelpAndIconsOfTheBuiltProgram) {
  HMODULE exe = LoadLibraryExA(exePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << exePath();

  const std::string manifest = resourceBytes(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  const size_t dependency = manifest.find("<dependentAssembly>");
  ASSERT_NE(dependency, std::string::npos) << manifest;
  const std::string wanted = manifest.substr(dependency, manifest.find("</dependentAssembly>") - dependency);
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                           "processorArchitecture=\"*\"", "publicKeyToken=\"6595b64144ccf1df\""})
    EXPECT_NE(wanted.find(part), std::string::npos) << part;

  const std::string help = resourceBytes(exe, "RTFHELP", MAKEINTRESOURCEA(10));
  EXPECT_EQ(help.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_NE(help.find("--- end of help file ---"), std::string::npos);

  for (const char* name : {"TLICON", "QNICON", "DTICON"}) {
    const std::string group = resourceBytes(exe, name, MAKEINTRESOURCEA(14));
    ASSERT_GE(group.size(), 6u + 14u) << name;
    const auto* header = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(header[1], 1) << name << ": an icon group";
    // The small icon at 100 to 250 % (16 to 40 pixels), 32, and 48 and 64 for the About page on scaled displays.
    const int sides[] = {16, 20, 24, 32, 40, 48, 64};
    constexpr int kImages = sizeof sides / sizeof sides[0];
    ASSERT_EQ(header[2], kImages) << name << ": seven images";
    ASSERT_GE(group.size(), 6u + kImages * 14u) << name;
    for (int i = 0; i < kImages; ++i) {
      EXPECT_EQ(static_cast<unsigned char>(group[6 + 14 * i]), sides[i]) << name;
      EXPECT_EQ(static_cast<unsigned char>(group[7 + 14 * i]), sides[i]) << name;
    }

    auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(group.data()));
    for (int side : sides) {
      const int id = LookupIconIdFromDirectoryEx(bits, TRUE, side, side, LR_DEFAULTCOLOR);
      std::string image = resourceBytes(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
      ASSERT_FALSE(image.empty()) << name << " " << side;
      HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()),
                                            TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR);
      ASSERT_NE(icon, nullptr) << name << " " << side;
      ICONINFO iconInfo = {};
      ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
      BITMAP bitmap = {};
      GetObjectA(iconInfo.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, side) << name;
      EXPECT_EQ(bitmap.bmHeight, side) << name;
      DeleteObject(iconInfo.hbmColor);
      DeleteObject(iconInfo.hbmMask);
      DestroyIcon(icon);
    }
  }
  FreeLibrary(exe);
}

TEST(HelpView, HoldsTheWholeDocument) {
  ASSERT_NE(LoadLibraryA("Riched32.dll"), nullptr);
  HWND page = makePage(294, 300);
  HWND view = makeHelpView(page);
  ASSERT_NE(view, nullptr);
  loadHelpDocument();
  streamHelp(view);

  // Read in consecutive pieces of the size asked for, until a shorter one (the rest, or nothing) ends it.
  ASSERT_GE(streamCalls.size(), 2u) << "the document should take more than one request";
  LONG total = 0;
  for (size_t i = 0; i < streamCalls.size(); ++i) {
    const StreamCall& c = streamCalls[i];
    EXPECT_EQ(c.result, 0u) << i;
    if (i + 1 < streamCalls.size()) EXPECT_EQ(c.delivered, c.requested) << i;
    total += c.delivered;
  }
  EXPECT_LT(streamCalls.back().delivered, streamCalls.back().requested);
  EXPECT_EQ(total, static_cast<LONG>(optionsState.helpSize));
  EXPECT_EQ(optionsState.helpOffset, optionsState.helpSize);

  const std::string text = viewText(view);
  expectWholeHelpText(text);

  // The same document handed over in one piece gives the same text.
  HWND whole = makeHelpView(page);
  SendMessageA(whole, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(optionsState.helpData, optionsState.helpSize).c_str()));
  EXPECT_EQ(GetWindowTextLengthA(view), GetWindowTextLengthA(whole));
  EXPECT_EQ(text, viewText(whole));

  const COLORREF plain = GetSysColor(COLOR_WINDOWTEXT);
  struct Case { const char* context; const char* part; CharLook look; };
  const Case cases[] = {
      {"Tintlet 2.51", "Tintlet 2.51", {true, RGB(0, 128, 128), "Arial", 240}},
      {"freeware", "freeware", {false, RGB(0, 128, 128), "Courier New", 160}},
      {"#r red", "#r", {true, plain, "Arial", 180}},
      {"#r red", "red", {true, RGB(255, 0, 0), "Arial", 180}},
      {"#g green", "green", {true, RGB(0, 160, 0), "Arial", 180}},
      {"$b blue", "$b", {true, plain, "Arial", 180}},
      {"$b blue", "blue", {true, RGB(0, 0, 255), "Arial", 180}},
      {"CTRL+SHIFT+X", "CTRL+SHIFT+X", {false, plain, "Arial", 180}},
      {"--- end of help file ---", "---", {false, plain, "Arial", 180}},
  };
  for (const Case& c : cases) {
    const CharLook got = lookOf(view, c.context, c.part);
    EXPECT_EQ(got.bold, c.look.bold) << c.part << " in " << c.context;
    EXPECT_EQ(got.color, c.look.color) << c.part << " in " << c.context;
    EXPECT_EQ(got.face, c.look.face) << c.part << " in " << c.context;
    EXPECT_EQ(got.twips, c.look.twips) << c.part << " in " << c.context;
  }
  DestroyWindow(page);
}

TEST(HelpView, MissingDocumentLeavesItEmpty) {
  ASSERT_NE(LoadLibraryA("Riched32.dll"), nullptr);
  HWND page = makePage(294, 300);
  HWND view = makeHelpView(page);
  ASSERT_NE(view, nullptr);
  streamHelp(view);
  ASSERT_EQ(streamCalls.size(), 1u) << "an error stops the reader at once";
  EXPECT_EQ(streamCalls[0].delivered, 0);
  EXPECT_NE(streamCalls[0].result, 0u);
  EXPECT_EQ(GetWindowTextLengthA(view), 0);
  DestroyWindow(page);
}

TEST(AboutPage, LabelsShowEveryLineOnItsOwnRow) {
  makeUiObjects();
  composeAboutText();
  EXPECT_STREQ(optionsState.aboutText,
               "Tintlet 2.51\rfreeware\r2005\r\rprogramming:\rTintlet team\r\rtesting,documentation:\rTintlet team");
  // The build read the compiler's version from the very compiler that made this test.
  EXPECT_EQ(std::string(toolLinkText()), std::string("MinGW-w64 GCC ") + __VERSION__);
  const std::string credits = optionsState.creditsText;
  EXPECT_EQ(credits.rfind("GNU ld 2.", 0), 0u) << credits;
  EXPECT_NE(credits.find(" (linker)\rGNU windres 2."), std::string::npos) << credits;
  EXPECT_NE(credits.find(" (resources)\rof GNU Binutils; no packer"), std::string::npos) << credits;
  EXPECT_EQ(credits.find('\n'), std::string::npos);
  EXPECT_EQ(std::string(makerLinkText()), "https://quillon.example/");

  // Painted by a real label, each CR starts a row, and the empty lines stay empty.
  HWND page = makePage(294, 300);
  struct Case { const char* text; int width, height; std::vector<int> rows; };
  const Case cases[] = {
      {optionsState.aboutText, 194, 150, {0, 1, 2, 4, 5, 7, 8}},
      {optionsState.creditsText, 180, 97, {0, 1, 2}},
  };
  const int line = lineHeightOf(app.uiFont);
  for (const Case& c : cases) {
    HWND label = makeChild(page, "STATIC", c.text, SS_LEFT, 0, 0, c.width, c.height, 0);
    EXPECT_EQ(windowText(label), c.text);
    EXPECT_EQ(inkedLines(inkedRows(label, c.width, c.height), line), c.rows) << c.text;
  }
  DestroyWindow(page);
}

TEST(AboutPage, LinkLabelsAreSizedToTheirTexts) {
  makeUiObjects();
  HFONT large = makeFont(-20, false);
  HWND page = makePage(294, 300);
  struct Case { const char* text; HFONT font; int x, y; };
  const Case cases[] = {
      {makerLinkText(), app.uiFont, 127, 170},
      {toolLinkText(), app.uiFont, 127, 219},
      {makerLinkText(), large, 127, 170},
  };
  for (const Case& c : cases) {
    HWND label = makeChild(page, "STATIC", c.text, SS_NOTIFY, c.x, c.y, 194, 18, 21);
    fitLabelToText(label, c.text, c.font);
    const RECT r = rectInParent(label);
    const SIZE expected = drawnTextSize(c.font, c.text);
    EXPECT_EQ(r.left, c.x) << c.text;
    EXPECT_EQ(r.top, c.y) << c.text;
    EXPECT_EQ(r.right - r.left, expected.cx) << c.text;
    EXPECT_EQ(r.bottom - r.top, expected.cy) << c.text;
    EXPECT_GT(expected.cx, 40) << c.text;
    DestroyWindow(label);
  }
  DeleteObject(large);
  DestroyWindow(page);
}

// ---- The real Options window's Help and About pages ------------------------------------------

namespace {

struct WholeDocument { const char* data; DWORD size, offset; };

// Hands the control whatever it asks for, straight from the resource: a stream of the whole document.
DWORD CALLBACK streamWhole(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* delivered) {
  auto* doc = reinterpret_cast<WholeDocument*>(cookie);
  const DWORD n = std::min<DWORD>(static_cast<DWORD>(requested), doc->size - doc->offset);
  std::memcpy(buffer, doc->data + doc->offset, n);
  doc->offset += n;
  *delivered = static_cast<LONG>(n);
  return 0;
}

POINT posOfChar(HWND view, LRESULT index) {
  POINTL p = {};
  SendMessageA(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
  return {p.x, p.y};
}

POINT centreOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Whether the label as it is on the screen has a row of ink across nearly its whole width: an underline.
bool underlinedOnScreen(HWND label) {
  RECT r;
  GetWindowRect(label, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  WindowDC screen(nullptr);
  MemoryDC memory(screen.dc, w, h);
  if (!memory.ok()) return false;
  BitBlt(memory.dc, 0, 0, w, h, screen.dc, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::map<DWORD, int> counts;
  for (int i = 0; i < w * h; ++i) ++counts[memory.bits[i] & 0xFFFFFF];
  DWORD background = 0;
  int most = 0;
  for (const auto& [colour, n] : counts)
    if (n > most) most = n, background = colour;
  for (int y = 0; y < h; ++y) {
    int ink = 0;
    for (int x = 0; x < w; ++x) ink += (memory.bits[y * w + x] & 0xFFFFFF) != background;
    if (ink * 10 >= w * 9) return true;
  }
  return false;
}

}  // namespace

TEST(HelpPage, HoldsTheWholeDocumentWithEveryLineEndInView) {
  clearSettings();
  startTintlet();
  openOptions(2);
  ASSERT_TRUE(IsWindowVisible(optionsControls[kHelpView]));
  ASSERT_NE(optionsState.helpData, nullptr);
  EXPECT_GT(optionsState.helpSize, 4096u) << "a document of more than one piece";
  EXPECT_EQ(optionsState.helpOffset, optionsState.helpSize);

  const std::string text = viewText(optionsControls[kHelpView]);
  expectWholeHelpText(text);

  // The same document streamed whole into a view of the same kind gives the same text.
  RECT r = rectInOptions(optionsControls[kHelpView]);
  HWND whole = CreateWindowExA(0, "RichEdit", "", GetWindowLongA(optionsControls[kHelpView], GWL_STYLE) & ~WS_VISIBLE,
                               r.left, r.top, r.right - r.left, r.bottom - r.top, app.optionsWnd, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(whole, nullptr);
  WholeDocument doc = {optionsState.helpData, optionsState.helpSize, 0};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&doc), 0, streamWhole};
  SendMessageA(whole, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  EXPECT_EQ(doc.offset, optionsState.helpSize);
  EXPECT_GT(GetWindowTextLengthA(whole), 2000);
  EXPECT_EQ(GetWindowTextLengthA(optionsControls[kHelpView]), GetWindowTextLengthA(whole));
  EXPECT_EQ(text, viewText(whole));
  DestroyWindow(whole);

  // No line runs on under the scroll bar: every line's last letter ends inside the client area.
  RECT client;
  GetClientRect(optionsControls[kHelpView], &client);
  const int lines = static_cast<int>(SendMessageA(optionsControls[kHelpView], EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(lines, 60);
  int checked = 0;
  for (int i = 0; i < lines; ++i) {
    const LRESULT first = SendMessageA(optionsControls[kHelpView], EM_LINEINDEX, i, 0);
    LRESULT last = first + SendMessageA(optionsControls[kHelpView], EM_LINELENGTH, first, 0) - 1;
    while (last >= first && text[last] == ' ') --last;
    if (last < first) continue;
    const POINT at = posOfChar(optionsControls[kHelpView], last), next = posOfChar(optionsControls[kHelpView], last + 1);
    // The next character's left edge is this one's right edge while it is on the same row.
    const LONG right = next.y == at.y && next.x > at.x ? next.x : at.x + 1;
    EXPECT_LE(right, client.right) << "line " << i << " ends under the scroll bar: "
                                   << text.substr(first, last + 1 - first);
    ++checked;
  }
  EXPECT_GT(checked, 40);
  EXPECT_EQ(exitTintlet(), 0);
}

// The help's example line of each fixed notation, "caption<tab>text" for orange, is what the copy writes.
TEST(HelpPage, ExamplesAreWhatTheCopyGives) {
  clearSettings();
  startTintlet();
  openOptions(2);
  const std::string text = viewText(optionsControls[kHelpView]);
  char hex[7], dec[12];
  composeColorTexts(RGB(255, 128, 0), hex, dec);
  for (int n = 0; n < kNotationCount; ++n) {
    if (n == kCustomNotation) continue;
    std::string caption = kNotations[n].caption;
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    char copied[kClipboardTextSize];
    composeNotationText(n, hex, dec, "", copied, sizeof copied);
    const std::string line = caption + "\t" + copied + "\r";
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(AboutPage, LabelsAndIconsOfTheRealPage) {
  clearSettings();
  startTintlet();
  openOptions(3);
  EXPECT_EQ(windowText(optionsControls[kAboutLabel]),
            "Tintlet 2.51\rfreeware\r2005\r\rprogramming:\rTintlet team\r\rtesting,documentation:\rTintlet team");
  EXPECT_EQ(windowText(optionsControls[kDevelopedWithLabel]), "developed with:");
  EXPECT_EQ(windowText(optionsControls[kPackedWithLabel]), "packed with:");
  EXPECT_EQ(windowText(optionsControls[kMakerLink]), "https://quillon.example/");
  EXPECT_EQ(windowText(optionsControls[kToolLink]), std::string("MinGW-w64 GCC ") + __VERSION__);
  const std::string credits = windowText(optionsControls[kCreditsLabel]);
  EXPECT_EQ(credits, optionsState.creditsText);
  EXPECT_EQ(credits.rfind("GNU ld 2.", 0), 0u) << credits;
  EXPECT_NE(credits.find(" (linker)\rGNU windres 2."), std::string::npos) << credits;
  EXPECT_NE(credits.find(" (resources)\rof GNU Binutils; no packer"), std::string::npos) << credits;

  struct Icon { HWND wnd; const char* name; };
  const Icon icons[] = {{optionsControls[kProgramIconStatic], "TLICON"}, {optionsControls[kMakerIconStatic], "QNICON"},
                        {optionsControls[kToolIconStatic], "DTICON"}};
  std::vector<HICON> shown;
  for (const Icon& i : icons) {
    EXPECT_TRUE(IsWindowVisible(i.wnd)) << i.name;
    const HICON icon = reinterpret_cast<HICON>(SendMessageA(i.wnd, STM_GETICON, 0, 0));
    EXPECT_NE(icon, nullptr) << i.name;
    EXPECT_EQ(icon, LoadIconA(app.appInstance, i.name)) << i.name;
    shown.push_back(icon);
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[1], shown[2]);
  EXPECT_NE(shown[0], shown[2]);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(AboutPage, LinkLabelsAreFittedToTheirTextsAtStartUp) {
  clearSettings();
  startTintlet();
  struct Case { HWND* label; int x, y; };
  const Case cases[] = {{&optionsControls[kMakerLink], 127, 170}, {&optionsControls[kToolLink], 127, 219}};
  for (const Case& c : cases) {
    const std::string text = windowText(*c.label);
    SIZE expected;
    {
      WindowDC screen(nullptr);
      SelectedObject selected(screen.dc, app.uiFont);
      RECT drawn = {0, 0, 0, 0};
      DrawTextA(screen.dc, text.c_str(), -1, &drawn, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      expected = {drawn.right, drawn.bottom};
    }
    const RECT r = rectInOptions(*c.label);
    EXPECT_EQ(r.left, c.x) << text;
    EXPECT_EQ(r.top, c.y) << text;
    EXPECT_EQ(r.right - r.left, expected.cx) << text;
    EXPECT_EQ(r.bottom - r.top, expected.cy) << text;
    EXPECT_GT(expected.cx, 100) << text;
    EXPECT_LT(expected.cx, 194) << text << ": narrower than the label was made";
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(AboutPage, RealPointerOverEachLinkUnderlinesThatOneAndShowsTheHand) {
  clearSettings();
  startTintlet();
  openOptions(3);
  SendMessageA(app.boxWnd, WM_HOTKEY, 2, 0);  // the box, which follows the pointer, is hidden out of the way
  pumpFor(100);
  ASSERT_TRUE(IsWindowVisible(optionsControls[kMakerLink]));
  ASSERT_FALSE(IsWindowVisible(app.boxWnd));

  auto inOptions = [](int x, int y) {
    POINT p = {x, y};
    ClientToScreen(app.optionsWnd, &p);
    return p;
  };
  RECT tab, maker = rectInOptions(optionsControls[kMakerLink]);
  SendMessageA(optionsControls[kTabCtrl], TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  enum Under { kMaker, kTool, kOther };
  struct Step { const char* what; POINT at; Under expected; };
  const Step steps[] = {
      {"the maker link", centreOf(optionsControls[kMakerLink]), kMaker},
      {"straight onto the tool link", centreOf(optionsControls[kToolLink]), kTool},
      {"back to the maker link", centreOf(optionsControls[kMakerLink]), kMaker},
      {"the About text", centreOf(optionsControls[kAboutLabel]), kOther},
      {"the tool link", centreOf(optionsControls[kToolLink]), kTool},
      {"the maker's logo", centreOf(optionsControls[kMakerIconStatic]), kOther},
      {"the maker link", centreOf(optionsControls[kMakerLink]), kMaker},
      // Where the label was before it was fitted to its text.
      {"just right of the maker link's text", inOptions(maker.right + 4, (maker.top + maker.bottom) / 2), kOther},
      {"the tool link", centreOf(optionsControls[kToolLink]), kTool},
      {"a tab", inOptions((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2), kOther},
      {"the maker link", centreOf(optionsControls[kMakerLink]), kMaker},
      {"an empty part of the window", inOptions(5, 280), kOther},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    SetCursorPos(s.at.x, s.at.y);
    const HCURSOR cursor = s.expected == kOther ? app.arrowCursor : app.handCursor;
    pumpUntil([&] {
      return GetCursor() == cursor && optionsState.makerLinkHover == (s.expected == kMaker) &&
             optionsState.toolLinkHover == (s.expected == kTool);
    });
    pumpFor(100);  // the labels repaint
    EXPECT_EQ(GetCursor(), cursor);
    EXPECT_EQ(optionsState.makerLinkHover, s.expected == kMaker);
    EXPECT_EQ(optionsState.toolLinkHover, s.expected == kTool);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(optionsControls[kMakerLink], WM_GETFONT, 0, 0)),
              s.expected == kMaker ? app.linkFont : app.uiFont);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(optionsControls[kToolLink], WM_GETFONT, 0, 0)),
              s.expected == kTool ? app.linkFont : app.uiFont);
    EXPECT_EQ(underlinedOnScreen(optionsControls[kMakerLink]), s.expected == kMaker);
    EXPECT_EQ(underlinedOnScreen(optionsControls[kToolLink]), s.expected == kTool);
  }
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

// Makes the recording helper the handler of https addresses instead of the browser, for one test. Wine's
// shell reads the handler from the machine's classes only, so that one is replaced and put back.
struct RecordedAddresses {
  static constexpr char kHandler[] = "https\\shell\\open\\command";
  std::string file, before;
  RecordedAddresses() {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    file = std::string(dir) + "tintlet_opened_address.txt";
    char old[1024] = {};
    LONG size = sizeof old;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, kHandler, old, &size) == ERROR_SUCCESS) before = old;
    setHandler("\"" + helperPath("record_url") + "\" \"" + file + "\" \"%1\"");
  }
  ~RecordedAddresses() {
    setHandler(before);
    DeleteFileA(file.c_str());
  }
  static void setHandler(const std::string& command) {
    EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, kHandler, REG_SZ, command.c_str(), static_cast<DWORD>(command.size())),
              ERROR_SUCCESS);
  }
  std::string last() const {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return "";
    char text[256] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, in);
    std::fclose(in);
    return std::string(text, n);
  }
};

}  // namespace

// A click on a link label asks the shell to open its address; the handler here only writes down what it got.
TEST(AboutPage, ClickOnALinkOpensItsAddressThroughTheShell) {
  const RecordedAddresses opened;
  clearSettings();
  startTintlet();
  openOptions(3);
  SendMessageA(app.boxWnd, WM_HOTKEY, 2, 0);  // the box out of the way
  pumpFor(100);
  struct Case { HWND* link; const char* address; };
  const Case cases[] = {{&optionsControls[kMakerLink], "https://quillon.example/"},
                        {&optionsControls[kToolLink], "https://www.mingw-w64.org/"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    DeleteFileA(opened.file.c_str());
    const POINT at = centreOf(*c.link);
    SetCursorPos(at.x, at.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(pumpUntil([&] { return !opened.last().empty(); }, 10000));
    EXPECT_EQ(opened.last(), c.address);
  }
  // Other command ids open nothing; the program is still running.
  DeleteFileA(opened.file.c_str());
  openLink(20);
  openLink(23);
  pumpFor(500);
  EXPECT_EQ(opened.last(), "");
  EXPECT_TRUE(IsWindow(app.optionsWnd));
  EXPECT_EQ(exitTintlet(), 0);
}
