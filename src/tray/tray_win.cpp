#include "tray/tray.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <initializer_list>

#include "app/state.h"
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

MENUITEMINFOA itemTemplate;  // also the record of "E&xit"
MENUITEMINFOA hideItemInfo, optionsItemInfo, colorsItemInfo, copyItemInfo, nudgeItemInfo, displayItemInfo;
MENUITEMINFOA formatItemInfo, historyItemInfo;
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
    {kCmdSeparator, nullptr, MFT_SEPARATOR, 0},
};
constexpr UINT kViewItems[] = {kCmdDecimal, kCmdHexadecimal, kCmdMicro, kCmdNormal, kCmdZoom};
constexpr UINT kFormItems[] = {kCmdMicro, kCmdNormal, kCmdZoom};

void fillItem(MENUITEMINFOA* item, UINT id, const char* caption) {
  *item = itemTemplate;
  item->wID = id;
  item->dwTypeData = const_cast<char*>(caption);
}

// "Histor&y" and its submenu, filled from the history loaded at start.
void buildHistoryMenu() {
  fillItem(&historyItemInfo, kCmdHistory, "Histor&y");
  app.historyMenu = CreatePopupMenu();
  historyItemInfo.fMask |= MIIM_SUBMENU;
  historyItemInfo.hSubMenu = app.historyMenu;
  fillHistoryMenu();
}

void fillSubItem(const SubItem& sub) {
  workItemInfo = itemTemplate;
  workItemInfo.wID = sub.id;
  workItemInfo.fType = sub.type;
  workItemInfo.fState = sub.state;
  workItemInfo.dwTypeData = const_cast<char*>(sub.caption);
}

}  // namespace

void buildTrayMenu() {
  itemTemplate = {};
  itemTemplate.cbSize = sizeof(MENUITEMINFOA);
  itemTemplate.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
  itemTemplate.fType = MFT_STRING;
  itemTemplate.wID = kCmdExit;
  itemTemplate.dwTypeData = const_cast<char*>("E&xit");

  fillItem(&hideItemInfo, kCmdShowHide, "&Hide");
  hideItemInfo.dwItemData = 1;
  app.boxShown = 1;
  fillItem(&optionsItemInfo, kCmdOptions, "&Options");
  optionsItemInfo.fState = MFS_DEFAULT;
  fillItem(&colorsItemInfo, kCmdColors, "Co&lors");
  fillItem(&copyItemInfo, kCmdCopy, "&Copy");
  fillItem(&nudgeItemInfo, kCmdNudge, "&Nudge");
  fillItem(&displayItemInfo, kCmdDisplay, "&Display");
  fillItem(&formatItemInfo, kCmdFormat, "&Format");

  app.formatMenu = CreatePopupMenu();
  app.displayMenu = CreatePopupMenu();

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

  displayItemInfo.fMask |= MIIM_SUBMENU;
  displayItemInfo.hSubMenu = app.displayMenu;
  formatItemInfo.fMask |= MIIM_SUBMENU;
  formatItemInfo.hSubMenu = app.formatMenu;
  buildHistoryMenu();

  app.trayMenu = CreatePopupMenu();
  InsertMenuItemA(app.trayMenu, 0, FALSE, &itemTemplate);
  for (MENUITEMINFOA* item : {&hideItemInfo, &nudgeItemInfo, &historyItemInfo, &copyItemInfo, &colorsItemInfo,
                              &displayItemInfo, &formatItemInfo, &optionsItemInfo})
    InsertMenuItemA(app.trayMenu, 0, TRUE, item);
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
  const UINT mark = form == BoxForm::micro ? kCmdMicro : form == BoxForm::zoom ? kCmdZoom : kCmdNormal;
  CheckMenuRadioItem(app.trayMenu, kCmdMicro, kCmdZoom, mark, MF_BYCOMMAND);
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
