// The Options window: its creation, the tab pages, and the Options page's own controls.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iterator>

#include "app/gdi.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box.h"
#include "box/box_dpi.h"
#include "box/box_geometry.h"
#include "box/dpi_scale.h"
#include "hotkeys/hotkeys.h"
#include "options/options.h"
#include "options/options_tables.h"
#include "settings/settings.h"
#include "tray/tray.h"

OptionsControls optionsControls;
OptionsState optionsState;

namespace {

HWND* handleOf(int control) { return &optionsControls.handles[control]; }

constexpr DWORD kOptionsStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kOptionsExStyle = WS_EX_CONTROLPARENT;

int optionsDpi = kBaseDpi;  // the DPI the Options window is laid out for

// ---- Size and DPI ---------------------------------------------------------------------------

typedef BOOL(WINAPI* AdjustForDpiFn)(RECT*, DWORD, BOOL, DWORD, UINT);

// The outer size of the window whose client area is the Options client area at `dpi`, with the frame and
// caption of that DPI where the system can tell them (Windows 10 1607 on), else of the system DPI.
SIZE optionsWindowSize(int dpi) {
  static const auto adjustForDpi = reinterpret_cast<AdjustForDpiFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  RECT r = {0, 0, scaleForDpi(kOptionsClientWidth, dpi), scaleForDpi(kOptionsClientHeight, dpi)};
  if (!adjustForDpi || !adjustForDpi(&r, kOptionsStyle, FALSE, kOptionsExStyle, dpi))
    AdjustWindowRectEx(&r, kOptionsStyle, FALSE, kOptionsExStyle);
  return {r.right - r.left, r.bottom - r.top};
}

// The client area the controls are laid out in; a minimised window has none of its own.
SIZE optionsClientSize() {
  RECT client;
  if (IsIconic(app.optionsWnd) || !GetClientRect(app.optionsWnd, &client))
    return {scaleForDpi(kOptionsClientWidth, optionsDpi), scaleForDpi(kOptionsClientHeight, optionsDpi)};
  return {client.right, client.bottom};
}

// ---- Creation -------------------------------------------------------------------------------

const char* controlText(int control) {
  switch (control) {
    case kAboutLabel:   return optionsState.aboutText;
    case kMakerLink:    return makerLinkText();
    case kToolLink:     return toolLinkText();
    case kCreditsLabel: return optionsState.creditsText;
    default:            return kOptionsControls[control].text;
  }
}

void insertTabs() {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  for (int page = 0; page < kPageCount; ++page) {
    item.pszText = const_cast<char*>(kTabTexts[page]);
    SendMessageA(optionsControls[kTabCtrl], TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
}

void setUpScrollBar() {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = transparencyOf(kMinOpacity);
  info.nPage = 1;
  info.nPos = transparencyOf(settings.opacityPercent);
  SetScrollInfo(optionsControls[kOpacityScrollBar], SB_CTL, &info, TRUE);
}

void showTransparency() {
  char text[8];
  formatTransparencyText(settings.opacityPercent, text);
  SetWindowTextA(optionsControls[kPercentLabel], text);
}

// Wine's RichEdit lays its text out over the whole width, under the scroll bar that ES_DISABLENOSCROLL always
// shows, so line ends are hidden. Keeping the layout rectangle inside the client area changes nothing where it
// already is.
void keepHelpBesideScrollBar() {
  RECT client, format;
  GetClientRect(optionsControls[kHelpView], &client);
  SendMessageA(optionsControls[kHelpView], EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  if (format.right <= client.right) return;
  format.right = client.right;
  SendMessageA(optionsControls[kHelpView], EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
}

void streamHelp() {
  keepHelpBesideScrollBar();
  const HRSRC found = FindResourceA(app.appInstance, "RTFHELP", MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return;
  optionsState.helpSize = SizeofResource(app.appInstance, found);
  optionsState.helpData = static_cast<const char*>(LockResource(LoadResource(app.appInstance, found)));
  optionsState.helpStream = {};
  optionsState.helpStream.dwCookie = 0;
  optionsState.helpStream.pfnCallback = helpStreamCallback;
  SendMessageA(optionsControls[kHelpView], EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&optionsState.helpStream));
}

template <std::size_t N>
void fillList(OptionsControl list, const char* const (&names)[N]) {
  for (const char* name : names) SendMessageA(optionsControls[list], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

// What has to happen right after a control exists, before the next one is made.
void afterCreated(int control) {
  if (control >= kFirstHotkeyRow && control < kApplyButton) {
    const int action = (control - kFirstHotkeyRow) / 2;
    if (control != hotkeyLabelRow(action)) return;
    // A key typed without modifiers is taken as Ctrl+Shift plus that key.
    SendMessageA(optionsControls.hotkeyCtrl(action), HKM_SETRULES, HKCOMB_NONE, HOTKEYF_SHIFT | HOTKEYF_CONTROL);
    watchHotkeyRowFocus(optionsControls.hotkeyCtrl(action));
    return;
  }
  switch (control) {
    case kTabCtrl:           insertTabs(); break;
    case kTemplateCombo:
      SendMessageA(optionsControls[kTemplateCombo], CB_LIMITTEXT, kTemplateSize, 0);
      showTemplateList();
      break;
    case kOpacityScrollBar:  setUpScrollBar(); break;
    case kBoxDefaultsButton: showTransparency(); break;
    case kHelpView:          streamHelp(); break;
    case kMagnifierCombo:    fillList(kMagnifierCombo, kMagnifierScaleNames); break;
    case kSampleCombo:       fillList(kSampleCombo, kSampleSideNames); break;
    default:                 break;
  }
}

void createControl(int control, SIZE client) {
  const ControlLayout& row = kOptionsControls[control];
  DWORD style = row.style;
  if (row.needsLayers && !app.layeredSupported) style |= WS_DISABLED;
  const ControlRect r = controlRectAt(row, client.cx, client.cy, optionsDpi);
  *handleOf(control) = CreateWindowExA(0, row.className, controlText(control), style, r.x, r.y, r.width, r.height,
                                       app.optionsWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       app.appInstance, nullptr);
  afterCreated(control);
}

// ---- The look for the window's DPI ------------------------------------------------------------

// uiFont and linkFont for the window's DPI, given to the controls that show text.
void makeOptionsFonts() {
  LOGFONTA font;
  initDefaultLogFont(&font);
  font.lfHeight = scaleForDpi(font.lfHeight, optionsDpi);
  const HFONT oldUi = app.uiFont, oldLink = app.linkFont;
  app.uiFont = CreateFontIndirectA(&font);
  font.lfUnderline = 1;
  app.linkFont = CreateFontIndirectA(&font);
  for (int c = 0; c < kOptionsControlCount; ++c)
    if (kOptionsControls[c].uiFont) SendMessageA(*handleOf(c), WM_SETFONT, reinterpret_cast<WPARAM>(app.uiFont), TRUE);
  optionsState.makerLinkHover = optionsState.toolLinkHover = false;  // a hovered link now shows the new normal font too
  if (oldUi) DeleteObject(oldUi);
  if (oldLink) DeleteObject(oldLink);
}

// Gives the icon static its icon at `side` pixels: the system's shared copy where that is the size, else
// one made from the larger images of the resource, owned by `owned` (the one shown before is destroyed).
void showIcon(HWND iconStatic, const char* name, int side, HICON* owned) {
  HICON made = nullptr;
  HICON icon = nullptr;
  if (side == GetSystemMetrics(SM_CXICON)) {
    icon = LoadIconA(app.appInstance, name);
  } else {
    icon = made = static_cast<HICON>(LoadImageA(app.appInstance, name, IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
  }
  if (!icon) return;
  SendMessageA(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (*owned) DestroyIcon(*owned);
  *owned = made;
}

// The RichEdit draws the document's point sizes at the system DPI; a monitor of another DPI zooms it. Back at
// the system DPI a ratio of one, not the (0, 0) that ends zooming: Wine does not lay the text out again for
// that. A view never zoomed is left as it has always been.
void zoomHelp() {
  const int system = systemDpi();
  int numerator = 0, denominator = 0;
  SendMessageA(optionsControls[kHelpView], EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
               reinterpret_cast<LPARAM>(&denominator));
  if (optionsDpi == system && numerator == denominator) return;
  SendMessageA(optionsControls[kHelpView], EM_SETZOOM, optionsDpi, system);
}

// Fonts, icons, the Help text and the fitted link labels for the window's DPI, the controls in place.
void applyOptionsLook() {
  makeOptionsFonts();
  const SIZE client = optionsClientSize();
  int icon = 0;
  for (int c = 0; c < kOptionsControlCount && icon < kAboutIconCount; ++c) {
    const ControlLayout& row = kOptionsControls[c];
    if (showsIcon(row))
      showIcon(*handleOf(c), row.text, controlRectAt(row, client.cx, client.cy, optionsDpi).width,
               &app.aboutIcons[icon++]);
  }
  zoomHelp();
  fitLabelToText(optionsControls[kMakerLink], makerLinkText(), app.uiFont);
  fitLabelToText(optionsControls[kToolLink], toolLinkText(), app.uiFont);
}

// Every control to its place from the table at the window's DPI, then the look for that DPI.
void layOutOptions() {
  const SIZE client = optionsClientSize();
  for (int c = 0; c < kOptionsControlCount; ++c) {
    const ControlRect r = controlRectAt(kOptionsControls[c], client.cx, client.cy, optionsDpi);
    MoveWindow(*handleOf(c), r.x, r.y, r.width, r.height, TRUE);
  }
  SendMessageA(optionsControls[kHelpView], EM_SETRECT, 0, 0);  // the text's rectangle follows the view's new size
  keepHelpBesideScrollBar();
  applyOptionsLook();
}

// ---- Tab pages ------------------------------------------------------------------------------

void showTabPage(int page, int show) {
  if (page < 0 || page >= kPageCount) return;
  if (page == 1 && show == SW_SHOW) showHotkeyRows();  // edits not applied are dropped
  for (int c = 0; c < kOptionsControlCount; ++c)
    if (kOptionsControls[c].page == page) ShowWindow(*handleOf(c), show);
}

// ---- The Options page -----------------------------------------------------------------------

void restoreBoxLook() {
  if (optionsState.colorDialogWnd || optionsState.fontDialogWnd) return;
  LOGFONTA font;
  initDefaultLogFont(&font);
  setBaseColor(kDefaultBaseColor);  // first: the new layout paints with it
  setBoxFont(font, kDefaultTextColor);
  keepDefaultTemplate();
  setOpacity(kMaxOpacity);
}

// ---- Message handlers -----------------------------------------------------------------------

LRESULT onOptionsActivate() {
  SetFocus(optionsControls[kTabCtrl]);
  return 0;
}

LRESULT onOptionsClose(HWND wnd) {
  showHotkeyRows();
  ShowWindow(wnd, SW_HIDE);
  return 0;
}

LRESULT onOptionsNotify(const NMHDR* note) {
  if (note->code == TCN_SELCHANGE)
    selectTab(static_cast<int>(SendMessageA(optionsControls[kTabCtrl], TCM_GETCURSEL, 0, 0)));
  return 0;
}

// A choice in the magnifier's or the sample's list, by its place in the list's table.
template <std::size_t N>
bool takeChoice(HWND from, OptionsControl list, const int (&table)[N], void (*set)(int)) {
  if (from != optionsControls[list]) return false;
  const LRESULT chosen = SendMessageA(from, CB_GETCURSEL, 0, 0);
  if (chosen >= 0 && chosen < LRESULT(N)) set(table[chosen]);
  return true;
}

LRESULT onOptionsNotice(int code, HWND from) {
  if (!from) return 0;
  if (from == optionsControls[kTemplateCombo]) return onTemplateNotice(code);
  if (code == CBN_SELCHANGE && !takeChoice(from, kMagnifierCombo, kMagnifierScales, setMagnifierScale))
    takeChoice(from, kSampleCombo, kSampleSides, setSampleSide);
  return 0;
}

LRESULT onOptionsCommand(HWND wnd, int id, HWND from) {
  switch (id) {
    case kIdFontButton:     onFontCommand(); break;
    case kIdColorButton:    onColorCommand(from); break;
    case kIdBoxDefaults:    restoreBoxLook(); break;
    case kIdMakerLink:
    case kIdToolLink:       openLink(id); break;
    case kIdHotkeyDefaults: onHotkeysDefaults(); break;
    case kIdApply:          onHotkeysApply(); break;
    case kIdMiddleButton:   setMiddleButtonMode(IsDlgButtonChecked(wnd, kIdMiddleButton) == BST_CHECKED); break;
    case kIdRemoveTemplate: onRemoveTemplate(); break;
    case kIdAddTemplate:    keepTypedTemplate(); break;
    default:                if (formatIndexOfCommand(id) >= 0) setNotation(formatIndexOfCommand(id)); break;
  }
  return 0;
}

LRESULT onOpacityScroll(int request, int thumb) {
  setOpacity(opacityAfterScroll(request, thumb, settings.opacityPercent));
  return 0;
}

// WM_DPICHANGED: the window moved to a monitor of another DPI, or that monitor's scale was changed.
LRESULT onOptionsDpiChanged(HWND wnd, int dpi, const RECT* suggested) {
  if (dpi <= 0) return 0;
  optionsDpi = dpi;
  if (IsIconic(wnd)) {
    // Restored later at its normal place, at the size for the new DPI.
    WINDOWPLACEMENT place = {};
    place.length = sizeof place;
    GetWindowPlacement(wnd, &place);
    const SIZE size = optionsWindowSize(dpi);
    place.rcNormalPosition.right = place.rcNormalPosition.left + size.cx;
    place.rcNormalPosition.bottom = place.rcNormalPosition.top + size.cy;
    SetWindowPlacement(wnd, &place);
  } else if (!IsWindowVisible(wnd)) {
    // A closed window stays closed, and opens where it was, at the size for the new DPI.
    const SIZE size = optionsWindowSize(dpi);
    SetWindowPos(wnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (suggested) {
    SetWindowPos(wnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  layOutOptions();
  return 0;
}

LRESULT onOptionsRightButtonUp() {
  showTrayMenu();
  return 0;
}

}  // namespace

LRESULT CALLBACK optionsProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:   return onOptionsActivate();
    case WM_CLOSE:      return onOptionsClose(wnd);
    case WM_SETCURSOR:  return onOptionsSetCursor(reinterpret_cast<HWND>(wp));
    case WM_NOTIFY:     return onOptionsNotify(reinterpret_cast<const NMHDR*>(lp));
    case WM_COMMAND:    return HIWORD(wp) ? onOptionsNotice(HIWORD(wp), reinterpret_cast<HWND>(lp))
                                      : onOptionsCommand(wnd, LOWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_HSCROLL:    return onOpacityScroll(LOWORD(wp), HIWORD(wp));
    case WM_RBUTTONUP:  return onOptionsRightButtonUp();
    case WM_DPICHANGED: return onOptionsDpiChanged(wnd, LOWORD(wp), reinterpret_cast<const RECT*>(lp));
    default:            break;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

void createOptionsWindow() {
  char title[sizeof kProgramTitle + sizeof kTabTexts[0]];  // the two pieces, the blank and the zero
  std::snprintf(title, sizeof title, "%s %s", kProgramTitle, kTabTexts[0]);
  POINT pointer = {0, 0};
  GetCursorPos(&pointer);
  optionsDpi = monitorDpi(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST));
  const SIZE size = optionsWindowSize(optionsDpi);
  const RECT m = screenRectAt(pointer);
  const Point at = centredOn({m.left, m.top, m.right, m.bottom}, size.cx, size.cy);
  app.optionsWnd = CreateWindowExA(kOptionsExStyle, kOptionsClassName, title, kOptionsStyle, at.x, at.y, size.cx,
                                   size.cy, GetDesktopWindow(), nullptr, app.appInstance, nullptr);
  const SIZE client = optionsClientSize();
  for (int c = 0; c < kOptionsControlCount; ++c) createControl(c, client);
  applyOptionsLook();
}

bool takeOptionsDialogKey(MSG* msg) {
  // On the Options and Hotkeys pages only.
  const LRESULT tab = SendMessageA(optionsControls[kTabCtrl], TCM_GETCURSEL, 0, 0);
  return tab <= 1 && app.optionsWnd && IsDialogMessageA(app.optionsWnd, msg);
}

void toggleOptionsWindow() {
  const HWND options = app.optionsWnd;
  if (IsWindowVisible(options) && !IsIconic(options) && !isWindowCovered(options)) {
    ShowWindow(options, SW_HIDE);
    return;
  }
  SendMessageA(optionsControls[kTabCtrl], TCM_SETCURSEL, 0, 0);
  selectTab(0);
  ShowWindow(options, SW_SHOW);
  if (IsIconic(options)) ShowWindow(options, SW_RESTORE);
  SetForegroundWindow(options);
  SetFocus(optionsControls[kTabCtrl]);
}

void showNotation(int formatIndex) {
  for (int n = 0; n < kNotationCount; ++n)
    SendMessageA(optionsControls.notationRadio(n), BM_SETCHECK, n == formatIndex ? BST_CHECKED : BST_UNCHECKED, 0);
}

void showMiddleButtonMode(bool on) {
  SendMessageA(optionsControls[kMiddleButtonCheck], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void showOpacity(int percent) {
  SetScrollPos(optionsControls[kOpacityScrollBar], SB_CTL, transparencyOf(percent), TRUE);
  showTransparency();
}

void showMagnifierScale(int scale) {
  SendMessageA(optionsControls[kMagnifierCombo], CB_SETCURSEL, std::max(magnifierScaleIndex(scale), 0), 0);
}

void showSampleSide(int side) {
  SendMessageA(optionsControls[kSampleCombo], CB_SETCURSEL, std::max(sampleSideIndex(side), 0), 0);
}

bool hotkeyControlHasFocus() {
  const HWND focus = GetFocus();
  if (!focus) return false;
  for (int action = 0; action < kActionCount; ++action)
    if (optionsControls.hotkeyCtrl(action) == focus) return true;
  return false;
}

void selectTab(int page) {
  showTabPage(optionsState.currentTab, SW_HIDE);
  showTabPage(page, SW_SHOW);
  optionsState.currentTab = page;
}
