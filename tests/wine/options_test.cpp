#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "harness.h"
#include "../options_layout_expected.h"

#include "app/state.h"
#include "settings/settings.h"
#include "box/box.h"
#include "options/options.h"

namespace {

using namespace expected_options;


std::string classOf(HWND wnd) {
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

// Every window made on this thread, with the parameters it was created with, before any control
// could change its own style.
struct Created {
  HWND wnd, parent;
  std::string className, text;
  DWORD style, exStyle;
  int x, y, width, height, id;
};
std::vector<Created> created;
HHOOK creationHook;

LRESULT CALLBACK recordCreation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
    std::string className = HIWORD(reinterpret_cast<UINT_PTR>(cs->lpszClass)) ? cs->lpszClass : "";
    // With the common-controls manifest the hook sees versioned names: "6.0.2600.2982!Button".
    className = className.substr(className.find('!') + 1);
    created.push_back({reinterpret_cast<HWND>(wp), cs->hwndParent, className,
                       cs->lpszName ? cs->lpszName : "", static_cast<DWORD>(cs->style), cs->dwExStyle, cs->x, cs->y,
                       cs->cx, cs->cy, static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu))});
  }
  return CallNextHookEx(creationHook, code, wp, lp);
}

void startRecordingCreation() {
  created.clear();
  creationHook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
}

bool isShown(HWND wnd) { return (GetWindowLongA(wnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// A real click of the left (or right) mouse button at a point of the screen.
void clickAt(POINT p, bool right = false) {
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  pumpFor(150);
}

POINT centreOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT inOptions(int x, int y) {
  POINT p = {x, y};
  ClientToScreen(app.optionsWnd, &p);
  return p;
}

}  // namespace

TEST(OptionsWindow, EveryControlAsCreatedAndShown) {
  clearSettings();
  startRecordingCreation();
  startTintlet();
  UnhookWindowsHookEx(creationHook);
  pumpFor(50);

  // The window itself, made hidden in the middle of the desktop.
  RECT desktop;
  GetClientRect(GetDesktopWindow(), &desktop);
  std::vector<Created> controls;
  const Created* window = nullptr;
  for (const Created& c : created) {
    if (c.wnd == app.optionsWnd) window = &c;
    if (c.parent == app.optionsWnd) controls.push_back(c);
  }
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->className, "TintletOptions");
  EXPECT_EQ(window->text, "Tintlet 2.51 Options");
  EXPECT_EQ(window->style, 0x00CA0000u);
  // The system adds the window edge to a window with a caption.
  EXPECT_EQ(window->exStyle & ~WS_EX_WINDOWEDGE, static_cast<DWORD>(WS_EX_CONTROLPARENT));
  EXPECT_EQ(window->x, (desktop.right - kOptionsWidth) / 2);
  EXPECT_EQ(window->y, (desktop.bottom - kOptionsHeight) / 2);
  EXPECT_EQ(window->width, kOptionsWidth);
  EXPECT_EQ(window->height, kOptionsHeight);
  EXPECT_EQ(window->parent, GetDesktopWindow());

  // Opened, it shows the Options page; W and H are its client size.
  openOptions();
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  EXPECT_FALSE(IsIconic(app.optionsWnd));
  RECT r, client;
  GetWindowRect(app.optionsWnd, &r);
  EXPECT_EQ(r.left, (desktop.right - kOptionsWidth) / 2);
  EXPECT_EQ(r.top, (desktop.bottom - kOptionsHeight) / 2);
  EXPECT_EQ(r.right - r.left, kOptionsWidth);
  EXPECT_EQ(r.bottom - r.top, kOptionsHeight);
  EXPECT_EQ(windowText(app.optionsWnd), "Tintlet 2.51 Options");
  GetClientRect(app.optionsWnd, &client);
  const int clientW = client.right, clientH = client.bottom;

  const std::vector<HWND> children = optionsChildren();
  ASSERT_EQ(kControlCount, kOptionsControlCount);
  ASSERT_EQ(static_cast<int>(controls.size()), kControlCount);
  ASSERT_EQ(static_cast<int>(children.size()), kControlCount);
  for (int i = 0; i < kControlCount; ++i) {
    const ExpectedControl& e = kExpected[i];
    const Created& made = controls[i];
    const HWND c = children[i];
    SCOPED_TRACE(e.name);
    ASSERT_EQ(made.wnd, c);

    // As created.
    EXPECT_EQ(lstrcmpiA(made.className.c_str(), e.className), 0) << made.className;
    EXPECT_EQ(made.style, e.style);
    EXPECT_EQ(made.exStyle, 0u);
    EXPECT_EQ(made.x, e.x);
    EXPECT_EQ(made.y, e.y);
    if (e.width) EXPECT_EQ(made.width, resolve(e.width, clientW));
    if (e.height) EXPECT_EQ(made.height, resolve(e.height, clientH));
    EXPECT_EQ(made.id, e.id);

    // As read back from the live control, with the Options page shown.
    EXPECT_EQ(classOf(c).size(), std::strlen(e.className));
    EXPECT_EQ(lstrcmpiA(classOf(c).c_str(), e.className), 0) << classOf(c);
    DWORD style = e.style;
    const bool combo = lstrcmpiA(e.className, "ComboBox") == 0;
    if (combo) style &= ~(WS_BORDER | WS_VSCROLL);  // the combo box draws its own border, its list the scroll bar
    if (e.style == 0x50010009) style &= ~WS_TABSTOP;  // the checked radio button takes the tab stop
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE)), style);
    EXPECT_EQ(isShown(c), e.page <= 0);
    EXPECT_EQ(GetDlgCtrlID(c), e.id);
    if (e.text) EXPECT_EQ(windowText(c), e.text);
    const RECT live = rectInOptions(c);
    EXPECT_EQ(live.left, e.x);
    EXPECT_EQ(live.top, e.y);
    // The combo box's own height is its edit field's; its created height includes the list.
    if (e.width) EXPECT_EQ(live.right - live.left, resolve(e.width, clientW));
    if (e.height && !combo) EXPECT_EQ(live.bottom - live.top, resolve(e.height, clientH));
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0));
    if (e.uiFont) EXPECT_EQ(font, app.uiFont);
    else EXPECT_NE(font, app.uiFont);
  }
  EXPECT_EQ(GetWindowLongA(optionsControls.hotkeyCtrl(0), GWL_EXSTYLE),
            WS_EX_CLIENTEDGE);  // added by the hotkey control

  // The handles in the state are these controls.
  EXPECT_EQ(children[0], optionsControls[kTabCtrl]);
  EXPECT_EQ(children[1], optionsControls.notationRadio(0));
  EXPECT_EQ(children[6], optionsControls.notationRadio(3));
  EXPECT_EQ(children[7], optionsControls.notationRadio(6));
  EXPECT_EQ(children[12], optionsControls.notationRadio(11));
  EXPECT_EQ(children[15], optionsControls[kTemplateCombo]);
  EXPECT_EQ(children[23], optionsControls.hotkeyCtrl(0));
  EXPECT_EQ(children[40], optionsControls.hotkeyLabel(8));
  EXPECT_EQ(children[42], optionsControls.hotkeyLabel(9));
  EXPECT_EQ(children[kToolIconStatic], optionsControls[kToolIconStatic]);
  for (int c = 0; c < kControlCount; ++c) EXPECT_EQ(children[c], optionsControls.handles[c]) << kExpected[c].name;
  // The About texts come from the About page's composer.
  EXPECT_EQ(windowText(optionsControls[kAboutLabel]), optionsState.aboutText);
  EXPECT_EQ(windowText(optionsControls[kMakerLink]), makerLinkText());
  EXPECT_EQ(windowText(optionsControls[kToolLink]), toolLinkText());
  EXPECT_EQ(windowText(optionsControls[kCreditsLabel]), optionsState.creditsText);
  EXPECT_EQ(windowText(optionsControls[kProgramIconStatic]), "TLICON");

  // Four tabs, the first selected.
  EXPECT_EQ(SendMessageA(optionsControls[kTabCtrl], TCM_GETITEMCOUNT, 0, 0), 4);
  const char* tabs[4] = {"Options", "Hotkeys", "Help", "About"};
  for (int i = 0; i < 4; ++i) {
    char text[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(optionsControls[kTabCtrl], TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, tabs[i]);
  }
  EXPECT_EQ(SendMessageA(optionsControls[kTabCtrl], TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(optionsState.currentTab, 0);

  // The fonts: Tahoma 11 pixels, the link font underlined.
  LOGFONTA ui = {}, link = {};
  GetObjectA(app.uiFont, sizeof ui, &ui);
  GetObjectA(app.linkFont, sizeof link, &link);
  EXPECT_STREQ(ui.lfFaceName, "Tahoma");
  EXPECT_EQ(ui.lfHeight, -11);
  EXPECT_EQ(ui.lfWeight, 400);
  EXPECT_EQ(ui.lfUnderline, 0);
  EXPECT_EQ(link.lfUnderline, 1);
  EXPECT_STREQ(link.lfFaceName, "Tahoma");
  EXPECT_EQ(link.lfHeight, -11);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(OptionsWindow, StartsHiddenAndClosesTheSameWay) {
  clearSettings();
  startTintlet();
  pumpFor(50);
  EXPECT_FALSE(IsWindowVisible(app.optionsWnd));
  EXPECT_FALSE(IsIconic(app.optionsWnd));
  openOptions();
  switchOptionsPage(2);
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  RECT opened;
  GetWindowRect(app.optionsWnd, &opened);
  SendMessageA(app.optionsWnd, WM_CLOSE, 0, 0);
  pumpFor(50);
  EXPECT_TRUE(IsWindow(app.optionsWnd));
  EXPECT_FALSE(IsWindowVisible(app.optionsWnd));
  EXPECT_FALSE(IsIconic(app.optionsWnd));
  // The Options action closes it the same way.
  openOptions();
  ASSERT_TRUE(IsWindowVisible(app.optionsWnd));
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionOptions, 0);
  pumpFor(50);
  EXPECT_FALSE(IsWindowVisible(app.optionsWnd));
  EXPECT_FALSE(IsIconic(app.optionsWnd));
  // Opened again, it is back on the Options page, where it was.
  openOptions();
  EXPECT_TRUE(IsWindowVisible(app.optionsWnd));
  EXPECT_FALSE(IsIconic(app.optionsWnd));
  RECT reopened;
  GetWindowRect(app.optionsWnd, &reopened);
  EXPECT_TRUE(EqualRect(&opened, &reopened));
  EXPECT_EQ(SendMessageA(optionsControls[kTabCtrl], TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(optionsState.currentTab, 0);
  EXPECT_TRUE(IsWindowVisible(optionsControls.notationRadio(0)));
  EXPECT_FALSE(IsWindowVisible(optionsControls[kHelpView]));
  EXPECT_EQ(exitTintlet(), 0);
}

// The Options window puts the focus on its tab control on deactivation too. That must not take the
// activation back from the program the user turned to (under Wine it does not).
TEST(OptionsWindow, AnotherProgramKeepsTheActivationItTakes) {
  clearSettings();
  startTintlet();
  openOptions();
  ASSERT_EQ(GetForegroundWindow(), app.optionsWnd);
  EXPECT_EQ(GetFocus(), optionsControls[kTabCtrl]);
  for (const char* how : {"click", "activate"}) {
    SCOPED_TRACE(how);
    SetFocus(optionsControls.notationRadio(0));
    const HANDLE other = startProcess(helperPath("other_window") + " " + how);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return WaitForSingleObject(other, 0) == WAIT_OBJECT_0; }, 10000));
    DWORD code = 0;
    GetExitCodeProcess(other, &code);
    CloseHandle(other);
    EXPECT_EQ(code, 0u) << "times the other window lost the activation, plus 100 if it was not in front at the end";
    // Its window gone, the Options window is active again with the focus on the tabs.
    ASSERT_TRUE(pumpUntil([] { return GetForegroundWindow() == app.optionsWnd; }));
    EXPECT_EQ(GetFocus(), optionsControls[kTabCtrl]);
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(OptionsWindow, TabSelectionShowsExactlyItsPage) {
  clearSettings();
  startTintlet();
  openOptions();
  const std::vector<HWND> children = optionsChildren();
  ASSERT_EQ(static_cast<int>(children.size()), kControlCount);
  auto expectPage = [&](int page) {
    EXPECT_EQ(optionsState.currentTab, page);
    for (int i = 0; i < kControlCount; ++i)
      EXPECT_EQ(IsWindowVisible(children[i]) != 0, kExpected[i].page == page || kExpected[i].page == -1)
          << kExpected[i].name << " with page " << page;
  };
  expectPage(0);
  for (int page : {1, 2, 3, 0, 3, 1, 2, 0}) {
    switchOptionsPage(page);
    expectPage(page);
  }
  // Other notifications of the tab control change nothing.
  SendMessageA(optionsControls[kTabCtrl], TCM_SETCURSEL, 2, 0);
  NMHDR changing = {optionsControls[kTabCtrl], 0, static_cast<UINT>(TCN_SELCHANGING)};
  SendMessageA(app.optionsWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changing));
  expectPage(0);
  // A real click on a tab.
  for (int page : {3, 1, 0}) {
    RECT tab;
    SendMessageA(optionsControls[kTabCtrl], TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&tab));
    clickAt(inOptions((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    EXPECT_EQ(SendMessageA(optionsControls[kTabCtrl], TCM_GETCURSEL, 0, 0), page);
    expectPage(page);
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(OptionsPage, OpacityFollowsEveryScrollRequest) {
  clearSettings();
  startTintlet();
  openOptions();
  ASSERT_TRUE(app.layeredSupported);
  ASSERT_TRUE(IsWindowEnabled(optionsControls[kOpacityScrollBar]));
  struct Step { int request, thumb, opacity; const char* label; };
  const Step steps[] = {
      {SB_LINELEFT, 0, 100, "0%"},     {SB_PAGELEFT, 0, 100, "0%"},      {SB_THUMBTRACK, 12, 88, "12%"},
      {SB_ENDSCROLL, 0, 88, "12%"},    {SB_LINERIGHT, 0, 87, "13%"},     {SB_PAGELEFT, 0, 88, "12%"},
      {SB_PAGERIGHT, 0, 87, "13%"},    {SB_LINELEFT, 0, 88, "12%"},      {SB_RIGHT, 0, 70, "30%"},
      {SB_LINERIGHT, 0, 70, "30%"},    {SB_PAGERIGHT, 0, 70, "30%"},     {SB_LEFT, 0, 100, "0%"},
      {SB_THUMBPOSITION, 30, 70, "30%"}, {SB_THUMBPOSITION, 0, 100, "0%"},
  };
  for (const Step& s : steps) {
    SendMessageA(app.optionsWnd, WM_HSCROLL, MAKEWPARAM(s.request, s.thumb), 0);
    SCOPED_TRACE(s.request);
    EXPECT_EQ(settings.opacityPercent, s.opacity);
    EXPECT_EQ(windowText(optionsControls[kPercentLabel]), s.label);
    EXPECT_EQ(GetScrollPos(optionsControls[kOpacityScrollBar], SB_CTL), 100 - s.opacity);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(app.boxWnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, s.opacity * 255 / 100);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  }
  SendMessageA(app.optionsWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 0);
  BYTE alpha = 0;
  GetLayeredWindowAttributes(app.boxWnd, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 224);

  // Real clicks on the scroll bar's arrows.
  RECT bar;
  GetWindowRect(optionsControls[kOpacityScrollBar], &bar);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL) / 2;
  clickAt({bar.right - arrow, (bar.top + bar.bottom) / 2});
  EXPECT_EQ(settings.opacityPercent, 87);
  EXPECT_EQ(windowText(optionsControls[kPercentLabel]), "13%");
  clickAt({bar.left + arrow, (bar.top + bar.bottom) / 2});
  clickAt({bar.left + arrow, (bar.top + bar.bottom) / 2});
  EXPECT_EQ(settings.opacityPercent, 89);
  GetLayeredWindowAttributes(app.boxWnd, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 226);
  EXPECT_EQ(GetScrollPos(optionsControls[kOpacityScrollBar], SB_CTL), 11);

  // Without layered windows the page still follows, but nothing is applied to the box.
  app.layeredSupported = false;
  SendMessageA(app.optionsWnd, WM_HSCROLL, SB_RIGHT, 0);
  app.layeredSupported = true;
  EXPECT_EQ(settings.opacityPercent, 70);
  EXPECT_EQ(windowText(optionsControls[kPercentLabel]), "30%");
  EXPECT_EQ(GetScrollPos(optionsControls[kOpacityScrollBar], SB_CTL), 30);
  GetLayeredWindowAttributes(app.boxWnd, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 226);
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

bool formatMarked(int id) { return (GetMenuState(app.formatMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

// Command id and formatIndex of every notation.
const int kNotationIds[][2] = {{10, 0}, {11, 1}, {12, 2}, {13, 4}, {14, 5}, {15, 3}, {16, 6},
                               {50, 7}, {51, 8}, {52, 9}, {53, 10}, {54, 11}};

// The one notation radio button that is checked and the one Format item with the mark, by id.
void expectNotation(int id, int formatIndex) {
  EXPECT_EQ(settings.formatIndex, formatIndex);
  for (const auto& n : kNotationIds) {
    EXPECT_EQ(SendMessageA(optionsControls.notationRadio(n[1]), BM_GETCHECK, 0, 0), n[0] == id ? BST_CHECKED : BST_UNCHECKED)
        << n[0];
    EXPECT_EQ(GetDlgCtrlID(optionsControls.notationRadio(n[1])), n[0]);
    EXPECT_EQ(formatMarked(n[0]), n[0] == id) << n[0];
  }
}

// Alt and a lower-case letter, typed while the tab control has the focus.
void typeAlt(char letter) {
  SetFocus(optionsControls[kTabCtrl]);
  const UINT key = letter - 'a' + 'A';
  PostMessageA(optionsControls[kTabCtrl], WM_SYSCHAR, letter, 0x20000000 | (MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16) | 1);
  pumpFor(100);
}

}  // namespace

TEST(OptionsPage, NotationRadiosAndTrayMarksMoveTogether) {
  clearSettings();
  startTintlet();
  openOptions();
  expectNotation(10, 0);  // the start-up click on the radio of the loaded notation
  clickAt(centreOf(optionsControls.notationRadio(5)));
  expectNotation(14, 5);
  // The tray menu's "D&ecimal", as the menu sends it to the colour box.
  SendMessageA(app.boxWnd, WM_COMMAND, 15, 0);
  expectNotation(15, 3);
  // Back and forth between the first seven and the five below the separator.
  const int order[] = {0, 7, 1, 8, 2, 9, 3, 10, 4, 11, 5, 7, 6, 11, 0};
  for (int k : order) {
    SendMessageA(app.boxWnd, WM_COMMAND, kNotationIds[k][0], 0);
    expectNotation(kNotationIds[k][0], kNotationIds[k][1]);
  }
  for (int k : order) {
    SendMessageA(optionsControls.notationRadio(kNotationIds[k][1]), BM_CLICK, 0, 0);
    expectNotation(kNotationIds[k][0], kNotationIds[k][1]);
  }
  clickAt(centreOf(optionsControls.notationRadio(8)));  // "CSS hsl()"
  expectNotation(51, 8);
  // Alt with a mnemonic picks the notation too: the loop hands keys to the dialog manager.
  typeAlt('v');
  expectNotation(14, 5);
  typeAlt('o');
  expectNotation(54, 11);
  typeAlt('a');
  expectNotation(53, 10);
  typeAlt('r');
  expectNotation(50, 7);
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

bool mouseModeMarked() { return (GetMenuState(app.displayMenu, 40, MF_BYCOMMAND) & MF_CHECKED) != 0; }

}  // namespace

TEST(OptionsPage, MiddleButtonCheckAndMenuItemMoveTogether) {
  clearSettings();
  startTintlet();
  openOptions();
  EXPECT_FALSE(settings.middleButtonMode);
  EXPECT_EQ(SendMessageA(optionsControls[kMiddleButtonCheck], BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(mouseModeMarked());
  clickAt(centreOf(optionsControls[kMiddleButtonCheck]));
  EXPECT_TRUE(settings.middleButtonMode);
  EXPECT_EQ(SendMessageA(optionsControls[kMiddleButtonCheck], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(mouseModeMarked());
  SendMessageA(app.boxWnd, WM_COMMAND, 40, 0);  // the tray menu's "&Mouse mode"
  EXPECT_FALSE(settings.middleButtonMode);
  EXPECT_EQ(SendMessageA(optionsControls[kMiddleButtonCheck], BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(mouseModeMarked());
  SendMessageA(app.boxWnd, WM_COMMAND, 40, 0);
  EXPECT_TRUE(settings.middleButtonMode);
  EXPECT_EQ(SendMessageA(optionsControls[kMiddleButtonCheck], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(mouseModeMarked());
  EXPECT_EQ(exitTintlet(), 0);
}

// The mode as loaded from the settings: start-up clicks the check box once.
TEST(OptionsPage, MiddleButtonModeLoadedOnIsShownChecked) {
  clearSettings();
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "mouse", 0, REG_SZ, reinterpret_cast<const BYTE*>("true"), 5), ERROR_SUCCESS);
  RegCloseKey(key);
  startTintlet();
  EXPECT_TRUE(settings.middleButtonMode);
  EXPECT_EQ(SendMessageA(optionsControls[kMiddleButtonCheck], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(mouseModeMarked());
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

// A new list under the field, whose text stays as it was.
void setTemplateList(const std::vector<std::string>& list) {
  const std::string field = windowText(optionsControls[kTemplateCombo]);
  settings.templates.clear();
  for (const std::string& t : list) settings.templates.add(t.c_str());
  showTemplateList();
  SetWindowTextA(optionsControls[kTemplateCombo], field.c_str());
}

}  // namespace

TEST(OptionsPage, TemplateListAddRemoveAndDefaults) {
  clearSettings();
  startTintlet();
  openOptions();
  using List = std::vector<std::string>;
  const std::string rgb = "RGB(#r,#g,#b)";
  struct Case {
    const char* what;
    List before;
    const char* field;
    HWND* button;
    List after;
    const char* fieldAfter;  // and the custom template, which follows the field
  };
  const Case cases[] = {
      {"+ in other case adds nothing",
       {rgb},
       "rgb(#R,#G,#B)",
       &optionsControls[kAddTemplateButton],
       {rgb},
       "rgb(#R,#G,#B)"},
      {"+ with an empty field", {rgb}, "", &optionsControls[kAddTemplateButton], {rgb}, ""},
      {"+ adds in sorted place",
       {"b #r", rgb},
       "A #r",
       &optionsControls[kAddTemplateButton],
       {"A #r", "b #r", rgb},
       "A #r"},
      {"+ adds a new one", {rgb}, "$r$g$b", &optionsControls[kAddTemplateButton], {"$r$g$b", rgb}, "$r$g$b"},
      {"- removes and empties", {rgb, "x"}, rgb.c_str(), &optionsControls[kRemoveTemplateButton], {"x"}, ""},
      {"- ignores letter case", {"x"}, "X", &optionsControls[kRemoveTemplateButton], {}, ""},
      {"- of an unknown one only empties", {"x"}, "y", &optionsControls[kRemoveTemplateButton], {"x"}, ""},
      {"Defaults re-adds into an empty field",
       {"x"},
       "",
       &optionsControls[kBoxDefaultsButton],
       {rgb, "x"},
       rgb.c_str()},
      {"Defaults re-adds, keeps the field",
       {"x"},
       "mine",
       &optionsControls[kBoxDefaultsButton],
       {rgb, "x"},
       "mine"},
      {"Defaults with it present", {rgb}, "", &optionsControls[kBoxDefaultsButton], {rgb}, ""},
      {"Defaults with it in other case",
       {"rgb(#R,#G,#B)"},
       "",
       &optionsControls[kBoxDefaultsButton],
       {"rgb(#R,#G,#B)"},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setTemplateList(c.before);
    typeTemplate(c.field);
    SendMessageA(*c.button, BM_CLICK, 0, 0);
    EXPECT_EQ(templateEntries(), c.after);
    EXPECT_EQ(windowText(optionsControls[kTemplateCombo]), c.fieldAfter);
    EXPECT_STREQ(settings.customTemplate, c.fieldAfter);
  }

  // Commands with a notification code are not clicks.
  setTemplateList({rgb});
  typeTemplate("new");
  const LPARAM combo = reinterpret_cast<LPARAM>(optionsControls[kTemplateCombo]);
  for (int id : {100, 101, 2}) SendMessageA(app.optionsWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), combo);
  EXPECT_EQ(templateEntries(), List{rgb});
  EXPECT_EQ(windowText(optionsControls[kTemplateCombo]), "new");

  // "-" and then "Default&s": the default template comes back, also into the field.
  setTemplateList({rgb});
  typeTemplate(rgb.c_str());
  SendMessageA(optionsControls[kRemoveTemplateButton], BM_CLICK, 0, 0);
  EXPECT_EQ(templateEntries(), List{});
  SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);
  EXPECT_EQ(templateEntries(), List{rgb});
  EXPECT_EQ(windowText(optionsControls[kTemplateCombo]), rgb);

  // The field takes 100 characters; a reading takes the first 99.
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(optionsControls[kTemplateCombo], &info));
  EXPECT_EQ(SendMessageA(info.hwndItem, EM_GETLIMITTEXT, 0, 0), 100);
  const std::string longText(120, 'r');
  typeTemplate(longText.c_str());
  SendMessageA(optionsControls[kAddTemplateButton], BM_CLICK, 0, 0);
  EXPECT_EQ(std::string(settings.customTemplate), longText.substr(0, 99));
  EXPECT_EQ(templateEntries(), (List{rgb, longText.substr(0, 99)}));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(OptionsPage, DefaultsRestoresTheBoxLook) {
  clearSettings();
  startTintlet();
  openOptions();
  clickAt(centreOf(optionsControls.notationRadio(5)));
  SendMessageA(app.optionsWnd, WM_HSCROLL, SB_RIGHT, 0);
  // A look as the font and colour dialogs would leave it.
  strcpy(settings.boxLogFont.lfFaceName, "Courier New");
  settings.boxLogFont.lfHeight = -20;
  settings.boxLogFont.lfWeight = 700;
  settings.textColor = RGB(1, 2, 3);
  settings.baseColor = RGB(4, 5, 6);
  DeleteObject(app.baseBrush);
  app.baseBrush = CreateSolidBrush(settings.baseColor);
  layoutBox(app.boxWnd);
  const int wideWidth = app.boxWidth;

  // Refused while either dialog is open.
  for (HWND* dialog : {&optionsState.fontDialogWnd, &optionsState.colorDialogWnd}) {
    *dialog = app.optionsWnd;
    SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);
    *dialog = nullptr;
    EXPECT_EQ(settings.opacityPercent, 70);
    EXPECT_EQ(settings.baseColor, RGB(4, 5, 6));
    EXPECT_EQ(settings.textColor, RGB(1, 2, 3));
    EXPECT_STREQ(settings.boxLogFont.lfFaceName, "Courier New");
  }

  app.textDirty = false;
  SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);  // no tick may run before textDirty is read
  EXPECT_STREQ(settings.boxLogFont.lfFaceName, "Tahoma");
  EXPECT_EQ(settings.boxLogFont.lfHeight, -11);
  EXPECT_EQ(settings.boxLogFont.lfWeight, 400);
  LOGFONTA made = {};
  GetObjectA(app.boxFont, sizeof made, &made);
  EXPECT_STREQ(made.lfFaceName, "Tahoma");
  EXPECT_EQ(made.lfHeight, -11);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.boxTextWnd, WM_GETFONT, 0, 0)), app.boxFont);
  EXPECT_LT(app.boxWidth, wideWidth);
  EXPECT_EQ(settings.textColor, RGB(255, 255, 255));
  EXPECT_EQ(settings.baseColor, RGB(0x80, 0x80, 0x80));
  LOGBRUSH brush = {};
  ASSERT_TRUE(GetObjectA(app.baseBrush, sizeof brush, &brush));
  EXPECT_EQ(brush.lbColor, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(app.boxWnd, GCLP_HBRBACKGROUND)), app.baseBrush);
  EXPECT_EQ(settings.opacityPercent, 100);
  EXPECT_EQ(windowText(optionsControls[kPercentLabel]), "0%");
  EXPECT_EQ(GetScrollPos(optionsControls[kOpacityScrollBar], SB_CTL), 0);
  BYTE alpha = 0;
  GetLayeredWindowAttributes(app.boxWnd, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 255);
  EXPECT_TRUE(app.textDirty);
  EXPECT_EQ(settings.formatIndex, 5);  // the notation is not part of the look
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

WNDPROC tabCtrlProc;
int tabKeysAtTabCtrl = 0;

LRESULT CALLBACK countTabKeys(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_TAB) ++tabKeysAtTabCtrl;
  return CallWindowProcA(tabCtrlProc, wnd, msg, wp, lp);
}

}  // namespace

TEST(OptionsWindow, TabKeyMovesTheFocusOnTheOptionsAndHotkeysPagesOnly) {
  clearSettings();
  startTintlet();
  openOptions();
  tabCtrlProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(optionsControls[kTabCtrl], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countTabKeys)));
  const UINT scan = MapVirtualKeyA(VK_TAB, MAPVK_VK_TO_VSC);
  // On the Help and About pages the key goes to the focused control instead.
  struct Case { int page; HWND* focusAfter; int keysAtTabCtrl; };
  const Case cases[] = {{0, &optionsControls[notationRadioRow(0)], 0},
                        {2, &optionsControls[kTabCtrl], 1},
                        {1, &optionsControls[hotkeyCtrlRow(0)], 0},
                        {3, &optionsControls[kTabCtrl], 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    switchOptionsPage(c.page);
    SetFocus(optionsControls[kTabCtrl]);
    tabKeysAtTabCtrl = 0;
    PostMessageA(optionsControls[kTabCtrl], WM_KEYDOWN, VK_TAB, 1 | (scan << 16));
    PostMessageA(optionsControls[kTabCtrl], WM_KEYUP, VK_TAB, 1 | (scan << 16) | 0xC0000000);
    pumpFor(100);
    EXPECT_EQ(GetFocus(), *c.focusAfter);
    EXPECT_EQ(tabKeysAtTabCtrl, c.keysAtTabCtrl);
  }
  SetWindowLongPtrA(optionsControls[kTabCtrl], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tabCtrlProc));
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

RECT menuRect;
bool menuSeen = false;

void CALLBACK closeMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowA("#32768", nullptr);
  menuSeen = menu && IsWindowVisible(menu);
  if (menu) GetWindowRect(menu, &menuRect);
  EndMenu();
}

}  // namespace

TEST(OptionsWindow, RightClickOnItsEmptyAreaOpensTheTrayMenu) {
  clearSettings();
  startTintlet();
  openOptions();
  const POINT at = inOptions(20, 200);
  SetTimer(nullptr, 0, 500, closeMenu);
  clickAt(at, true);
  pumpFor(700);
  ASSERT_TRUE(menuSeen);
  EXPECT_LE(std::abs((menuRect.left + menuRect.right) / 2 - at.x), 1);  // centred on the pointer
  EXPECT_EQ(menuRect.top, at.y);
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

bool menuStayedOpen = false;
HWND foregroundWithMenu = nullptr;
POINT clickElsewhereAt = {};
int emptyMessagesToBox = 0;
HHOOK messageHook = nullptr;

LRESULT CALLBACK countEmptyMessages(int code, WPARAM wp, LPARAM lp) {
  const MSG* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && msg->hwnd == app.boxWnd && msg->message == WM_NULL) ++emptyMessagesToBox;
  return CallNextHookEx(messageHook, code, wp, lp);
}

void CALLBACK checkMenuClosed(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowA("#32768", nullptr);
  menuStayedOpen = menu && IsWindowVisible(menu);
  if (menuStayedOpen) EndMenu();
}

// Runs inside the menu's own loop: a real left click on another window, then a look whether the menu went.
void CALLBACK clickAwayFromMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowA("#32768", nullptr);
  menuSeen = menu && IsWindowVisible(menu);
  foregroundWithMenu = GetForegroundWindow();
  SetCursorPos(clickElsewhereAt.x, clickElsewhereAt.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  SetTimer(nullptr, 0, 700, checkMenuClosed);
}

}  // namespace

// The Options window's menu is the tray menu, opened the same way: it closes on a click elsewhere.
TEST(OptionsWindow, ItsRightClickMenuClosesWhenTheUserClicksElsewhere) {
  clearSettings();
  startTintlet();
  openOptions();
  RECT options;
  GetWindowRect(app.optionsWnd, &options);
  ColorWindow elsewhere({options.right + 20, options.top, options.right + 120, options.top + 100}, RGB(0, 90, 0));
  clickElsewhereAt = {options.right + 70, options.top + 50};
  menuSeen = menuStayedOpen = false;
  messageHook = SetWindowsHookExA(WH_GETMESSAGE, countEmptyMessages, nullptr, GetCurrentThreadId());
  SetTimer(nullptr, 0, 500, clickAwayFromMenu);
  clickAt(inOptions(20, 200), true);
  pumpFor(1500);
  UnhookWindowsHookEx(messageHook);
  ASSERT_TRUE(menuSeen);
  // The two steps around the menu without which Windows leaves it open after a click elsewhere.
  EXPECT_EQ(foregroundWithMenu, app.boxWnd) << "the menu's owner, which gets its commands, is in front";
  EXPECT_EQ(emptyMessagesToBox, 1) << "the owner is sent an empty message once the menu is closed";
  EXPECT_FALSE(menuStayedOpen);
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

// Real key strokes: each key of `chord` pressed in order, then released in reverse order.
void pressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> in;
  const auto key = [&in](WORD vk, DWORD flags) {
    INPUT stroke = {};
    stroke.type = INPUT_KEYBOARD;
    stroke.ki.wVk = vk;
    stroke.ki.dwFlags = flags;
    in.push_back(stroke);
  };
  for (WORD vk : chord) key(vk, 0);
  for (auto vk = std::rbegin(chord); vk != std::rend(chord); ++vk) key(*vk, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  pumpFor(150);
}

void pressKey(WORD vk) { pressKeys({vk}); }

bool colorDialogSeen = false;

// A timer of the test thread, so it runs inside the dialog's modal loop: cancels the colour dialog.
void CALLBACK cancelColorDialog(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = findDialog(kColorDialogTitle);
  if (!dialog || !IsWindowVisible(dialog)) return;
  colorDialogSeen = true;
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

// The dialog keys turn Escape into the command id of "Default&s"; it must not restore the look.
TEST(OptionsPage, EscapeKeepsTheBoxLook) {
  clearSettings();
  startTintlet();
  openOptions();
  SendMessageA(app.optionsWnd, WM_HSCROLL, SB_RIGHT, 0);
  settings.baseColor = RGB(4, 5, 6);
  for (HWND* focus :
       {&optionsControls[kTabCtrl], &optionsControls[notationRadioRow(0)], &optionsControls[kBoxDefaultsButton]}) {
    SetFocus(*focus);
    pressKey(VK_ESCAPE);
    EXPECT_EQ(settings.opacityPercent, 70);
    EXPECT_EQ(settings.baseColor, RGB(4, 5, 6));
  }
  // The button itself still works from the keyboard.
  SetFocus(optionsControls[kBoxDefaultsButton]);
  pressKey(VK_SPACE);
  EXPECT_EQ(settings.opacityPercent, 100);
  EXPECT_EQ(settings.baseColor, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(exitTintlet(), 0);
}

// The dialog keys turn Enter into the command id of "Co&lor"; a template ended with Enter must not
// open the colour dialog, while the button still works by click, Space and its mnemonic.
TEST(OptionsPage, EnterOpensNoColorDialog) {
  clearSettings();
  startTintlet();
  openOptions();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, cancelColorDialog);
  struct Case { const char* how; void (*act)(); bool opens; };
  const Case cases[] = {
      {"Enter in the template field", [] {
         SetFocus(optionsControls[kTemplateCombo]);
         pressKey(VK_RETURN);
       }, false},
      {"Enter on a radio button", [] {
         SetFocus(optionsControls.notationRadio(0));
         pressKey(VK_RETURN);
       }, false},
      {"Space on the button", [] {
         SetFocus(optionsControls[kColorButton]);
         pressKey(VK_SPACE);
       }, true},
      {"its mnemonic Alt+L", [] {
         SetFocus(optionsControls[kTemplateCombo]);
         pressKeys({VK_MENU, 'L'});
       }, true},
      {"a click", [] { clickAt(centreOf(optionsControls[kColorButton])); }, true},
  };
  for (const Case& c : cases) {
    colorDialogSeen = false;
    c.act();
    pumpFor(200);
    EXPECT_EQ(colorDialogSeen, c.opens) << c.how;
    EXPECT_EQ(optionsState.colorDialogWnd, nullptr) << c.how;
  }
  KillTimer(nullptr, timer);
  EXPECT_EQ(settings.baseColor, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(exitTintlet(), 0);
}
