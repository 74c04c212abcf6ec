// The colour history of the tray menu in the real program: what enters it, its submenu, its store.
#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/names.h"
#include "app/state.h"
#include "history/history_menu.h"
#include "box/box.h"
#include "box/dpi_scale.h"
#include "harness.h"
#include "settings/settings.h"

namespace {

constexpr DWORD kFrame = 0x404040;  // the swatch's frame, as 0x00RRGGBB
constexpr int kSwatchAt96 = 12;

struct Item {
  UINT id;
  std::string caption;
  UINT type;
  UINT state;
  HBITMAP swatch;
};

std::vector<Item> historyItems() {
  std::vector<Item> items;
  const int count = GetMenuItemCount(app.historyMenu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(app.historyMenu, i, TRUE, &info);
    items.push_back({info.wID, text, info.fType, info.fState, info.hbmpItem});
  }
  return items;
}

DWORD rgbOf(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

// What is wrong with a swatch: "" when it is `size` pixels square, framed, and `color` inside.
std::string swatchFault(HBITMAP swatch, COLORREF color, int size) {
  BITMAP b = {};
  if (!swatch || !GetObjectA(swatch, sizeof b, &b)) return "no bitmap";
  if (b.bmWidth != size || b.bmHeight != size)
    return "size " + std::to_string(b.bmWidth) + "x" + std::to_string(b.bmHeight);
  std::vector<DWORD> bits(static_cast<size_t>(size) * size);
  BITMAPINFO info = topDownBitmapInfo(size, size, 32);
  const HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, swatch, 0, size, bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != size) return "pixels unreadable";
  int wrong = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      if ((bits[y * size + x] & 0xFFFFFF) != (edge ? kFrame : rgbOf(color))) ++wrong;
    }
  return wrong ? std::to_string(wrong) + " wrong pixels" : "";
}

// "Copy &all" and "&Save as..." end the submenu, grayed while there is nothing to take.
void expectWholeHistoryItems(const std::vector<Item>& items, UINT state) {
  ASSERT_GE(items.size(), 2u);
  const Item& copyAll = items[items.size() - 2];
  const Item& saveAs = items.back();
  EXPECT_EQ(copyAll.id, static_cast<UINT>(kCmdCopyAllHistory));
  EXPECT_EQ(copyAll.caption, "Copy &all");
  EXPECT_EQ(copyAll.state, state);
  EXPECT_EQ(saveAs.id, static_cast<UINT>(kCmdSaveHistory));
  EXPECT_EQ(saveAs.caption, "&Save as...");
  EXPECT_EQ(saveAs.state, state);
}

// The submenu shows `colors`, newest first, as entries 60, 61, ... with their swatches and, unless none
// are given, these captions; then a separator, "C&lear history", "Copy &all" and "&Save as...". No
// colours: "(empty)", a separator and the last two, all grayed.
void expectHistory(const std::vector<COLORREF>& colors, const std::vector<std::string>& captions = {},
                   int swatchSize = kSwatchAt96) {
  const std::vector<Item> items = historyItems();
  if (colors.empty()) {
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].caption, "(empty)");
    EXPECT_EQ(items[0].state, static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(items[0].swatch, nullptr);
    EXPECT_EQ(items[1].type, static_cast<UINT>(MFT_SEPARATOR));
    expectWholeHistoryItems(items, MFS_GRAYED);
    return;
  }
  ASSERT_EQ(items.size(), colors.size() + 4);
  for (size_t i = 0; i < colors.size(); ++i) {
    EXPECT_EQ(items[i].id, kCmdFirstHistory + i) << "entry " << i;
    EXPECT_EQ(items[i].state & MFS_GRAYED, 0u) << "entry " << i;
    EXPECT_EQ(swatchFault(items[i].swatch, colors[i], swatchSize), "") << "entry " << i << " " << std::hex
                                                                       << colors[i];
    if (!captions.empty()) EXPECT_EQ(items[i].caption, captions[i]) << "entry " << i;
  }
  EXPECT_EQ(items[colors.size()].type, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(items[colors.size() + 1].id, static_cast<UINT>(kCmdClearHistory));
  EXPECT_EQ(items[colors.size() + 1].caption, "C&lear history");
  expectWholeHistoryItems(items, 0);
}

// Keys typed into the open tray menu: mnemonic characters and '\r' as WM_CHAR, arrows as WM_KEYDOWN.
struct Key {
  UINT msg;
  WPARAM code;
};
Key chr(char c) { return {WM_CHAR, static_cast<WPARAM>(c)}; }
Key press(WPARAM vk) { return {WM_KEYDOWN, vk}; }

std::vector<Key> pendingKeys;
bool menuWasOpen = false;

void CALLBACK endMenuForGood(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Runs inside the menu's own loop: the keys go to this thread's queue, which the menu reads.
void CALLBACK typeIntoMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowA("#32768", nullptr);
  menuWasOpen = menu && IsWindowVisible(menu);
  for (const Key& k : pendingKeys) PostMessageA(app.boxWnd, k.msg, k.code, 0);
  SetTimer(nullptr, 0, 2000, endMenuForGood);  // keys that leave the menu open must not hang the test
}

// Opens the tray menu as a right click on the icon does, and types `keys` into it.
void useTrayMenu(const std::vector<Key>& keys) {
  pendingKeys = keys;
  menuWasOpen = false;
  SetTimer(nullptr, 0, 200, typeIntoMenu);
  SendMessageA(app.boxWnd, kTrayCallbackMsg, 1, WM_RBUTTONDOWN);
  pumpFor(700);
  EXPECT_TRUE(menuWasOpen);
}

std::vector<HBITMAP> swatches() {
  std::vector<HBITMAP> all;
  for (const Item& item : historyItems())
    if (item.swatch) all.push_back(item.swatch);
  return all;
}

bool grayed(UINT id) { return (GetMenuState(app.trayMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

std::string storedHistory() {
  char text[512] = {};
  DWORD size = sizeof text, type = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "history", RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS)
    return "<missing>";
  return type == REG_SZ ? text : "<type " + std::to_string(type) + ">";
}

constexpr COLORREF kA = RGB(0xFA, 0xDC, 0x1E), kB = RGB(5, 12, 255), kC = RGB(0x80, 0, 0x40);

// The real program, started fresh with the pointer over a window whose colour the test sets.
class History : public ::testing::Test {
 protected:
  void SetUp() override {
    clearSettings();
    SetCursorPos(300, 300);
    startTintlet();
  }
  void TearDown() override {
    if (IsWindow(app.boxWnd)) EXPECT_EQ(exitTintlet(), 0);  // unless the test ended the program itself
  }
  // Puts `c` under the pointer and waits until the box shows it.
  void show(COLORREF c) {
    target_.setColor(c);
    ASSERT_TRUE(pumpUntil([&] { return settings.pickedColor == c && boxState.shownColor == c; })) << std::hex << c;
  }
  void copy(COLORREF c) {
    show(c);
    SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
  }
  ColorWindow target_{{200, 200, 400, 400}, RGB(1, 1, 1)};
};

}  // namespace

TEST_F(History, CopiesAreEntriesNewestFirstAndAChosenOneIsCopiedAgain) {
  expectHistory({});
  SendMessageA(app.boxWnd, WM_COMMAND, 14, 0);  // "&VB", whose texts begin with '&'
  ASSERT_EQ(settings.formatIndex, 5);
  copy(kA);
  show(kB);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdCopy, 0);  // the tray's "&Copy"
  copy(kC);
  ASSERT_EQ(readClipboard().text, "&H400080");
  expectHistory({kC, kB, kA}, {"&&H400080", "&&HFF0C05", "&&H1EDCFA"});

  // The second entry, chosen in the real menu: "Histor&y", one down, Enter.
  useTrayMenu({chr('y'), press(VK_DOWN), chr('\r')});
  pumpFor(100);
  EXPECT_EQ(readClipboard().text, "&HFF0C05");
  EXPECT_EQ(settings.pickedColor, kC) << "the box keeps its colour";
  EXPECT_STREQ(app.hexText, "800040");
  EXPECT_FALSE(boxState.colorFixed);
  expectHistory({kB, kC, kA});  // copied again, it comes first
}

TEST_F(History, CaptionsFollowTheNotationWhenTheSubmenuOpens) {
  copy(kA);
  copy(kB);
  expectHistory({kB, kA}, {"#050CFF", "#FADC1E"});
  SendMessageA(app.boxWnd, WM_COMMAND, 15, 0);  // "D&ecimal"
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdMicro, 0);  // a change of form touches no history
  useTrayMenu({chr('y'), press(VK_ESCAPE), press(VK_ESCAPE)});
  expectHistory({kB, kA}, {"5,12,255", "250,220,30"});
  EXPECT_EQ(readClipboard().text, "#050CFF") << "opening the submenu copies nothing";
}

// The test display is one monitor: swatches made on a monitor of 144 DPI stand for a menu that opens on
// another monitor than the one they were made for.
TEST_F(History, SwatchesMadeForAnotherDpiAreMadeAgainWhenTheSubmenuOpens) {
  copy(kA);
  copy(kB);
  const std::vector<HBITMAP> made = swatches();
  historyMenuState.historySwatchDpi = 144;
  useTrayMenu({chr('y'), press(VK_ESCAPE), press(VK_ESCAPE)});
  expectHistory({kB, kA}, {"#050CFF", "#FADC1E"}, kSwatchAt96);
  for (HBITMAP b : made) EXPECT_EQ(GetObjectType(b), 0u) << "a swatch for the other DPI is still alive";
  EXPECT_EQ(historyMenuState.historySwatchDpi, 96);
}

TEST_F(History, ARepeatMovesToTheFrontAndTheThirteenthDropsTheOldest) {
  std::vector<COLORREF> colors;  // newest first
  for (int i = 1; i <= 12; ++i) {
    const COLORREF c = RGB(10 * i, 255 - i, 7);
    copy(c);
    colors.insert(colors.begin(), c);
  }
  expectHistory(colors);
  copy(RGB(50, 250, 7));  // the fifth, in the middle
  expectHistory({RGB(50, 250, 7), colors[0], colors[1], colors[2], colors[3], colors[4], colors[5], colors[6],
                 colors[8], colors[9], colors[10], colors[11]});
  copy(RGB(1, 2, 3));
  expectHistory({RGB(1, 2, 3), RGB(50, 250, 7), colors[0], colors[1], colors[2], colors[3], colors[4], colors[5],
                 colors[6], colors[8], colors[9], colors[10]});
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedHistory(), "010203,32FA07,78F307,6EF407,64F507,5AF607,50F707,46F807,3CF907,28FB07,1EFC07,14FD07");
}

TEST_F(History, FreezingAColourEntersIt) {
  show(kA);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionFixColor, 0);
  ASSERT_TRUE(boxState.colorFixed);
  expectHistory({kA});
  target_.setColor(kB);
  pumpFor(100);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionFixColor, 0);  // thawing is no new colour
  expectHistory({kA});
  show(kB);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionFixColor, 0);
  expectHistory({kB, kA});
}

TEST_F(History, OnlyAChangedHistoryBuildsTheSubmenuAgain) {
  copy(kA);
  copy(kB);
  const std::vector<HBITMAP> built = swatches();
  ASSERT_EQ(built.size(), 2u);
  show(kC);  // ticks of a new colour, no copy
  pumpFor(200);
  copy(kB);  // first already
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdFirstHistory, 0);  // the first entry, copied again
  EXPECT_EQ(readClipboard().text, "#050CFF");
  EXPECT_EQ(swatches(), built);
  for (HBITMAP b : built) EXPECT_EQ(GetObjectType(b), static_cast<DWORD>(OBJ_BITMAP));
}

TEST_F(History, ClearingEmptiesTheSubmenuAndEveryBuildFreesTheLastSwatches) {
  copy(kA);
  copy(kB);
  copy(kC);
  const std::vector<HBITMAP> first = swatches();
  ASSERT_EQ(first.size(), 3u);
  for (HBITMAP b : first) EXPECT_EQ(GetObjectType(b), static_cast<DWORD>(OBJ_BITMAP));
  copy(kA);  // built again: new swatches, the last ones deleted
  const std::vector<HBITMAP> second = swatches();
  ASSERT_EQ(second.size(), 3u);
  for (HBITMAP b : first) EXPECT_EQ(GetObjectType(b), 0u) << "a swatch of the last build is still alive";
  useTrayMenu({chr('y'), chr('l')});  // "C&lear history"
  pumpFor(50);
  expectHistory({});
  for (HBITMAP b : second) EXPECT_EQ(GetObjectType(b), 0u) << "a swatch outlived the clearing";
  copy(kB);
  const std::vector<HBITMAP> last = swatches();
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(GetObjectType(last[0]), 0u) << "the swatch outlived the exit";
  EXPECT_EQ(storedHistory(), "050CFF");
}

TEST_F(History, EntriesStillCopyWhileTheBoxIsHidden) {
  copy(kA);
  copy(kB);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdShowHide, 0);
  ASSERT_EQ(app.boxShown, 0);
  EXPECT_TRUE(grayed(kCmdCopy));
  EXPECT_FALSE(grayed(kCmdHistory));
  // Under Wine a menu opened within moments of the hide closes at once: the hide's change of the active
  // window reaches it. A user's next right click comes later.
  pumpFor(300);
  useTrayMenu({chr('y'), press(VK_DOWN), chr('\r')});
  pumpFor(100);
  EXPECT_EQ(readClipboard().text, "#FADC1E");
  expectHistory({kA, kB});
  EXPECT_FALSE(IsWindowVisible(app.boxWnd)) << "choosing an entry leaves the box hidden";
}

// Run by the next test in a process of its own, after a first run stored three colours.
TEST(HistoryStore, DISABLED_StoredColoursAreTheSubmenuAtStart) {
  SetCursorPos(300, 300);
  startTintlet();
  expectHistory({kC, kB, kA}, {"#800040", "#050CFF", "#FADC1E"});
  EXPECT_EQ(exitTintlet(), 0);
}

// Run by the next test in a process of its own: a first run that copies three colours.
TEST_F(History, DISABLED_ThreeCopies) {
  copy(kA);
  copy(kB);
  copy(kC);
}

// Each run in a process of its own, since the program holds its single-instance mutex until the process ends.
TEST(HistoryStore, HistorySurvivesARestartInTheStoredFormat) {
  ASSERT_EQ(runInNewProcess("History.DISABLED_ThreeCopies"), 0u);
  EXPECT_EQ(storedHistory(), "800040,050CFF,FADC1E");
  EXPECT_EQ(runInNewProcess("HistoryStore.DISABLED_StoredColoursAreTheSubmenuAtStart"), 0u);
}

// Run by the next test in a process started with the prefix at 144 DPI.
TEST(HistoryStore, DISABLED_SwatchesAtTheSystemDpiOf144) {
  SetCursorPos(300, 300);
  startTintlet();
  expectHistory({kA, kB}, {"#FADC1E", "#050CFF"}, scaleForDpi(kSwatchAt96, 144));
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(HistoryStore, SwatchesAreMadeAtTheMenusDpi) {
  clearSettings();
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
  RegSetValueExA(key, "history", 0, REG_SZ, reinterpret_cast<const BYTE*>("FADC1E,050CFF"), 14);
  RegCloseKey(key);
  DWORD code;
  {
    PrefixDpi dpi(144);
    code = runInNewProcess("HistoryStore.DISABLED_SwatchesAtTheSystemDpiOf144");
  }
  EXPECT_EQ(code, 0u);
}
