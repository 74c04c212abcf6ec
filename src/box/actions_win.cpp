// The actions, the tray menu's commands, and the setters they share with the Options window
// and start-up: each owns one piece of visible state and brings every view of it into line.
#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "export/clipboard.h"
#include "export/notation.h"
#include "history/history_menu.h"
#include "options/options.h"
#include "options/options_tables.h"
#include "settings/settings.h"
#include "tray/tray.h"

namespace {

// Lays the box out in `form`: height, swatch, menu marks, repaint, place.
void applyForm(HWND wnd, BoxForm form) {
  applyFormGeometry(form, app.lineHeight);
  markForm(form);
  paintBoxBackground(wnd);
  placeBox(wnd);
}

// Actions other than Options, Show / Hide and Exit need the box shown; none runs while the user
// types into a hotkey control, where the keys are the user's new hotkey.
bool actionRuns(int action) {
  if (hotkeyControlHasFocus()) return false;
  const bool worksHidden = action == kActionOptions || action == kActionShowHide || action == kActionExit;
  return app.boxShown || worksHidden;
}

void toggleForm(BoxForm form) { setForm(settings.form == form ? BoxForm::normal : form); }

void toggleBoxShown() { setBoxShown(!app.boxShown); }

// A colour frozen enters the history, as a copied one does.
void toggleFixColor() {
  app.colorFixed = !app.colorFixed;
  if (app.colorFixed) rememberInHistory(settings.pickedColor);
}

void runAction(HWND wnd, int action) {
  switch (action) {
    case kActionOptions:    toggleOptionsWindow(); break;
    case kActionDecHex:     setDisplayBase(!settings.decimalDisplay); break;
    case kActionShowHide:   toggleBoxShown(); break;
    case kActionFixColor:   toggleFixColor(); break;
    case kActionStopMoving: app.followPointer = !app.followPointer; break;
    case kActionZoom:       toggleForm(BoxForm::zoom); break;
    case kActionCopy:       copyColorToClipboard(wnd, settings.pickedColor); break;
    case kActionMicro:      toggleForm(BoxForm::micro); break;
    case kActionExit:       DestroyWindow(wnd); break;
    case kActionNudge:      setNudgeMode(!app.nudgeMode); break;
    default:                onNudgeKey(wnd, action); break;  // the mode's keys; other ids do nothing
  }
}

// A menu item that does what an action does, under the same conditions.
void runAsAction(int action, void (*run)()) {
  if (actionRuns(action)) run();
}

}  // namespace

void setForm(BoxForm form) {
  settings.form = form;
  app.textDirty = true;
  applyForm(app.boxWnd, form);
}

void setDisplayBase(bool decimal) {
  settings.decimalDisplay = decimal;
  markDisplayBase(decimal);
  measureBox(app.boxWnd);
  setForm(settings.form);  // the form again, for the new width
}

void setBoxShown(bool shown) { shown ? showBox(app.boxWnd) : hideBox(app.boxWnd); }

void setMiddleButtonMode(bool on) {
  settings.middleButtonMode = on;
  markMiddleButtonMode(on);
  showMiddleButtonMode(on);
}

void setNotation(int formatIndex) {
  settings.formatIndex = formatIndex;
  markNotation(kNotations[formatIndex].commandId);
  showNotation(formatIndex);
}

void setOpacity(int percent) {
  settings.opacityPercent = percent;
  if (app.layeredSupported)
    app.setLayeredAttrs(app.boxWnd, 0, static_cast<BYTE>(opacityAlpha(percent)), LWA_ALPHA);
  showOpacity(percent);
}

LRESULT onAction(HWND wnd, int action) {
  if (actionRuns(action)) runAction(wnd, action);
  return 0;
}

LRESULT onMenuCommand(HWND wnd, int id) {
  switch (id) {
    case kCmdExit:        DestroyWindow(wnd); break;
    case kCmdShowHide:    toggleBoxShown(); break;
    case kCmdOptions:     toggleOptionsWindow(); break;
    case kCmdColors:      onColorCommand(nullptr); break;
    case kCmdCopy:        if (actionRuns(kActionCopy)) copyColorToClipboard(wnd, settings.pickedColor); break;
    case kCmdDecimal:     runAsAction(kActionDecHex, [] { setDisplayBase(true); }); break;
    case kCmdHexadecimal: runAsAction(kActionDecHex, [] { setDisplayBase(false); }); break;
    case kCmdMicro:       runAsAction(kActionMicro, [] { setForm(BoxForm::micro); }); break;
    case kCmdNormal:      runAsAction(kActionMicro, [] { setForm(BoxForm::normal); }); break;
    case kCmdZoom:        runAsAction(kActionZoom, [] { setForm(BoxForm::zoom); }); break;
    case kCmdMouseMode:   setMiddleButtonMode(!settings.middleButtonMode); break;
    case kCmdNudge:       runAsAction(kActionNudge, [] { setNudgeMode(!app.nudgeMode); }); break;
    case kCmdClearHistory: clearHistory(); break;
    default:
      if (formatIndexOfCommand(id) >= 0) setNotation(formatIndexOfCommand(id));
      if (id >= kCmdFirstHistory && id <= kCmdLastHistory) copyHistoryEntry(wnd, id - kCmdFirstHistory);
      break;
  }
  return 0;
}

LRESULT onSecondInstance(HWND) {
  if (!app.boxShown) setBoxShown(true);
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
  closeProgram(wnd);
  PostQuitMessage(0);
  return 0;
}
