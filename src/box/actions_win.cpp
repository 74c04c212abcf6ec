// The nine actions, the tray menu's commands, and the orderly end of the program.
#include "app/gdi.h"
#include "app/state.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "export/clipboard.h"
#include "history/history_menu.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"
#include "settings/settings.h"
#include "tray/tray.h"

namespace {

void sendAction(HWND wnd, int action) { SendMessageA(wnd, WM_HOTKEY, action, 0); }

bool hotkeyControlHasFocus() {
  const HWND focus = GetFocus();
  if (!focus) return false;
  for (HWND ctrl : app.hotkeyCtrl)
    if (ctrl == focus) return true;
  return false;
}

int measuredLineHeight(HWND wnd) {
  WindowDC dc(wnd);
  return measureDigits(dc.dc).cy;
}

// Lays the box out in `form` after a form change: height, swatch, menu mark, repaint, place.
void applyForm(HWND wnd, BoxForm form) {
  const int h = measuredLineHeight(wnd);
  const UINT mark = form == BoxForm::micro ? kCmdMicro : form == BoxForm::zoom ? kCmdZoom : kCmdNormal;
  CheckMenuRadioItem(app.trayMenu, kCmdMicro, kCmdZoom, mark, MF_BYCOMMAND);
  applyFormGeometry(form, h);
  enableFormItems();
  paintBoxBackground(wnd);
  placeBox(wnd);
}

void actionDecHex(HWND wnd) {
  app.decimalDisplay = app.decimalDisplay ? 0 : 1;
  CheckMenuRadioItem(app.trayMenu, kCmdDecimal, kCmdHexadecimal, app.decimalDisplay ? kCmdDecimal : kCmdHexadecimal,
                     MF_BYCOMMAND);
  EnableMenuItem(app.trayMenu, kCmdDecimal, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(app.trayMenu, kCmdHexadecimal, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(app.trayMenu, kCmdDecimal, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(app.trayMenu, kCmdHexadecimal, MF_BYCOMMAND | MF_ENABLED);
  {
    WindowDC dc(wnd);
    app.boxWidth = boxWidthFor(measureDigits(dc.dc).cx);
  }
  // Re-apply the current form for the new width: flip one flag, let its action flip it back.
  if (app.microForm) {
    app.microForm = false;
    app.zoomView = false;
    sendAction(wnd, kActionMicro);
  } else if (app.zoomView) {
    app.zoomView = false;
    sendAction(wnd, kActionZoom);
  } else {
    app.microForm = true;
    sendAction(wnd, kActionMicro);
  }
}

void actionZoom(HWND wnd) {
  if (app.microForm) sendAction(wnd, kActionMicro);
  app.textDirty = true;
  app.zoomView = !app.zoomView;
  applyForm(wnd, app.zoomView ? BoxForm::zoom : BoxForm::normal);
}

void actionMicro(HWND wnd) {
  if (app.zoomView) sendAction(wnd, kActionZoom);
  app.microForm = !app.microForm;
  app.textDirty = true;
  applyForm(wnd, app.microForm ? BoxForm::micro : BoxForm::normal);
}

// A colour frozen enters the history, as a copied one does.
void actionFixColor() {
  app.colorFixed = !app.colorFixed;
  if (app.colorFixed) rememberInHistory(app.pickedColor);
}

void toggleOptions() {
  const HWND options = app.optionsWnd;
  if (IsWindowVisible(options) && !IsIconic(options) && !isWindowCovered(options)) {
    ShowWindow(options, SW_MINIMIZE);
    ShowWindow(options, SW_HIDE);
    return;
  }
  SendMessageA(app.tabCtrl, TCM_SETCURSEL, 0, 0);
  selectTab(0);
  ShowWindow(options, SW_SHOW);
  if (IsIconic(options)) ShowWindow(options, SW_RESTORE);
  SetForegroundWindow(options);
  SetFocus(app.tabCtrl);
}

}  // namespace

LRESULT onAction(HWND wnd, int action) {
  if (hotkeyControlHasFocus()) return 0;
  const bool worksHidden = action == kActionOptions || action == kActionShowHide || action == kActionExit;
  if (!app.boxShown && !worksHidden) return 0;
  switch (action) {
    case kActionOptions:    SendMessageA(wnd, WM_COMMAND, kCmdOptions, 0); break;
    case kActionDecHex:     actionDecHex(wnd); break;
    case kActionShowHide:   PostMessageA(wnd, kTrayCallbackMsg, 0, WM_LBUTTONDBLCLK); break;
    case kActionFixColor:   actionFixColor(); break;
    case kActionStopMoving: app.followPointer = !app.followPointer; break;
    case kActionZoom:       actionZoom(wnd); break;
    case kActionCopy:       copyColorToClipboard(wnd, app.pickedColor); break;
    case kActionMicro:      actionMicro(wnd); break;
    case kActionExit:       PostMessageA(wnd, WM_DESTROY, 0, 0); break;
    default:                break;  // system hotkeys and unknown ids
  }
  return 0;
}

LRESULT onMenuCommand(HWND wnd, int id) {
  switch (id) {
    case kCmdExit:        PostMessageA(wnd, WM_DESTROY, 0, 0); break;
    case kCmdShowHide:    app.boxShown ? hideBox(wnd) : showBox(wnd); break;
    case kCmdOptions:     toggleOptions(); break;
    case kCmdColors:      SendMessageA(app.optionsWnd, WM_COMMAND, 1, 0); break;
    case kCmdCopy:        sendAction(wnd, kActionCopy); break;
    case kCmdDecimal:     if (!app.decimalDisplay) sendAction(wnd, kActionDecHex); break;
    case kCmdHexadecimal: if (app.decimalDisplay) sendAction(wnd, kActionDecHex); break;
    case kCmdMicro:       if (!app.microForm) sendAction(wnd, kActionMicro); break;
    case kCmdNormal:      app.microForm = true; app.zoomView = false; sendAction(wnd, kActionMicro); break;
    case kCmdZoom:        if (!app.zoomView) sendAction(wnd, kActionZoom); break;
    case kCmdMouseMode:   SendMessageA(app.middleButtonCheck, BM_CLICK, 0, 0); break;
    case kCmdClearHistory: clearHistory(); break;
    default:
      if (formatIndexOfCommand(id) >= 0) {
        SendMessageA(app.optionsWnd, WM_COMMAND, id, 0);
        markNotationRadio(formatIndexOfCommand(id));
      }
      if (id >= kCmdFirstHistory && id <= kCmdLastHistory) copyHistoryEntry(wnd, id - kCmdFirstHistory);
      break;
  }
  return 0;
}

LRESULT onSecondInstance(HWND wnd) {
  if (!app.boxShown) PostMessageA(wnd, WM_COMMAND, kCmdShowHide, 0);
  return 0;
}

bool isWindowCovered(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  bool covered = false;
  for (HWND above = GetWindow(wnd, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (above == app.boxWnd) continue;
    RECT other, overlap;
    GetWindowRect(above, &other);
    if (IsWindowVisible(above) && IntersectRect(&overlap, &other, &r)) covered = true;
  }
  return covered;
}

LRESULT onBoxDestroy(HWND wnd) {
  packTemplateList();
  readHotkeyControls();
  if (app.timerActive) {
    KillTimer(wnd, kTickTimerId);
    app.timerActive = false;
  }
  removeTrayIcon();
  PostQuitMessage(0);
  return 0;
}
