// The actions, the tray menu's commands, and the setters they share with the Options window
// and start-up: each owns one piece of visible state and brings every view of it into line.
#include "app/action_table.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "box/zoom.h"
#include "export/clipboard.h"
#include "export/notation.h"
#include "history/history_menu.h"
#include "history/palette_save.h"
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

// Most actions need the box shown (the row says which do not).
bool actionRunsNow(int action) { return app.boxShown || kActions[action].runsHidden; }

void toggleForm(BoxForm form) { setForm(settings.form == form ? BoxForm::normal : form); }

// A menu item that does what an action does, under the same conditions.
void runAsAction(int action, void (*run)()) {
  if (actionRunsNow(action)) run();
}

}  // namespace

void toggleDisplayBase() { setDisplayBase(!settings.decimalDisplay); }
void toggleBoxShown() { setBoxShown(!app.boxShown); }
void toggleFollowPointer() { boxState.followPointer = !boxState.followPointer; }
void toggleZoomForm() { toggleForm(BoxForm::zoom); }
void toggleMicroForm() { toggleForm(BoxForm::micro); }
void copyPickedColor() { copyColorToClipboard(app.boxWnd, settings.pickedColor); }
void exitProgram() { DestroyWindow(app.boxWnd); }
void toggleNudgeMode() { setNudgeMode(!boxState.nudgeMode); }
void toggleContrastForm() { toggleForm(BoxForm::contrast); }

// A colour frozen enters the history, as a copied one does.
void toggleFixColor() {
  boxState.colorFixed = !boxState.colorFixed;
  if (boxState.colorFixed) rememberInHistory(settings.pickedColor);
}

void setForm(BoxForm form) {
  const bool widthChanges = (form == BoxForm::contrast) != (settings.form == BoxForm::contrast);
  settings.form = form;
  app.textDirty = true;
  if (widthChanges) measureBox(app.boxWnd);  // the contrast form's line is wider than a colour's
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

// The square's size changes the zoom form's height and width.
void setMagnifierScale(int scale) {
  settings.magnifierScale = validMagnifierScale(scale);
  setMagnifierCellScale(settings.magnifierScale);
  markMagnifierScale(settings.magnifierScale);
  showMagnifierScale(settings.magnifierScale);
  setForm(settings.form);
}

// The frame of the magnifier and the mark beside the colour text change with the side; the mark's width too.
void setSampleSide(int side) {
  settings.sampleSide = validSampleSide(side);
  markSampleSide(settings.sampleSide);
  showSampleSide(settings.sampleSide);
  measureBox(app.boxWnd);
  setForm(settings.form);
}

// None runs while the user types into a hotkey control, where the keys are the user's new hotkey.
LRESULT onAction(HWND wnd, int action) {
  if (action < 0 || action >= kActionCount) {
    onNudgeKey(wnd, action);  // the mode's keys; other ids do nothing
  } else if (!hotkeyControlHasFocus() && actionRunsNow(action)) {
    kActions[action].run();
  }
  return 0;
}

LRESULT onMenuCommand(HWND wnd, int id) {
  const int action = actionOfMenuId(id);
  if (action >= 0) {
    runAsAction(action, kActions[action].run);
    return 0;
  }
  switch (id) {
    case kCmdColors:      onColorCommand(nullptr); break;
    case kCmdDecimal:     runAsAction(kActionDecHex, [] { setDisplayBase(true); }); break;
    case kCmdHexadecimal: runAsAction(kActionDecHex, [] { setDisplayBase(false); }); break;
    case kCmdMicro:       runAsAction(kActionMicro, [] { setForm(BoxForm::micro); }); break;
    case kCmdNormal:      runAsAction(kActionMicro, [] { setForm(BoxForm::normal); }); break;
    case kCmdZoom:        runAsAction(kActionZoom, [] { setForm(BoxForm::zoom); }); break;
    case kCmdContrast:    runAsAction(kActionContrast, [] { setForm(BoxForm::contrast); }); break;
    case kCmdMouseMode:   setMiddleButtonMode(!settings.middleButtonMode); break;
    case kCmdClearHistory: clearHistory(); break;
    case kCmdCopyAllHistory: copyWholeHistory(wnd); break;
    case kCmdSaveHistory:  saveHistoryAs(); break;
    default:
      if (formatIndexOfCommand(id) >= 0) setNotation(formatIndexOfCommand(id));
      if (id >= kCmdFirstHistory && id <= kCmdLastHistory) copyHistoryEntry(wnd, id - kCmdFirstHistory);
      if (id >= kCmdFirstScale && id <= kCmdLastScale) setMagnifierScale(kMagnifierScales[id - kCmdFirstScale]);
      if (id >= kCmdFirstSample && id <= kCmdLastSample) setSampleSide(kSampleSides[id - kCmdFirstSample]);
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
