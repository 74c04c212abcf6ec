#include "tray/tray.h"

#include <algorithm>
#include <cstddef>
#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <iterator>

#include "app/action_table.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "export/notation.h"
#include "history/history_menu.h"

namespace {

NOTIFYICONDATAA trayIconData;
bool trayIconAdded = false;  // wanted in the tray: between addTrayIcon and removeTrayIcon

// At sign-in Explorer may refuse the icon while it is still starting: tried again every 2 s for a minute.
constexpr UINT kTrayRetryMs = 2000;
constexpr int kTrayRetries = 30;
int trayRetriesLeft = 0;

// A call that timed out may still have added the icon: then it is there to be modified.
bool putTrayIcon() {
  return Shell_NotifyIconA(NIM_ADD, &trayIconData) || Shell_NotifyIconA(NIM_MODIFY, &trayIconData);
}

// The small icon at the size the shell shows it, from the image of that size: LoadIconA gives the large
// icon, which the shell then shrinks and blurs. LoadIconMetric (common controls 6, Vista on) knows the size
// for the display's scale; it is looked up at run time, since a system without it must still start.
HICON loadTrayIcon() {
  // The common controls are imported, so already loaded; the handle is not counted and is not freed.
  const FARPROC found = GetProcAddress(GetModuleHandleA("comctl32.dll"), "LoadIconMetric");
  const auto loadIconMetric = reinterpret_cast<decltype(&LoadIconMetric)>(reinterpret_cast<void (*)()>(found));
  HICON icon = nullptr;
  if (loadIconMetric && SUCCEEDED(loadIconMetric(app.appInstance, L"TLICON", LIM_SMALL, &icon)) && icon)
    return icon;
  return static_cast<HICON>(LoadImageA(app.appInstance, "TLICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), 0));
}

void putTrayIconOrRetry(HWND box) {
  if (putTrayIcon()) return;
  trayRetriesLeft = kTrayRetries;
  SetTimer(box, kTrayRetryTimerId, kTrayRetryMs, nullptr);
}

MENUITEMINFOA itemTemplate;
MENUITEMINFOA hideItemInfo;  // renamed "&Show" while the box is hidden
MENUITEMINFOA workItemInfo;

struct SubItem {
  UINT id;
  const char* caption;
  UINT type;
  UINT state;
};
// In insertion order; each is put before the ones already there, so the menu shows them reversed.
constexpr SubItem kDisplayItems[] = {
    {kCmdDecimal, "&Decimal", MFT_RADIOCHECK, 0},     {kCmdHexadecimal, "&Hexadecimal", MFT_RADIOCHECK, MFS_CHECKED},
    {kCmdSeparator, nullptr, MFT_SEPARATOR, 0},       {kCmdMicro, "Mi&cro", MFT_RADIOCHECK, 0},
    {kCmdNormal, "&Normal", MFT_RADIOCHECK, MFS_CHECKED}, {kCmdZoom, "&Zoom", MFT_RADIOCHECK, 0},
    // Above Zoom: the four forms' items lie together, Micro (30) to Contrast (33), as one radio group.
    {kCmdContrast, "Con&trast", MFT_RADIOCHECK, 0},
    {kCmdSeparator, nullptr, MFT_SEPARATOR, 0},
    {kCmdSampleMenu, "&Sample", MFT_STRING, 0},       {kCmdMagnifierMenu, "Ma&gnifier", MFT_STRING, 0},
    {kCmdSeparator, nullptr, MFT_SEPARATOR, 0},
};
static_assert(kCmdLastScale - kCmdFirstScale + 1 == std::size(kMagnifierScales), "one item per scale");
static_assert(kCmdLastSample - kCmdFirstSample + 1 == std::size(kSampleSides), "one item per sample side");
constexpr UINT kViewItems[] = {kCmdDecimal, kCmdHexadecimal, kCmdMicro, kCmdNormal, kCmdZoom, kCmdContrast};
constexpr UINT kFormItems[] = {kCmdMicro, kCmdNormal, kCmdZoom, kCmdContrast};

// The main menu top to bottom. An action's item takes its caption from the action's row.
constexpr UINT kTrayOrder[] = {kCmdOptions, kCmdFormat, kCmdDisplay, kCmdColors, kCmdCopy,
                               kCmdHistory, kCmdPaste, kCmdNudge, kCmdShowHide, kCmdExit};

struct TrayItem {
  UINT id;
  const char* caption;
};
constexpr TrayItem kOwnItems[] = {
    {kCmdFormat, "&Format"}, {kCmdDisplay, "&Display"}, {kCmdColors, "Co&lors"}, {kCmdHistory, "Histor&y"}};

constexpr const char* trayCaption(UINT id) {
  const int action = actionOfMenuId(static_cast<int>(id));
  if (action >= 0) return kActions[action].menuCaption;
  for (const TrayItem& item : kOwnItems)
    if (item.id == id) return item.caption;
  return nullptr;
}
constexpr bool everyTrayItemPlaced() {
  for (UINT id : kTrayOrder)
    if (!trayCaption(id)) return false;
  for (const ActionRow& a : kActions) {
    bool listed = !a.menuId;
    for (UINT id : kTrayOrder) listed = listed || id == static_cast<UINT>(a.menuId);
    if (!listed || (a.menuId && !a.menuCaption)) return false;
  }
  return true;
}
static_assert(everyTrayItemPlaced(), "every tray item has a caption and every action's item a place");

HMENU submenuOf(UINT id) {
  switch (id) {
    case kCmdFormat:  return app.formatMenu;
    case kCmdDisplay: return app.displayMenu;
    case kCmdHistory: return app.historyMenu;
    case kCmdMagnifierMenu: return app.magnifierMenu;
    case kCmdSampleMenu:    return app.sampleMenu;
    default:          return nullptr;
  }
}

void fillSubItem(const SubItem& sub) {
  workItemInfo = itemTemplate;
  workItemInfo.wID = sub.id;
  workItemInfo.fType = sub.type;
  workItemInfo.fState = sub.state;
  workItemInfo.dwTypeData = const_cast<char*>(sub.caption);
  if (const HMENU menu = submenuOf(sub.id)) {
    workItemInfo.fMask |= MIIM_SUBMENU;
    workItemInfo.hSubMenu = menu;
  }
}

// A submenu of radio items, one for each name, with the command ids from `firstId` on; the first is checked.
template <std::size_t N>
HMENU radioMenu(const char* const (&names)[N], UINT firstId) {
  const HMENU menu = CreatePopupMenu();
  for (UINT i = 0; i < N; ++i) {
    fillSubItem({firstId + i, names[i], MFT_RADIOCHECK, i == 0 ? UINT(MFS_CHECKED) : 0});
    InsertMenuItemA(menu, i, TRUE, &workItemInfo);
  }
  return menu;
}

}  // namespace

void buildTrayMenu() {
  itemTemplate = {};
  itemTemplate.cbSize = sizeof(MENUITEMINFOA);
  itemTemplate.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
  itemTemplate.fType = MFT_STRING;
  app.boxShown = 1;

  app.formatMenu = CreatePopupMenu();
  app.displayMenu = CreatePopupMenu();
  app.historyMenu = CreatePopupMenu();
  fillHistoryMenu();
  app.magnifierMenu = radioMenu(kMagnifierScaleNames, kCmdFirstScale);
  app.sampleMenu = radioMenu(kSampleSideNames, kCmdFirstSample);

  // By command with item 0, which no item has, appends; later items go in at position 0.
  bool first = true;
  for (const SubItem& sub : kDisplayItems) {
    fillSubItem(sub);
    InsertMenuItemA(app.displayMenu, 0, first ? FALSE : TRUE, &workItemInfo);
    first = false;
  }
  fillSubItem({kCmdMouseMode, "&Mouse mode", MFT_RADIOCHECK, 0});
  InsertMenuItemA(app.displayMenu, 0, TRUE, &workItemInfo);

  // In command id order; a gap in the ids starts a new section below a separator.
  UINT items = 0;
  for (int position = 0; position < kNotationCount; ++position) {
    const Notation& notation = kNotations[notationAtPosition(position)];
    if (position > 0 && notation.commandId != kNotations[notationAtPosition(position - 1)].commandId + 1) {
      fillSubItem({kCmdSeparator, nullptr, MFT_SEPARATOR, 0});
      InsertMenuItemA(app.formatMenu, items++, TRUE, &workItemInfo);
    }
    fillSubItem({static_cast<UINT>(notation.commandId), notation.caption, MFT_RADIOCHECK, 0});
    InsertMenuItemA(app.formatMenu, items++, TRUE, &workItemInfo);
  }

  app.trayMenu = CreatePopupMenu();
  UINT position = 0;
  for (UINT id : kTrayOrder) {
    fillSubItem({id, trayCaption(id), MFT_STRING, id == kCmdOptions ? UINT(MFS_DEFAULT) : 0});
    if (id == kCmdShowHide) {
      workItemInfo.dwItemData = 1;
      hideItemInfo = workItemInfo;
    }
    InsertMenuItemA(app.trayMenu, position++, TRUE, &workItemInfo);
  }
}

void addTrayIcon(HWND box) {
  trayIconData = {};
  trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
  trayIconData.hWnd = box;
  trayIconData.uID = 1;
  trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIconData.uCallbackMessage = kTrayCallbackMsg;
  if (!app.trayIcon) app.trayIcon = loadTrayIcon();
  trayIconData.hIcon = app.trayIcon;
  std::strcpy(trayIconData.szTip, " Tintlet 2.51 ");
  trayIconAdded = true;
  // Explorer broadcasts this when it (re)creates the taskbar; the icon must then be added again.
  app.taskbarCreatedMsg = RegisterWindowMessageA("TaskbarCreated");
  putTrayIconOrRetry(box);
}

LRESULT onTaskbarCreated(HWND box) {
  if (trayIconAdded) putTrayIconOrRetry(box);
  return 0;
}

LRESULT onTrayRetry(HWND box) {
  if (!trayIconAdded || putTrayIcon() || --trayRetriesLeft <= 0) KillTimer(box, kTrayRetryTimerId);
  return 0;
}

void removeTrayIcon() {
  if (!trayIconAdded) return;
  KillTimer(trayIconData.hWnd, kTrayRetryTimerId);
  Shell_NotifyIconA(NIM_DELETE, &trayIconData);
  trayIconAdded = false;
}

LRESULT onTrayNotify(HWND box, LPARAM mouseMsg) {
  if (mouseMsg == WM_LBUTTONDBLCLK) {
    setBoxShown(!app.boxShown);
  } else if (mouseMsg == WM_RBUTTONDOWN) {
    SetForegroundWindow(box);
    PostMessageA(box, WM_RBUTTONUP, 0, 0);
  }
  return 0;
}

void showTrayMenu() {
  POINT p;
  if (!GetCursorPos(&p)) {
    // The pointer cannot be read (input on another desktop): where it was when the click came.
    const DWORD at = GetMessagePos();
    p = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  }
  SetForegroundWindow(app.boxWnd);
  TrackPopupMenuEx(app.trayMenu, TPM_CENTERALIGN, p.x, p.y, app.boxWnd, nullptr);
  // Without this the menu does not close when the user clicks elsewhere.
  PostMessageA(app.boxWnd, WM_NULL, 0, 0);
}

void setViewItemsEnabled(UINT flag) {
  for (UINT id : kViewItems) EnableMenuItem(app.trayMenu, id, MF_BYCOMMAND | flag);
}

void markForm(BoxForm form) {
  UINT mark = kCmdNormal;
  switch (form) {
    case BoxForm::micro:    mark = kCmdMicro; break;
    case BoxForm::zoom:     mark = kCmdZoom; break;
    case BoxForm::contrast: mark = kCmdContrast; break;
    case BoxForm::normal:   break;
  }
  CheckMenuRadioItem(app.trayMenu, kCmdMicro, kCmdContrast, mark, MF_BYCOMMAND);
  for (UINT id : kFormItems) EnableMenuItem(app.trayMenu, id, MF_BYCOMMAND | MF_ENABLED);
}

void markDisplayBase(bool decimal) {
  CheckMenuRadioItem(app.trayMenu, kCmdDecimal, kCmdHexadecimal, decimal ? kCmdDecimal : kCmdHexadecimal,
                     MF_BYCOMMAND);
  EnableMenuItem(app.trayMenu, kCmdDecimal, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(app.trayMenu, kCmdHexadecimal, MF_BYCOMMAND | MF_ENABLED);
}

void markNotation(int command) {
  CheckMenuRadioItem(app.formatMenu, kFirstNotationCommand, kLastNotationCommand, command, MF_BYCOMMAND);
}

void markMiddleButtonMode(bool on) {
  CheckMenuItem(app.displayMenu, kCmdMouseMode, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void markBoxShown(bool shown) {
  const UINT flag = shown ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(app.trayMenu, kCmdCopy, MF_BYCOMMAND | flag);
  EnableMenuItem(app.trayMenu, kCmdNudge, MF_BYCOMMAND | flag);
  setViewItemsEnabled(flag);
  app.boxShown = shown ? 1 : 0;
  hideItemInfo.dwItemData = app.boxShown;
  hideItemInfo.dwTypeData = const_cast<char*>(shown ? "&Hide" : "&Show");
  SetMenuItemInfoA(app.trayMenu, kCmdShowHide, FALSE, &hideItemInfo);
}

void markMagnifierScale(int scale) {
  CheckMenuRadioItem(app.magnifierMenu, kCmdFirstScale, kCmdLastScale,
                     kCmdFirstScale + std::max(magnifierScaleIndex(scale), 0), MF_BYCOMMAND);
}

void markSampleSide(int side) {
  CheckMenuRadioItem(app.sampleMenu, kCmdFirstSample, kCmdLastSample,
                     kCmdFirstSample + std::max(sampleSideIndex(side), 0), MF_BYCOMMAND);
}
