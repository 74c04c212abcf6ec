// The Options window, its pages and the two dialogs.
#pragma once
#include <windows.h>
#include <richedit.h>

#include "app/action_table.h"
#include "export/notation.h"
#include "options/options_tables.h"

// The Options window's controls, by their row in kOptionsControls. Only the options module makes them and
// writes these handles; controls that were never made stay null, and messages to them do nothing.
struct OptionsControls {
  HWND handles[kOptionsControlCount] = {};
  HWND& operator[](OptionsControl control) { return handles[control]; }
  HWND notationRadio(int formatIndex) const { return handles[notationRadioRow(formatIndex)]; }
  HWND hotkeyCtrl(int action) const { return handles[hotkeyCtrlRow(action)]; }
  HWND hotkeyLabel(int action) const { return handles[hotkeyLabelRow(action)]; }
};
extern OptionsControls optionsControls;

// What the Options window and its pages alone keep while the program runs.
struct OptionsState {
  int currentTab = 0;
  HWND fontDialogWnd = nullptr;
  HWND colorDialogWnd = nullptr;
  // Help and About.
  const char* helpData = nullptr;
  DWORD helpSize = 0;
  DWORD helpOffset = 0;
  EDITSTREAM helpStream = {};
  char aboutText[128] = {};
  char creditsText[256] = {};
  bool makerLinkHover = false;
  bool toolLinkHover = false;
};
extern OptionsState optionsState;

LRESULT CALLBACK optionsProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
// Creates the hidden Options window with every control, laid out for the DPI of the pointer's monitor.
void createOptionsWindow();
// The dialog keys (Tab, arrows, mnemonics) of the Options and Hotkeys pages: true when `msg` was one.
bool takeOptionsDialogKey(MSG* msg);
// The template field: its drop-down shows settings.templates, its edit field the custom template.
void showTemplateList();
// "+" and the box's close: the field's template joins the list, unless the field is empty.
void keepTypedTemplate();
// "-": the field's template leaves the list and the field is emptied.
void onRemoveTemplate();
// "Default&s": the default template is listed again, and shown when the field is empty.
void keepDefaultTemplate();
// CBN_ notices of the template field.
LRESULT onTemplateNotice(int code);
// Options: shows the window on its first page, or hides it when it is in front.
void toggleOptionsWindow();
// The Options page's side of the setters.
void showNotation(int formatIndex);
void showMiddleButtonMode(bool on);
void showOpacity(int percent);
void showMagnifierScale(int scale);
void showSampleSide(int side);
// True while one of the Hotkeys page's hotkey controls has the keyboard focus.
bool hotkeyControlHasFocus();
// Shows the controls of `page` and hides those of the page shown before.
void selectTab(int page);
// Options window commands handled by the dialogs and the Hotkeys page.
void onFontCommand();
void onColorCommand(HWND from);
// Shows, restores and brings a window to the front; false for a null handle.
bool bringToFront(HWND wnd);
// A system dialog's result: true only when the user confirmed it, not when the program's exit ended it.
bool dialogConfirmed(BOOL result);
// The Hotkeys page's rows show the pairs in force (a pair refused at start as none).
void showHotkeyRows();
// Unregisters the hotkeys and takes the rows' pairs as the stored ones, as at the box's close.
void takeHotkeyRows();
// Start-up: registers the stored pairs, shows them in the rows and reports those the system refused.
void applyStoredHotkeys();
// Apply and Defaults: the same, but a refused pair, which the user has just chosen, is cleared.
void applyHotkeys();
void onHotkeysApply();
void onHotkeysDefaults();
// Nudge mode ends whenever the hotkey row `row` gets the focus.
void watchHotkeyRowFocus(HWND row);

// Help and About pages.
DWORD CALLBACK helpStreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* delivered);
// WM_SETCURSOR of the Options window: link hover and the pointer shape. `under` is the window under it.
LRESULT onOptionsSetCursor(HWND under);
// Shows both link labels in the normal font again.
void clearLinkHover();
// Commands 21 and 22: the link labels open their web addresses.
void openLink(int id);
// Texts of the two link labels of the About page.
const char* makerLinkText();
const char* toolLinkText();
// Builds aboutText and creditsText.
void composeAboutText();
// Sizes a label to the extent of its text in `font`.
void fitLabelToText(HWND label, const char* text, HFONT font);
