#include "app/startup.h"

#include <cstring>
#include <string>

#include "app/dll_search.h"
#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "box/box.h"
#include "history/history_menu.h"
#include "options/options.h"
#include "settings/settings.h"
#include "tray/tray.h"

namespace {

constexpr UINT kBroadcastTimeoutMs = 3000;
constexpr UINT kSaveLookMs = 900;  // a change is written 0.9 to 1.8 s after it

bool saveDue = false;  // the last look found a change

// A settings file that cannot be read or written is told once a run, with the system's own words.
void reportSettingsFileError() {
  static bool told = false;
  bool reading;
  const DWORD error = settingsFileError(&reading);
  if (told || error == 0) return;
  told = true;
  const std::string text = settingsFile() + "\r\r" + systemMessage(error);
  reportError(nullptr, reading ? kErrSettingsRead : kErrSettingsWrite, text.c_str());
}

void writeSettingsAndTell() {
  if (!saveSettings()) reportSettingsFileError();
}

// The running instance makes its box just after taking the mutex: a start in that moment waits for it.
constexpr DWORD kFindBoxMs = 3000;
constexpr DWORD kFindBoxRetryMs = 50;

// Posted to the running box alone: a broadcast would reach every top-level window of every program, and
// wait on each that is slow to answer.
void showRunningBox() {
  for (DWORD waited = 0;; waited += kFindBoxRetryMs) {
    if (const HWND box = FindWindowA(kBoxClassName, nullptr)) {
      PostMessageA(box, app.runningMsg, 0, 0);
      return;
    }
    if (waited >= kFindBoxMs) return;
    Sleep(kFindBoxRetryMs);
  }
}

void findLayeredWindows() {
  // User32 is imported, so already loaded; the handle is not counted and is not freed.
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes");
  app.setLayeredAttrs = reinterpret_cast<SetLayeredAttrsFn>(reinterpret_cast<void (*)()>(found));
  if (app.setLayeredAttrs) app.layeredSupported = true;
}

bool registerClasses(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = colorBoxProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "TLICON");
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = app.baseBrush;
  wc.lpszClassName = kBoxClassName;
  wc.hIconSm = LoadIconA(instance, "TLICON");
  if (!RegisterClassExA(&wc)) {
    reportError(nullptr, kErrRegisterClass, kBoxClassName);
    return false;
  }
  wc.lpszClassName = kOptionsClassName;
  wc.lpfnWndProc = optionsProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassExA(&wc)) {
    reportError(nullptr, kErrRegisterClass, kOptionsClassName);
    return false;
  }
  return true;
}

template <typename Handle>
void deleteObject(Handle& obj) {
  if (obj) DeleteObject(obj);
  obj = nullptr;
}

void destroyMenu(HMENU& menu) {
  if (menu) DestroyMenu(menu);
  menu = nullptr;
}

}  // namespace

bool startUp(HINSTANCE instance, int* exitCode) {
  *exitCode = 0;
  restrictDllSearch();
  app.runningMsg = RegisterWindowMessageA(kSingleInstanceName);
  CreateMutexA(nullptr, FALSE, kSingleInstanceName);  // held until the process ends
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    showRunningBox();
    return false;
  }
  InitCommonControls();
  resetSettings();
  app.layeredSupported = false;
  findLayeredWindows();
  loadSystemLibrary("riched32.dll");  // the "RichEdit" class of the Help page; stays loaded
  useSettingsFile(portableSettingsFile());
  if (!loadSettings()) {
    if (settingsFile().empty()) reportError(nullptr, kErrRegistry, "");
    else reportSettingsFileError();
  }
  app.baseBrush = CreateSolidBrush(settings.baseColor);
  app.arrowCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  app.handCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  app.appInstance = instance;
  if (!registerClasses(instance)) return false;
  buildTrayMenu();
  composeAboutText();

  app.boxWnd = CreateWindowExA(0, kBoxClassName, "", WS_POPUP | WS_SYSMENU, 0, 0, 0, 0, GetDesktopWindow(), nullptr,
                               instance, nullptr);
  app.boxTextWnd = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_CENTER, 1, 1,
                                   app.boxWidth - 2, app.lineHeight, app.boxWnd, reinterpret_cast<HMENU>(100),
                                   instance, nullptr);
  createOptionsWindow();
  applyStoredHotkeys();

  // The loaded settings shown by their setters: the box, the menu marks and the Options controls.
  setNotation(settings.formatIndex);
  setMiddleButtonMode(settings.middleButtonMode);
  setOpacity(settings.opacityPercent);
  setMagnifierScale(settings.magnifierScale);
  setSampleSide(settings.sampleSide);
  SendMessageA(app.boxTextWnd, WM_SETFONT, reinterpret_cast<WPARAM>(app.boxFont), TRUE);
  setDisplayBase(settings.decimalDisplay);  // lays out the form too
  // Not ShowWindow: the first call of a process may be given the launcher's show command ("Run: Minimized"),
  // and the box is never minimised or maximised; nor does it take the activation from the user's program.
  SetWindowPos(app.boxWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ShowWindow(app.optionsWnd, SW_HIDE);
  saveDue = false;
  SetTimer(app.boxWnd, kSaveTimerId, kSaveLookMs, nullptr);
  return true;
}

LRESULT onSaveTimer() {
  // The nudge mode's zoom form is not the user's choice: the look waits until the mode ends.
  if (boxState.nudgeMode) return 0;
  if (!settingsChanged()) {
    saveDue = false;
  } else if (!saveDue) {
    saveDue = true;
  } else {
    saveDue = false;
    if (!saveChangedSettings()) reportSettingsFileError();
  }
  return 0;
}

void dispatchLoopMessage(MSG* msg) {
  if (takeOptionsDialogKey(msg)) return;
  TranslateMessage(msg);
  DispatchMessageA(msg);
}

int runMessageLoop() {
  MSG msg = {};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) dispatchLoopMessage(&msg);
  return static_cast<int>(msg.wParam);
}

void shutDown() {
  releaseTickDCs();
  deleteObject(app.baseBrush);
  deleteObject(app.ctlBrush);
  deleteObject(app.linkFont);
  for (HICON& icon : app.aboutIcons) {
    if (icon) DestroyIcon(icon);
    icon = nullptr;
  }
  if (app.trayIcon) DestroyIcon(app.trayIcon);
  app.trayIcon = nullptr;
  deleteObject(app.uiFont);
  deleteObject(app.boxFont);
  destroyMenu(app.formatMenu);
  destroyMenu(app.displayMenu);
  destroyMenu(app.historyMenu);
  destroyMenu(app.magnifierMenu);
  destroyMenu(app.sampleMenu);
  destroyMenu(app.trayMenu);
  releaseHistorySwatches();
  writeSettingsAndTell();
}

void closeProgram(HWND box) {
  setNudgeMode(false);  // the keys go back, and the form the user chose is the one saved
  keepTypedTemplate();
  takeHotkeyRows();
  KillTimer(box, kSaveTimerId);
  if (app.timerActive) {
    KillTimer(box, kTickTimerId);
    app.timerActive = false;
  }
  removeTrayIcon();
}

LRESULT onEndSession(HWND box, bool ending) {
  if (!ending) return 0;
  closeProgram(box);
  writeSettingsAndTell();
  return 0;
}

int runTintlet(HINSTANCE instance) {
  int exitCode = 0;
  if (!startUp(instance, &exitCode)) return exitCode;
  exitCode = runMessageLoop();
  shutDown();
  return exitCode;
}
