#include "box/box.h"

#include <algorithm>
#include <cstring>

#include "app/error.h"
#include "app/error_text.h"
#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/area_mean.h"
#include "box/box_dpi.h"
#include "box/box_geometry.h"
#include "box/contrast.h"
#include "box/dpi_scale.h"
#include "box/sample.h"
#include "box/tick_pace.h"
#include "box/zoom.h"
#include "export/notation.h"
#include "history/history_menu.h"
#include "options/options.h"
#include "settings/settings.h"
#include "tray/tray.h"

BoxState boxState;

namespace {

LRESULT onBoxCreate(HWND wnd);
LRESULT onBoxTimerMessage(HWND wnd, WPARAM id);
LRESULT onBoxPaint(HWND wnd);
LRESULT onTextColors(HDC dc);
LRESULT onDragStart();
LRESULT onDragEnd();
LRESULT onBoxRightButtonUp();

Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The tick's pace (tick_pace.h): where the pointer was at the last tick, when the screen was last read, and
// the interval the timer runs at.
struct TickClock {
  POINT lastPointer;
  LARGE_INTEGER lastRead;
  int intervalMs;
};
TickClock tickClock = {};

long msSince(const LARGE_INTEGER& then) {
  // Fixed at boot: asked once, not at every tick.
  static const LONGLONG perSecond = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<long>((now.QuadPart - then.QuadPart) * 1000 / perSecond);
}

void startTimer(HWND wnd) {
  app.timerActive = SetTimer(wnd, kTickTimerId, kMovingTickMs, nullptr) != 0;
  tickClock.intervalMs = kMovingTickMs;
}

// The same timer at another interval; should that fail, the one running goes on.
void setTickInterval(HWND wnd, int ms) {
  if (ms != tickClock.intervalMs && SetTimer(wnd, kTickTimerId, ms, nullptr)) tickClock.intervalMs = ms;
}

bool tickNeedsSpeed() {
  return boxState.nudgeMode || boxState.dragging || optionsState.colorDialogWnd ||
         (settings.middleButtonMode && (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0);
}

void fillBoxBackground(HWND wnd, HDC dc) {
  RECT r;
  GetClientRect(wnd, &r);
  ++r.right;
  ++r.bottom;
  FillRect(dc, &r, app.baseBrush);
  forgetMagnifier();
  // The swatch, the text and the magnifier go back on at the next tick, which must not keep a still pointer's pace.
  app.textDirty = true;
  if (app.timerActive) setTickInterval(wnd, kMovingTickMs);
}

// Under Wine a window moved to where it already is still costs a reconfigure, about a millisecond at
// every tick; nothing changes on the screen, so that move is left out.
void moveWindowTo(HWND wnd, HWND parent, RECT to) {
  RECT r;
  GetWindowRect(wnd, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  if (!EqualRect(&r, &to)) MoveWindow(wnd, to.left, to.top, to.right - to.left, to.bottom - to.top, TRUE);
}

// The screen under the pointer, asked again only when the pointer leaves it or a quarter second has passed:
// under Wine every question costs several server calls, and the answer changes only with the display setup.
constexpr DWORD kScreenRecheckMs = 250;
struct KnownScreen {
  bool known;
  DWORD askedAt;
  RECT rect;
};
KnownScreen knownScreen = {};

RECT screenUnder(POINT p) {
  const DWORD now = GetTickCount();
  if (!knownScreen.known || !PtInRect(&knownScreen.rect, p) || now - knownScreen.askedAt >= kScreenRecheckMs)
    knownScreen = {true, now, screenRectAt(p)};
  return knownScreen.rect;
}

// The desktop window's DC, kept from tick to tick: taking it anew costs a server call every time.
HDC tickScreenDC() {
  if (!boxState.screenDC) boxState.screenDC = GetWindowDC(GetDesktopWindow());
  return boxState.screenDC;
}

void releaseScreenDC() {
  if (boxState.screenDC) ReleaseDC(GetDesktopWindow(), boxState.screenDC);
  boxState.screenDC = nullptr;
}

// Puts the box beside `p`, the pointer as the caller read it, or keeps it where it is when it does not follow.
void placeBoxAt(HWND wnd, POINT p, bool follow) {
  POINT at;
  if (follow) {
    const Point pos = boxPosition({p.x, p.y}, app.boxWidth, boxState.boxHeight, toRect(screenUnder(p)));
    at = {pos.x, pos.y};
  } else {
    RECT r;
    GetWindowRect(wnd, &r);
    at = {r.left, r.top};
  }
  moveWindowTo(app.boxTextWnd, wnd, {1, 1, app.boxWidth - 1, app.lineHeight + 1});
  moveWindowTo(wnd, HWND_DESKTOP, {at.x, at.y, at.x + app.boxWidth, at.y + boxState.boxHeight});
}

int contrastLinesComposed = 0;

// The contrast form's line, composed only when the colour under the pointer or the reference changed.
void composeContrastLine() {
  const COLORREF reference = contrastReference(settings.history);
  if (boxState.contrastComposed && boxState.contrastPicked == settings.pickedColor && boxState.contrastReference == reference) return;
  contrastTextOfColorRefs(settings.pickedColor, reference, boxState.contrastText);
  boxState.contrastPicked = settings.pickedColor;
  boxState.contrastReference = reference;
  boxState.contrastComposed = true;
  ++contrastLinesComposed;
}

// "Aa" in the reference colour, centred on the swatch and outlined, so that it shows on any swatch.
void paintContrastSample(HDC dc) {
  static const char kSample[] = "Aa";
  const RECT& r = boxState.swatchRect;
  SelectedObject font(dc, app.boxFont);
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, kSample, 2, &size);
  const int x = (r.left + r.right - size.cx) / 2, y = (r.top + r.bottom - size.cy) / 2;
  const int d = scaleForDpi(1, boxLayoutDpi());
  const int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, outlineIsBlack(boxState.contrastReference) ? RGB(0, 0, 0) : RGB(255, 255, 255));
  const POINT around[] = {{-d, 0}, {d, 0}, {0, -d}, {0, d}};
  for (const POINT& o : around) ExtTextOutA(dc, x + o.x, y + o.y, ETO_CLIPPED, &r, kSample, 2, nullptr);
  SetTextColor(dc, boxState.contrastReference);
  ExtTextOutA(dc, x, y, ETO_CLIPPED, &r, kSample, 2, nullptr);
  SetBkMode(dc, mode);
}

// The text line and the swatch, painted into `dc`.
void paintColor(HDC dc) {
  if (settings.form != BoxForm::micro) {
    RECT line = {0, 0, app.boxWidth + 1, app.lineHeight + 1};
    FillRect(dc, &line, app.baseBrush);
  }
  HBRUSH swatch = CreateSolidBrush(settings.pickedColor);
  FillRect(dc, &boxState.swatchRect, swatch);
  DeleteObject(swatch);
  if (settings.form == BoxForm::contrast) paintContrastSample(dc);
}

// The widest line of the contrast form in the box font, the widest digit standing for every digit.
int measureContrastLine(HDC dc) {
  SelectedObject font(dc, app.boxFont);
  char widestDigit = '0';
  int widest = 0;
  for (char digit = '0'; digit <= '9'; ++digit) {
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, &digit, 1, &s);
    if (s.cx > widest) widest = s.cx, widestDigit = digit;
  }
  int width = 0;
  for (const char* sample : kWidestContrastTexts) {
    char text[kContrastTextSize];
    lstrcpynA(text, sample, sizeof text);
    replaceChar(text, '0', widestDigit);
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &s);
    if (s.cx > width) width = s.cx;
  }
  return measuredLineWidth(width);
}

// The colour text, and beside it the sample's size while the colour is the mean of an area.
void showColorText() {
  if (settings.form == BoxForm::contrast) {
    SetWindowTextA(app.boxTextWnd, boxState.contrastText);
    return;
  }
  char shown[sizeof app.decText + kSampleMarkSize];
  if (settings.decimalDisplay) {
    std::memcpy(shown, app.decText, sizeof app.decText);
    replaceChar(shown, '@', '0');
  } else {
    std::memcpy(shown, app.hexText, sizeof app.hexText);
  }
  char mark[kSampleMarkSize];
  sampleMarkText(settings.sampleSide, mark);
  std::strcat(shown, mark);
  SetWindowTextA(app.boxTextWnd, shown);
}

}  // namespace

LRESULT CALLBACK colorBoxProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == app.runningMsg && msg != 0) return onSecondInstance(wnd);
  if (msg == app.taskbarCreatedMsg && msg != 0) return onTaskbarCreated(wnd);
  switch (msg) {
    case WM_CREATE:           return onBoxCreate(wnd);
    case WM_DESTROY:          return onBoxDestroy(wnd);
    case WM_PAINT:            return onBoxPaint(wnd);
    case WM_COMMAND:          return onMenuCommand(wnd, LOWORD(wp));
    case WM_INITMENUPOPUP:    return onMenuPopup(reinterpret_cast<HMENU>(wp));
    case WM_TIMER:            return onBoxTimerMessage(wnd, wp);
    case WM_CTLCOLORSTATIC:   return onTextColors(reinterpret_cast<HDC>(wp));
    case WM_LBUTTONDOWN:      return onDragStart();
    case WM_LBUTTONUP:        return onDragEnd();
    case WM_RBUTTONUP:        return onBoxRightButtonUp();
    case WM_HOTKEY:           return onAction(wnd, static_cast<int>(wp));
    case kTrayCallbackMsg:    return onTrayNotify(wnd, lp);
    case WM_QUERYENDSESSION:  return TRUE;
    case WM_ENDSESSION:       return onEndSession(wnd, wp != 0);
    case WM_DPICHANGED:       return onBoxDpiChanged(wnd, LOWORD(wp));
    default:                  break;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

SIZE measureDigits(HDC dc) {
  static const char kDigits[] = "0123456789ABCDEF";
  SelectedObject font(dc, app.boxFont);
  const bool decimal = settings.decimalDisplay;
  SIZE widest = {0, 0};
  for (int i = 0; i < (decimal ? 10 : 16); ++i) {
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, &kDigits[i], 1, &s);
    if (s.cx > widest.cx) widest.cx = s.cx;
    if (s.cy > widest.cy) widest.cy = s.cy;
  }
  SIZE spaces = {0, 0};
  if (decimal) GetTextExtentPoint32A(dc, "  ", 2, &spaces);
  char mark[kSampleMarkSize];
  sampleMarkText(settings.sampleSide, mark);
  SIZE marked = {0, 0};
  if (mark[0]) GetTextExtentPoint32A(dc, mark, static_cast<int>(std::strlen(mark)), &marked);
  return {measuredTextWidth(widest.cx, spaces.cx, decimal) + marked.cx, widest.cy + 1};
}

void measureBox(HWND wnd) {
  WindowDC dc(wnd);
  const SIZE m = measureDigits(dc.dc);
  app.lineHeight = m.cy;
  int measured = m.cx;
  if (settings.form == BoxForm::contrast) measured = std::max(measured, measureContrastLine(dc.dc));
  boxState.measuredWidth = measured;
  app.boxWidth = boxWidthFor(measured, boxLayoutDpi());
}

RECT screenRectAt(POINT p) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  RECT d;  // no monitor known: the primary one, which the desktop window covers
  GetWindowRect(GetDesktopWindow(), &d);
  return d;
}

Rect virtualScreenRect() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void placeBox(HWND wnd) {
  POINT p = {};
  // With the input on another desktop (lock screen, UAC prompt) there is no pointer: the box keeps its place.
  const bool follow = boxState.followPointer && GetCursorPos(&p);
  placeBoxAt(wnd, p, follow);
}

void applyFormGeometry(BoxForm form, int h) {
  const int cell = magnifierCellSize();
  app.boxWidth = boxWidthFor(boxState.measuredWidth, boxLayoutDpi(), form == BoxForm::zoom ? cell : 0);
  const FormGeometry g = formGeometry(form, h, app.boxWidth, cell);
  boxState.boxHeight = g.boxHeight;
  boxState.swatchRect = {g.swatch.left, g.swatch.top, g.swatch.right, g.swatch.bottom};
}

void layoutBox(HWND wnd) {
  if (app.boxFont) DeleteObject(app.boxFont);
  app.boxFont = createBoxFont();
  SendMessageA(app.boxTextWnd, WM_SETFONT, reinterpret_cast<WPARAM>(app.boxFont), TRUE);
  measureBox(wnd);
  applyFormGeometry(settings.form, app.lineHeight);
  paintBoxBackground(wnd);
  placeBox(wnd);
}

void setBoxFont(const LOGFONTA& font, COLORREF textColor) {
  settings.boxLogFont = font;
  settings.textColor = textColor;
  layoutBox(app.boxWnd);
  app.textDirty = true;
}

void paintBoxBackground(HWND wnd) {
  WindowDC dc(wnd);
  fillBoxBackground(wnd, dc.dc);
}

// The brush is replaced before anything paints with the new colour; the class erases with it
// too, so it must not keep the deleted one.
void setBaseColor(COLORREF color) {
  settings.baseColor = color;
  if (app.baseBrush) DeleteObject(app.baseBrush);
  app.baseBrush = CreateSolidBrush(color);
  SetClassLongPtrA(app.boxWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(app.baseBrush));
}

void redrawBox(HWND wnd) {
  {
    WindowDC dc(wnd);
    paintColor(dc.dc);
  }
  showColorText();
}

void hideBox(HWND wnd) {
  setNudgeMode(false);
  ShowWindow(wnd, SW_HIDE);
  KillTimer(wnd, kTickTimerId);
  app.timerActive = false;
  markBoxShown(false);
}

void showBox(HWND wnd) {
  app.textDirty = true;
  placeBox(wnd);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  paintBoxBackground(wnd);
  markBoxShown(true);
  if (app.timerActive) return;
  startTimer(wnd);
  if (!app.timerActive) {
    reportError(wnd, kErrTimer, "");
    DestroyWindow(wnd);
  }
}

int contrastLinesComposedSoFar() { return contrastLinesComposed; }

void releaseTickDCs() {
  releaseScreenDC();
  releaseMagnifier();
  releaseSampler();
}

namespace {

// One tick in full at the pointer `p`, as the caller read it: placing the box with the same position keeps
// it where this tick's sample was taken.
void sampleAt(HWND wnd, POINT p) {
  tickClock.lastPointer = p;
  QueryPerformanceCounter(&tickClock.lastRead);
  if (boxState.dragging && !boxState.followPointer) {
    RECT r;
    GetWindowRect(wnd, &r);
    SetWindowPos(wnd, HWND_TOP, p.x + r.left - boxState.dragPoint.x, p.y + r.top - boxState.dragPoint.y, app.boxWidth,
                 boxState.boxHeight, SWP_SHOWWINDOW);
    boxState.dragPoint = p;
  }
  const HDC screen = tickScreenDC();
  COLORREF c = CLR_INVALID;
  if (settings.form == BoxForm::zoom) {
    // The magnifier's one read of the screen gives the sampled pixels too.
    WindowDC box(wnd);
    c = drawMagnifier(screen, box.dc, p, screenUnder(p));
    if (c == CLR_INVALID) c = GetPixel(screen, p.x, p.y);
  } else {
    releaseMagnifier();  // its DCs are kept only while the zoom form is shown
    c = sampledColor(screen, p, settings.sampleSide);
  }
  // A pixel that cannot be read is no colour: keep the last one rather than show white.
  if (c != CLR_INVALID) {
    // The button as the hardware has it: GetKeyState would see only clicks on this thread's own windows.
    const bool take = !settings.middleButtonMode || (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0;
    if (!boxState.colorFixed && take) settings.pickedColor = c;
  } else {
    releaseScreenDC();  // the next tick reads through a DC taken anew
  }
  if (boxState.firstTick) {
    boxState.firstTick = false;
    app.textDirty = true;
  }
  const bool contrast = settings.form == BoxForm::contrast;
  const bool referenceChanged = contrast && contrastReference(settings.history) != boxState.contrastReference;
  const bool changed = app.textDirty || settings.pickedColor != boxState.shownColor || referenceChanged;
  if (changed && !boxState.colorFixed) composeColorTexts(settings.pickedColor, app.hexText, app.decText);
  if (changed && contrast) composeContrastLine();
  if (changed) redrawBox(wnd);
  if (boxState.followPointer) placeBoxAt(wnd, p, true);
  boxState.shownColor = settings.pickedColor;
  app.textDirty = false;
}

}  // namespace

// While the pointer stands still the screen is read less often, and the timer runs slower.
LRESULT onBoxTimer(HWND wnd) {
  POINT p;
  // Fails while another desktop has the input (lock screen, UAC prompt): the box and its colour stay.
  if (!GetCursorPos(&p)) return 0;
  const bool moved = p.x != tickClock.lastPointer.x || p.y != tickClock.lastPointer.y;
  const TickPace pace =
      tickPace({moved, tickNeedsSpeed(), app.textDirty || boxState.firstTick, msSince(tickClock.lastRead)});
  setTickInterval(wnd, pace.intervalMs);
  if (pace.readScreen) sampleAt(wnd, p);
  return 0;
}

LRESULT onBoxTick(HWND wnd) {
  // Read once: every pointer read costs an X round trip and server calls under Wine.
  POINT p;
  if (GetCursorPos(&p)) sampleAt(wnd, p);
  return 0;
}

int tickIntervalMs() { return tickClock.intervalMs; }

namespace {

// The box's timers: the tick, the look for changed settings, and the tray icon's next try.
LRESULT onBoxTimerMessage(HWND wnd, WPARAM id) {
  switch (id) {
    case kSaveTimerId:      return onSaveTimer();
    case kTrayRetryTimerId: return onTrayRetry(wnd);
    default:                return onBoxTimer(wnd);
  }
}

LRESULT onBoxCreate(HWND wnd) {
  app.boxFont = createBoxFont();
  measureBox(wnd);
  // Always laid out in the normal form here; start-up applies the loaded form later.
  applyFormGeometry(BoxForm::normal, app.lineHeight);
  boxState.dragging = false;
  placeBox(wnd);
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, app.boxWidth, boxState.boxHeight, SWP_NOMOVE);
  startTimer(wnd);
  if (!app.timerActive) {
    reportError(wnd, kErrTimer, "");
    PostQuitMessage(0);
    return 0;
  }
  addTrayIcon(wnd);
  SetWindowLongA(wnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  // Start-up gives the layered box its opacity.
  if (app.layeredSupported) SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  return 0;
}

LRESULT onBoxPaint(HWND wnd) {
  if (!GetUpdateRect(wnd, nullptr, TRUE)) return 0;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd, &ps);
  fillBoxBackground(wnd, dc);
  EndPaint(wnd, &ps);
  app.textDirty = true;
  return 0;
}

LRESULT onTextColors(HDC dc) {
  COLORREF text = settings.textColor, back = settings.baseColor;
  if (settings.form == BoxForm::micro) {
    text = microTextIsBlack(settings.pickedColor) ? RGB(0, 0, 0) : RGB(255, 255, 255);
    back = settings.pickedColor;
  }
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  if (app.ctlBrush) DeleteObject(app.ctlBrush);
  app.ctlBrush = CreateSolidBrush(back);
  return reinterpret_cast<LRESULT>(app.ctlBrush);
}

LRESULT onDragStart() {
  if (boxState.followPointer) return 0;
  boxState.dragging = GetCursorPos(&boxState.dragPoint) != FALSE;
  return 0;
}

LRESULT onDragEnd() {
  if (!boxState.followPointer) boxState.dragging = false;
  return 0;
}

LRESULT onBoxRightButtonUp() {
  showTrayMenu();
  return 0;
}

}  // namespace
