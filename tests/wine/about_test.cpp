#include "harness.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
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

struct StreamCall { LONG requested, delivered; DWORD result; };
std::vector<StreamCall> streamCalls;

// Passes the control's requests to the real callback and notes each one.
DWORD CALLBACK recordingCallback(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* delivered) {
  const DWORD result = helpStreamCallback(cookie, buffer, requested, delivered);
  streamCalls.push_back({requested, *delivered, result});
  return result;
}

void streamHelp(HWND view) {
  app.helpStream = {};
  app.helpStream.pfnCallback = recordingCallback;
  SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&app.helpStream));
}

// The help document as the program finds it in its own resources.
void loadHelpDocument() {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, "RTFHELP", MAKEINTRESOURCEA(10));
  ASSERT_NE(found, nullptr);
  app.helpSize = SizeofResource(self, found);
  app.helpData = static_cast<const char*>(LockResource(LoadResource(self, found)));
  ASSERT_NE(app.helpData, nullptr);
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
    EXPECT_EQ(header[2], 1) << name << ": one image";
    EXPECT_EQ(static_cast<unsigned char>(group[6]), 32) << name;
    EXPECT_EQ(static_cast<unsigned char>(group[7]), 32) << name;

    auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(group.data()));
    const int id = LookupIconIdFromDirectoryEx(bits, TRUE, 32, 32, LR_DEFAULTCOLOR);
    std::string image = resourceBytes(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
    ASSERT_FALSE(image.empty()) << name;
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()), TRUE,
                                          0x00030000, 32, 32, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr) << name;
    ICONINFO iconInfo = {};
    ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
    BITMAP bitmap = {};
    GetObjectA(iconInfo.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32) << name;
    EXPECT_EQ(bitmap.bmHeight, 32) << name;
    DeleteObject(iconInfo.hbmColor);
    DeleteObject(iconInfo.hbmMask);
    DestroyIcon(icon);
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
  EXPECT_EQ(total, static_cast<LONG>(app.helpSize));
  EXPECT_EQ(app.helpOffset, app.helpSize);

  const std::string text = viewText(view);
  const char* hotkeyLines[] = {
      "CTRL+SHIFT+C\tcopy the color to the clipboard",      "CTRL+SHIFT+Z\tzoom view on or off",
      "CTRL+SHIFT+M\tmicro form on or off",                 "CTRL+SHIFT+F\tfix the color, or let it change again",
      "CTRL+SHIFT+S\tstop the box moving, so you can drag it", "CTRL+SHIFT+Q\thide or show the box",
      "CTRL+SHIFT+D\tdecimal or hexadecimal",               "CTRL+SHIFT+O\topen or close this window",
      "CTRL+SHIFT+X\texit Tintlet",
  };
  size_t previous = 0;
  for (const char* line : hotkeyLines) {
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_GT(at, previous) << line << " out of order";
    previous = at;
  }
  const size_t end = text.find("--- end of help file ---");
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(text.find_first_not_of("\r\n", end + std::strlen("--- end of help file ---")), std::string::npos);

  // The same document handed over in one piece gives the same text.
  HWND whole = makeHelpView(page);
  SendMessageA(whole, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(app.helpData, app.helpSize).c_str()));
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
  EXPECT_STREQ(app.lineBreak, "\r");
  EXPECT_STREQ(app.aboutText,
               "Tintlet 2.51\rfreeware\r2005\r\rprogramming:\rTintlet team\r\rtesting,documentation:\rTintlet team");
  // The build read the compiler's version from the very compiler that made this test.
  EXPECT_EQ(std::string(toolLinkText()), std::string("MinGW-w64 GCC ") + __VERSION__);
  const std::string credits = app.creditsText;
  EXPECT_EQ(credits.rfind("GNU ld 2.", 0), 0u) << credits;
  EXPECT_NE(credits.find(" (linker)\rGNU windres 2."), std::string::npos) << credits;
  EXPECT_NE(credits.find(" (resources)\rof GNU Binutils; no packer"), std::string::npos) << credits;
  EXPECT_EQ(credits.find('\n'), std::string::npos);
  EXPECT_EQ(std::string(makerLinkText()), "https://quillon.example/");

  // Painted by a real label, each CR starts a row, and the empty lines stay empty.
  HWND page = makePage(294, 300);
  struct Case { const char* text; int width, height; std::vector<int> rows; };
  const Case cases[] = {
      {app.aboutText, 194, 150, {0, 1, 2, 4, 5, 7, 8}},
      {app.creditsText, 180, 97, {0, 1, 2}},
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
