// The Help and About pages of the real Options window, after the real start-up.
#include "harness.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/state.h"
#include "options/options.h"

namespace {

void openOptionsOn(int page) {
  SendMessageA(app.boxWnd, WM_HOTKEY, 0, 0);  // the Options action
  pumpFor(100);
  SendMessageA(app.tabCtrl, TCM_SETCURSEL, page, 0);
  NMHDR note = {app.tabCtrl, 0, TCN_SELCHANGE};
  SendMessageA(app.optionsWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
  pumpFor(100);
}

std::string viewText(HWND view) {
  std::string text(GetWindowTextLengthA(view) + 1, '\0');
  text.resize(GetWindowTextA(view, &text[0], static_cast<int>(text.size())));
  return text;
}

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
  openOptionsOn(2);
  ASSERT_TRUE(IsWindowVisible(app.helpView));
  ASSERT_NE(app.helpData, nullptr);
  EXPECT_GT(app.helpSize, 4096u) << "a document of more than one piece";
  EXPECT_EQ(app.helpOffset, app.helpSize);

  const std::string text = viewText(app.helpView);
  const char* hotkeyLines[] = {
      "CTRL+SHIFT+C\tcopy the color to the clipboard",       "CTRL+SHIFT+Z\tzoom view on or off",
      "CTRL+SHIFT+M\tmicro form on or off",                  "CTRL+SHIFT+F\tfix the color, or let it change again",
      "CTRL+SHIFT+S\tstop the box moving, so you can drag it", "CTRL+SHIFT+Q\thide or show the box",
      "CTRL+SHIFT+D\tdecimal or hexadecimal",                "CTRL+SHIFT+O\topen or close this window",
      "CTRL+SHIFT+X\texit Tintlet",
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

  // The same document streamed whole into a view of the same kind gives the same text.
  RECT r = rectInOptions(app.helpView);
  HWND whole = CreateWindowExA(0, "RichEdit", "", GetWindowLongA(app.helpView, GWL_STYLE) & ~WS_VISIBLE, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, app.optionsWnd, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(whole, nullptr);
  WholeDocument doc = {app.helpData, app.helpSize, 0};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&doc), 0, streamWhole};
  SendMessageA(whole, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  EXPECT_EQ(doc.offset, app.helpSize);
  EXPECT_GT(GetWindowTextLengthA(whole), 2000);
  EXPECT_EQ(GetWindowTextLengthA(app.helpView), GetWindowTextLengthA(whole));
  EXPECT_EQ(text, viewText(whole));
  DestroyWindow(whole);

  // No line runs on under the scroll bar: every line's last letter ends inside the client area.
  RECT client;
  GetClientRect(app.helpView, &client);
  const int lines = static_cast<int>(SendMessageA(app.helpView, EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(lines, 60);
  int checked = 0;
  for (int i = 0; i < lines; ++i) {
    const LRESULT first = SendMessageA(app.helpView, EM_LINEINDEX, i, 0);
    LRESULT last = first + SendMessageA(app.helpView, EM_LINELENGTH, first, 0) - 1;
    while (last >= first && text[last] == ' ') --last;
    if (last < first) continue;
    const POINT at = posOfChar(app.helpView, last), next = posOfChar(app.helpView, last + 1);
    // The next character's left edge is this one's right edge while it is on the same row.
    const LONG right = next.y == at.y && next.x > at.x ? next.x : at.x + 1;
    EXPECT_LE(right, client.right) << "line " << i << " ends under the scroll bar: "
                                   << text.substr(first, last + 1 - first);
    ++checked;
  }
  EXPECT_GT(checked, 40);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(AboutPage, LabelsAndIconsOfTheRealPage) {
  clearSettings();
  startTintlet();
  openOptionsOn(3);
  EXPECT_EQ(windowText(app.aboutLabel),
            "Tintlet 2.51\rfreeware\r2005\r\rprogramming:\rTintlet team\r\rtesting,documentation:\rTintlet team");
  EXPECT_EQ(windowText(app.developedWithLabel), "developed with:");
  EXPECT_EQ(windowText(app.packedWithLabel), "packed with:");
  EXPECT_EQ(windowText(app.makerLink), "https://quillon.example/");
  EXPECT_EQ(windowText(app.toolLink), std::string("MinGW-w64 GCC ") + __VERSION__);
  const std::string credits = windowText(app.creditsLabel);
  EXPECT_EQ(credits, app.creditsText);
  EXPECT_EQ(credits.rfind("GNU ld 2.", 0), 0u) << credits;
  EXPECT_NE(credits.find(" (linker)\rGNU windres 2."), std::string::npos) << credits;
  EXPECT_NE(credits.find(" (resources)\rof GNU Binutils; no packer"), std::string::npos) << credits;

  struct Icon { HWND wnd; const char* name; };
  const Icon icons[] = {{app.programIconStatic, "TLICON"}, {app.makerIconStatic, "QNICON"},
                        {app.toolIconStatic, "DTICON"}};
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
  const Case cases[] = {{&app.makerLink, 127, 170}, {&app.toolLink, 127, 219}};
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
  openOptionsOn(3);
  SendMessageA(app.boxWnd, WM_HOTKEY, 2, 0);  // the box, which follows the pointer, is hidden out of the way
  pumpFor(100);
  ASSERT_TRUE(IsWindowVisible(app.makerLink));
  ASSERT_FALSE(IsWindowVisible(app.boxWnd));

  auto inOptions = [](int x, int y) {
    POINT p = {x, y};
    ClientToScreen(app.optionsWnd, &p);
    return p;
  };
  RECT tab, maker = rectInOptions(app.makerLink);
  SendMessageA(app.tabCtrl, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  enum Under { kMaker, kTool, kOther };
  struct Step { const char* what; POINT at; Under expected; };
  const Step steps[] = {
      {"the maker link", centreOf(app.makerLink), kMaker},
      {"straight onto the tool link", centreOf(app.toolLink), kTool},
      {"back to the maker link", centreOf(app.makerLink), kMaker},
      {"the About text", centreOf(app.aboutLabel), kOther},
      {"the tool link", centreOf(app.toolLink), kTool},
      {"the maker's logo", centreOf(app.makerIconStatic), kOther},
      {"the maker link", centreOf(app.makerLink), kMaker},
      // Where the label was before it was fitted to its text.
      {"just right of the maker link's text", inOptions(maker.right + 4, (maker.top + maker.bottom) / 2), kOther},
      {"the tool link", centreOf(app.toolLink), kTool},
      {"a tab", inOptions((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2), kOther},
      {"the maker link", centreOf(app.makerLink), kMaker},
      {"an empty part of the window", inOptions(5, 280), kOther},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    SetCursorPos(s.at.x, s.at.y);
    const HCURSOR cursor = s.expected == kOther ? app.arrowCursor : app.handCursor;
    pumpUntil([&] {
      return GetCursor() == cursor && app.makerLinkHover == (s.expected == kMaker) &&
             app.toolLinkHover == (s.expected == kTool);
    });
    pumpFor(100);  // the labels repaint
    EXPECT_EQ(GetCursor(), cursor);
    EXPECT_EQ(app.makerLinkHover, s.expected == kMaker);
    EXPECT_EQ(app.toolLinkHover, s.expected == kTool);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.makerLink, WM_GETFONT, 0, 0)),
              s.expected == kMaker ? app.linkFont : app.uiFont);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.toolLink, WM_GETFONT, 0, 0)),
              s.expected == kTool ? app.linkFont : app.uiFont);
    EXPECT_EQ(underlinedOnScreen(app.makerLink), s.expected == kMaker);
    EXPECT_EQ(underlinedOnScreen(app.toolLink), s.expected == kTool);
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
  openOptionsOn(3);
  SendMessageA(app.boxWnd, WM_HOTKEY, 2, 0);  // the box out of the way
  pumpFor(100);
  struct Case { HWND* link; const char* address; };
  const Case cases[] = {{&app.makerLink, "https://quillon.example/"}, {&app.toolLink, "https://www.mingw-w64.org/"}};
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
