// The system font and colour dialogs of the Options page, and the SHIFT pick into the colour dialog.
#include <cstdio>

#include "app/gdi.h"
#include "app/state.h"
#include "box/box.h"
#include "box/box_dpi.h"
#include "box/dpi_scale.h"
#include "box/sample.h"
#include "options/options.h"
#include "settings/settings.h"
#include "settings/settings_text.h"

#include <commdlg.h>

namespace {

constexpr int kFontApplyCommand = 0x0402;  // the font dialog's "Apply" (1026), clicked
constexpr int kFontColorCombo = 0x0473;
constexpr int kColorFields[3] = {0x02C2, 0x02C3, 0x02C4};  // red, green, blue
constexpr UINT_PTR kShiftPickTimer = 1;

void nameDialog(HWND dialog, const char* what) {
  char title[64];
  std::snprintf(title, sizeof title, "%s %s", kProgramTitle, what);
  SetWindowTextA(dialog, title);
}

// The font dialog measures sizes at the system DPI; boxLogFont keeps them for 96 DPI.
LOGFONTA atSystemDpi(LOGFONTA font) {
  font.lfHeight = scaleForDpi(font.lfHeight, systemDpi());
  font.lfWidth = scaleForDpi(font.lfWidth, systemDpi());
  return font;
}

LOGFONTA atBaseDpi(LOGFONTA font) {
  font.lfHeight = unscaleFromDpi(font.lfHeight, systemDpi());
  font.lfWidth = unscaleFromDpi(font.lfWidth, systemDpi());
  return font;
}

void onFontApply(HWND dialog) {
  LOGFONTA shown;
  SendMessageA(dialog, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&shown));
  const HWND colors = GetDlgItem(dialog, kFontColorCombo);
  const LRESULT chosen = SendMessageA(colors, CB_GETCURSEL, 0, 0);
  const COLORREF text =
      chosen != CB_ERR ? static_cast<COLORREF>(SendMessageA(colors, CB_GETITEMDATA, chosen, 0)) : settings.textColor;
  setBoxFont(atBaseDpi(shown), text);
}

UINT_PTR CALLBACK fontDialogHook(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: optionsState.fontDialogWnd = dialog; nameDialog(dialog, "Font Dialog"); break;
    case WM_CLOSE:      optionsState.fontDialogWnd = nullptr; break;
    case WM_COMMAND:    if (wp == kFontApplyCommand) onFontApply(dialog); break;
    default:            break;
  }
  return 0;
}

// While SHIFT is held (without CTRL) the colour under the pointer (a mean, as the box takes it) goes into the fields, as long as the
// box is shown and samples it.
void pickUnderPointer() {
  if (!optionsState.colorDialogWnd || !app.boxShown || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0) return;
  // OK or Cancel hides the dialog at once, but its call returns only when the loops opened inside
  // it end; a pick written meanwhile would replace the colour OK chose.
  if (!IsWindowVisible(optionsState.colorDialogWnd)) return;
  POINT p;
  if (!GetCursorPos(&p)) return;
  COLORREF color;
  {
    WindowDC screen(GetDesktopWindow());
    color = sampledColor(screen.dc, p, settings.sampleSide);  // the colour the box takes there
  }
  if (color == CLR_INVALID) return;
  const UINT components[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
  for (int i = 0; i < 3; ++i) {
    // Only a changed field is written: a rewrite at every pick would repaint it and reset its caret.
    if (GetDlgItemInt(optionsState.colorDialogWnd, kColorFields[i], nullptr, FALSE) != components[i])
      SetDlgItemInt(optionsState.colorDialogWnd, kColorFields[i], components[i], FALSE);
  }
}

UINT_PTR CALLBACK colorDialogHook(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      optionsState.colorDialogWnd = dialog;
      nameDialog(dialog, "Color Dialog");
      SetTimer(dialog, kShiftPickTimer, USER_TIMER_MINIMUM, nullptr);
      break;
    case WM_TIMER: if (wp == kShiftPickTimer) pickUnderPointer(); break;
    case WM_CLOSE: optionsState.colorDialogWnd = nullptr; break;
    default:       break;
  }
  return 0;
}

void finishDialog(HWND* dialog) {
  *dialog = nullptr;
  placeBox(app.boxWnd);
  paintBoxBackground(app.boxWnd);
  app.textDirty = true;
}

}  // namespace

// Under Wine a dialog whose loop meets the program's quit message ends as if OK had been pressed;
// a choice the user never confirmed must not be kept and saved on the way out.
bool dialogConfirmed(BOOL result) {
  MSG quit;
  return result && !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

bool bringToFront(HWND wnd) {
  if (!wnd) return false;
  ShowWindow(wnd, SW_SHOW);
  if (IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
  SetForegroundWindow(wnd);
  return true;
}

void onFontCommand() {
  SetFocus(optionsControls[kFontButton]);
  if (bringToFront(optionsState.fontDialogWnd)) return;
  // The dialog works on a copy: Wine writes its last selection back into the request's font even
  // on Cancel, and a cancelled choice must not become the saved font. "Apply" writes boxLogFont.
  LOGFONTA chosen = atSystemDpi(settings.boxLogFont);
  CHOOSEFONTA request = {};
  request.lStructSize = sizeof request;
  request.lpLogFont = &chosen;
  request.Flags = CF_SCREENFONTS | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_APPLY | CF_LIMITSIZE |
                  CF_TTONLY | CF_NOSCRIPTSEL;
  request.rgbColors = settings.textColor;
  request.lpfnHook = fontDialogHook;
  request.nSizeMin = kFontDialogMinPoints;  // the stored heights are checked against the same limits
  request.nSizeMax = kFontDialogMaxPoints;
  if (dialogConfirmed(ChooseFontA(&request))) setBoxFont(atBaseDpi(chosen), request.rgbColors);
  finishDialog(&optionsState.fontDialogWnd);
}

void onColorCommand(HWND from) {
  if (bringToFront(optionsState.colorDialogWnd)) return;
  CHOOSECOLORA request = {};
  request.lStructSize = sizeof request;
  request.rgbResult = settings.baseColor;
  request.lpCustColors = settings.customColors;
  request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
  request.lpfnHook = colorDialogHook;
  // Opened from the tray menu (no control handle) it only views colours.
  if (dialogConfirmed(ChooseColorA(&request)) && from && from == optionsControls[kColorButton])
    setBaseColor(request.rgbResult);
  finishDialog(&optionsState.colorDialogWnd);
}
