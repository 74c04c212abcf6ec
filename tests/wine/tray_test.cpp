// The tray icon and its popup menu in the real program.
#include "harness.h"
#include "import_patch.h"

#include <string>
#include <vector>

#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"
#include "settings/settings.h"

namespace {

struct Item {
  UINT id;
  const char* caption;  // null for a separator
  UINT type;
  UINT state;
  bool submenu;
};

Item readItem(HMENU menu, int pos) {
  static char caption[64];
  caption[0] = '\0';
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = caption;
  info.cch = sizeof caption;
  GetMenuItemInfoA(menu, pos, TRUE, &info);
  return {info.wID, caption, info.fType, info.fState, info.hSubMenu != nullptr};
}

void expectMenu(HMENU menu, const std::vector<Item>& expected, const char* which) {
  ASSERT_EQ(GetMenuItemCount(menu), int(expected.size())) << which;
  for (int i = 0; i < int(expected.size()); ++i) {
    const Item got = readItem(menu, i);
    const Item& want = expected[i];
    EXPECT_EQ(got.id, want.id) << which << " item " << i;
    EXPECT_EQ(got.type, want.type) << which << " item " << i;
    EXPECT_EQ(got.state, want.state) << which << " item " << i;
    EXPECT_EQ(got.submenu, want.submenu) << which << " item " << i;
    if (want.caption) EXPECT_STREQ(got.caption, want.caption) << which << " item " << i;
  }
}

bool checked(UINT id) { return (GetMenuState(app.trayMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
bool grayed(UINT id) { return (GetMenuState(app.trayMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

std::string caption(UINT id) {
  char text[32] = {};
  GetMenuStringA(app.trayMenu, id, text, sizeof text, MF_BYCOMMAND);
  return text;
}

struct TrayFixture : ::testing::Test {
  void SetUp() override {
    clearSettings();
    SetCursorPos(300, 300);
    startTintlet();
    pumpFor(30);
  }
  static void command(UINT id) { SendMessageA(app.boxWnd, WM_COMMAND, id, 0); }
};

bool menuSeen = false;
void CALLBACK closeOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu && IsWindowVisible(menu)) menuSeen = true;
  EndMenu();
  KillTimer(nullptr, id);
}

const UINT R = MFT_RADIOCHECK, S = MFT_SEPARATOR;

// Shell_NotifyIconA as Explorer answers while it is still starting at sign-in: it refuses the first
// `refusals` calls, whatever they ask, and then lets them through.
struct BusyShell {
  static inline int refusals = 0, calls = 0, added = 0;
  static inline decltype(&Shell_NotifyIconA) real = nullptr;
  static BOOL WINAPI notify(DWORD message, PNOTIFYICONDATAA data) {
    if (++calls <= refusals) return FALSE;
    const BOOL done = real(message, data);
    if (done && message == NIM_ADD) ++added;
    return done;
  }
  ImportPatch patch{"shell32.dll", "Shell_NotifyIconA", reinterpret_cast<const void*>(&notify)};
  explicit BusyShell(int refused) {
    refusals = refused;
    calls = added = 0;
    real = patch.original<decltype(&Shell_NotifyIconA)>();
  }
};

bool iconPresent(HWND box) {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = box;
  icon.uID = 1;
  return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

}  // namespace

TEST_F(TrayFixture, MenuTreeAsBuilt) {
  expectMenu(app.trayMenu,
             {{3, "&Options", 0, MFS_DEFAULT, false}, {4, "&Format", 0, 0, true}, {7, "&Display", 0, 0, true},
              {5, "Co&lors", 0, 0, false}, {8, "&Copy", 0, 0, false}, {57, "Histor&y", 0, 0, true},
              {86, "&Paste color", 0, 0, false}, {9, "&Nudge", 0, 0, false},
              {2, "&Hide", 0, 0, false}, {1, "E&xit", 0, 0, false}},
             "root");
  EXPECT_EQ(GetSubMenu(app.trayMenu, 1), app.formatMenu);
  EXPECT_EQ(GetSubMenu(app.trayMenu, 2), app.displayMenu);
  EXPECT_EQ(GetSubMenu(app.trayMenu, 5), app.historyMenu);
  expectMenu(app.historyMenu,
             {{58, "(empty)", 0, MFS_GRAYED, false}, {1000, nullptr, S, 0, false},
              {55, "Copy &all", 0, MFS_GRAYED, false}, {56, "&Save as...", 0, MFS_GRAYED, false}},
             "history");
  // Start-up clicked the loaded notation's radio button, which marked its item.
  expectMenu(app.formatMenu,
             {{10, "&HTML", R, MFS_CHECKED, false}, {11, "&Delphi", R, 0, false}, {12, "&C++", R, 0, false},
              {13, "&Java", R, 0, false}, {14, "&VB", R, 0, false}, {15, "D&ecimal", R, 0, false},
              {16, "C&ustom", R, 0, false}, {1000, nullptr, S, 0, false}, {50, "CSS &rgb()", R, 0, false},
              {51, "CSS hsl()", R, 0, false}, {52, "HSV", R, 0, false}, {53, "Flo&at", R, 0, false},
              {54, "&OKLCH", R, 0, false}},
             "format");
  expectMenu(app.displayMenu,
             {{40, "&Mouse mode", R, 0, false}, {1000, nullptr, S, 0, false}, {79, "Ma&gnifier", 0, 0, true},
              {89, "&Sample", 0, 0, true}, {1000, nullptr, S, 0, false}, {33, "Con&trast", R, 0, false},
              {32, "&Zoom", R, 0, false},
              {31, "&Normal", R, MFS_CHECKED, false}, {30, "Mi&cro", R, 0, false}, {1000, nullptr, S, 0, false},
              {21, "&Hexadecimal", R, MFS_CHECKED, false}, {20, "&Decimal", R, 0, false}},
             "display");
  EXPECT_EQ(GetSubMenu(app.displayMenu, 2), app.magnifierMenu);
  EXPECT_EQ(GetSubMenu(app.displayMenu, 3), app.sampleMenu);
  expectMenu(app.magnifierMenu,
             {{80, "\xD7" "2", R, MFS_CHECKED, false}, {81, "\xD7" "4", R, 0, false}, {82, "\xD7" "6", R, 0, false},
              {83, "\xD7" "8", R, 0, false}},
             "magnifier");
  expectMenu(app.sampleMenu,
             {{90, "Point", R, MFS_CHECKED, false}, {91, "3 \xD7 3", R, 0, false}, {92, "5 \xD7 5", R, 0, false},
              {93, "7 \xD7 7", R, 0, false}, {94, "9 \xD7 9", R, 0, false}, {95, "11 \xD7 11", R, 0, false},
              {96, "13 \xD7 13", R, 0, false}},
             "sample");
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(TrayFixture, RadioMarksFollowTheActions) {
  struct Step { int action; UINT base, form; };
  const Step steps[] = {{1, 20, 31}, {5, 20, 32}, {7, 20, 30}, {1, 21, 30}, {5, 21, 32},
                        {10, 21, 33}, {7, 21, 30}, {10, 21, 33}, {10, 21, 31}, {10, 21, 33}, {5, 21, 32}, {5, 21, 31}};
  for (const Step& s : steps) {
    SendMessageA(app.boxWnd, WM_HOTKEY, s.action, 0);
    for (UINT id : {20u, 21u}) EXPECT_EQ(checked(id), id == s.base) << "action " << s.action << " id " << id;
    for (UINT id : {30u, 31u, 32u, 33u}) EXPECT_EQ(checked(id), id == s.form) << "action " << s.action << " id " << id;
    for (UINT id : {20u, 21u, 30u, 31u, 32u, 33u}) EXPECT_FALSE(grayed(id));
  }
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(TrayFixture, HidingGraysTheViewItemsAndRenamesTheItem) {
  const UINT grayedWhileHidden[] = {8, 9, 20, 21, 30, 31, 32, 33};
  const UINT alwaysAvailable[] = {3, 4, 7, 5, 57, 2, 1, 10, 16, 40};
  command(2);
  ASSERT_EQ(app.boxShown, 0);
  for (UINT id : grayedWhileHidden) EXPECT_TRUE(grayed(id)) << id;
  for (UINT id : alwaysAvailable) EXPECT_FALSE(grayed(id)) << id;
  EXPECT_EQ(caption(2), "&Show");
  command(2);
  ASSERT_EQ(app.boxShown, 1);
  for (UINT id : grayedWhileHidden) EXPECT_FALSE(grayed(id)) << id;
  EXPECT_EQ(caption(2), "&Hide");
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(TrayFixture, IconDoubleClickTogglesTheBoxAndRightClickOpensTheMenu) {
  SendMessageA(app.boxWnd, kTrayCallbackMsg, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(pumpUntil([] { return !IsWindowVisible(app.boxWnd); }));
  SendMessageA(app.boxWnd, kTrayCallbackMsg, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(app.boxWnd) != 0; }));

  // The menu runs its own modal loop; a timer of this thread finds it open and cancels it.
  menuSeen = false;
  SetTimer(nullptr, 0, 200, closeOpenMenu);
  SendMessageA(app.boxWnd, kTrayCallbackMsg, 1, WM_RBUTTONDOWN);
  pumpFor(600);
  EXPECT_TRUE(menuSeen);
  EXPECT_TRUE(IsWindowVisible(app.boxWnd)) << "cancelling the menu does nothing";
  EXPECT_EQ(exitTintlet(), 0);
}

TEST_F(TrayFixture, CommandsReachTheirActions) {
  command(20);
  EXPECT_EQ(settings.decimalDisplay, 1);
  command(20);  // already decimal: nothing
  EXPECT_EQ(settings.decimalDisplay, 1);
  command(21);
  EXPECT_EQ(settings.decimalDisplay, 0);
  command(32);
  EXPECT_TRUE((settings.form == BoxForm::zoom));
  command(30);
  EXPECT_TRUE((settings.form == BoxForm::micro));
  EXPECT_FALSE((settings.form == BoxForm::zoom));
  const int microHeight = boxState.boxHeight;
  command(30);  // already micro: nothing
  EXPECT_EQ(boxState.boxHeight, microHeight);
  command(31);
  EXPECT_FALSE((settings.form == BoxForm::micro));
  EXPECT_FALSE((settings.form == BoxForm::zoom));
  boxState.boxHeight = 0;
  command(31);  // Normal always lays the box out again
  EXPECT_EQ(boxState.boxHeight, 2 * app.lineHeight + 2);
  command(33);
  EXPECT_TRUE((settings.form == BoxForm::contrast));
  EXPECT_EQ(boxState.boxHeight, 2 * app.lineHeight + 4);
  command(33);  // already contrast: nothing
  EXPECT_TRUE((settings.form == BoxForm::contrast));
  command(31);
  command(2);
  EXPECT_EQ(app.boxShown, 0);
  command(2);
  EXPECT_EQ(app.boxShown, 1);
  command(1);
  EXPECT_EQ(runMessageLoop(), 0);
  shutDown();
}

TEST_F(TrayFixture, TaskbarRestartAddsTheIconAgain) {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = app.boxWnd;
  icon.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon)) << "the icon was added at start";
  ASSERT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "a removed icon cannot be modified";
  SendMessageA(app.boxWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the icon is there again";
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(TrayIcon, RefusedAtStartIsAddedOnceTheShellTakesIt) {
  clearSettings();
  {
    // The add at start and the first try after it, each an add and then a look for an icon added after all.
    BusyShell shell(4);
    ASSERT_TRUE(shell.patch.active());
    startTintlet();
    EXPECT_EQ(BusyShell::added, 0);
    ASSERT_TRUE(pumpUntil([] { return BusyShell::added == 1; }, 20000)) << BusyShell::calls << " calls";
    EXPECT_EQ(BusyShell::calls, 5);
  }
  const HWND box = app.boxWnd;
  EXPECT_TRUE(iconPresent(box));
  EXPECT_FALSE(KillTimer(box, kTrayRetryTimerId)) << "the tries go on after the icon was added";
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_FALSE(iconPresent(box)) << "the icon stays after exit";
}

TEST_F(TrayFixture, IconIsTheSmallIconAtItsSizeAndIsDestroyedAtExit) {
  const HICON icon = app.trayIcon;
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(colour.bmHeight, GetSystemMetrics(SM_CYSMICON));
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(app.trayIcon, nullptr);
  ICONINFO after = {};
  EXPECT_FALSE(GetIconInfo(icon, &after)) << "the icon outlives the program";
}
