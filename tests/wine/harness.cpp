#include "harness.h"

#include <winternl.h>

#include "app/gdi.h"
#include "app/names.h"
#include "app/startup.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"

void pumpFor(int ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the real loop
        return;
      }
      dispatchLoopMessage(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD end = GetTickCount() + timeoutMs;
  while (!done()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return done();
    pumpFor(10);
  }
  return true;
}

void clearSettings() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kOlderSettingsKey);
}

std::string storedBytes(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  char data[256] = {};
  DWORD size = sizeof data;
  const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
}

void startTintlet() {
  int exitCode = -1;
  ASSERT_TRUE(startUp(GetModuleHandleA(nullptr), &exitCode)) << "start-up ended with " << exitCode;
  ASSERT_NE(app.boxWnd, nullptr);
  // Without a taskbar, Wine shows tray icons in a topmost window at the top-left corner, over the
  // test's own painted windows. The icon stays; only that window is put out of the way.
  if (HWND tray = FindWindowA(nullptr, "Wine System Tray")) ShowWindow(tray, SW_HIDE);
}

int exitTintlet() {
  if (!app.boxWnd) return -1;  // start-up failed: there is no loop to end
  SendMessageA(app.boxWnd, WM_HOTKEY, 8, 0);
  const int code = runMessageLoop();
  shutDown();
  return code;
}

void openOptions(int page) {
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionOptions, 0);
  pumpFor(100);
  if (page == 0) return;
  switchOptionsPage(page);
  pumpFor(100);
}

void switchOptionsPage(int page) {
  SendMessageA(optionsControls[kTabCtrl], TCM_SETCURSEL, page, 0);
  NMHDR note = {optionsControls[kTabCtrl], 0, TCN_SELCHANGE};
  SendMessageA(app.optionsWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
}

void typeTemplate(const char* text) {
  const HWND field = FindWindowExA(optionsControls[kTemplateCombo], nullptr, "Edit", nullptr);
  ASSERT_NE(field, nullptr);
  // WM_SETTEXT would change the text without telling anyone; a replaced selection tells as a key does.
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

MessageBoxCloser::MessageBoxCloser() : thread_([this] { watch(); }) {}

MessageBoxCloser::~MessageBoxCloser() { stop(); }

void MessageBoxCloser::stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<MessageBoxCloser::Seen> MessageBoxCloser::seen() {
  std::lock_guard<std::mutex> hold(lock_);
  return seen_;
}

std::vector<std::string> MessageBoxCloser::texts() {
  std::vector<std::string> list;
  for (const Seen& box : seen()) list.push_back(box.text);
  return list;
}

void MessageBoxCloser::clear() {
  std::lock_guard<std::mutex> hold(lock_);
  seen_.clear();
}

void MessageBoxCloser::watch() {
  while (!stopping_) {
    const HWND box = FindWindowA("#32770", kProgramTitle);
    if (!box || !IsWindowVisible(box)) {
      Sleep(5);
      continue;
    }
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
    const HWND ok = FindWindowExA(box, nullptr, "Button", "OK");
    {
      std::lock_guard<std::mutex> hold(lock_);
      seen_.push_back({text, GetWindow(box, GW_OWNER), ok != nullptr});
    }
    if (ok) PostMessageA(ok, BM_CLICK, 0, 0);
    else PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int waited = 0; IsWindow(box); waited += 5) {
      if (waited == 10000) PostMessageA(box, WM_COMMAND, IDOK, 0);  // the click did not end it: still end it
      Sleep(5);
    }
  }
}

namespace {

LRESULT CALLBACK colorWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<ColorWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (msg == WM_PAINT && self) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    if (self->paint) {
      self->paint(dc, r);
    } else {
      HBRUSH brush = CreateSolidBrush(self->color);
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    }
    EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcA(wnd, msg, wp, lp);
}

HWND createColorWindow(RECT at, ColorWindow* self) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = colorWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TintletTestColor";
    RegisterClassA(&wc);
    registered = true;
  }
  HWND wnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TintletTestColor", "", WS_POPUP, at.left, at.top,
                             at.right - at.left, at.bottom - at.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
  SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  UpdateWindow(wnd);
  return wnd;
}

}  // namespace

ColorWindow::ColorWindow(RECT at, COLORREF c) : color(c) { wnd = createColorWindow(at, this); }
ColorWindow::ColorWindow(RECT at, std::function<void(HDC, RECT)> painter) : paint(std::move(painter)) {
  wnd = createColorWindow(at, this);
}
ColorWindow::~ColorWindow() { DestroyWindow(wnd); }

void ColorWindow::setColor(COLORREF c) {
  color = c;
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
}

std::vector<std::string> templateEntries() {
  std::vector<std::string> list;
  const int count = static_cast<int>(SendMessageA(optionsControls[kTemplateCombo], CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(optionsControls[kTemplateCombo], CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    list.push_back(text);
  }
  EXPECT_EQ(list, settings.templates.entries()) << "the drop-down shows the template list as it is";
  return list;
}

RECT rectInOptions(HWND ctrl) {
  RECT r;
  GetWindowRect(ctrl, &r);
  MapWindowPoints(HWND_DESKTOP, app.optionsWnd, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<HWND> optionsChildren() {
  std::vector<HWND> children;
  for (HWND c = GetWindow(app.optionsWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

std::string windowText(HWND wnd) {
  char text[1024] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

std::string clipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string windowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string helperPath(const char* name) { return windowsPath(std::string(TEST_HELPER_DIR) + "/" + name + ".exe"); }

HANDLE startProcess(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

HWND waitForWindow(const char* className, const char* caption, int timeoutMs) {
  HWND found = nullptr;
  pumpUntil([&] { return (found = FindWindowA(className, caption)) != nullptr; }, timeoutMs);
  return found;
}

DWORD waitForExit(HANDLE process, int ms) {
  DWORD code = STILL_ACTIVE;
  if (pumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, ms))
    GetExitCodeProcess(process, &code);
  return code;
}

DWORD runInNewProcess(const char* test) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string line = std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
  HANDLE process = startProcess(line);
  if (!process) return 99;
  DWORD code = waitForExit(process, 60000);
  if (code == STILL_ACTIVE) {
    code = 98;
    TerminateProcess(process, code);
  }
  CloseHandle(process);
  return code;
}

HotkeyHolder::HotkeyHolder(const std::string& hotkeys) {
  process = startProcess(helperPath("hold_hotkey") + " " + hotkeys);
}

bool HotkeyHolder::ready() const {
  return process && waitForWindow("TintletTestHotkeyHolder", "holding") != nullptr;
}

bool HotkeyHolder::refused() const {
  if (!process) return false;
  const auto ended = [this] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; };
  pumpUntil([&] { return ended() || FindWindowA("TintletTestHotkeyHolder", "holding"); }, 10000);
  DWORD code = 0;
  return ended() && GetExitCodeProcess(process, &code) && code == 1;
}

HotkeyHolder::~HotkeyHolder() {
  if (!process) return;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

bool openClipboardForTest(HWND owner) {
  for (int i = 0; i < 50; ++i) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

ClipboardText readClipboard() {
  ClipboardText result;
  if (!openClipboardForTest(nullptr)) return result;
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    const SIZE_T size = GlobalSize(data);
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      result.present = true;
      result.block.assign(bytes, size);
      result.text = result.block.substr(0, result.block.find('\0'));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

bool putTextOnClipboard(HWND owner, const char* text) {
  if (!openClipboardForTest(owner)) return false;
  EmptyClipboard();
  const SIZE_T size = lstrlenA(text) + 1;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  bool put = false;
  if (block) {
    CopyMemory(GlobalLock(block), text, size);
    GlobalUnlock(block);
    put = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!put) GlobalFree(block);
  }
  CloseClipboard();
  return put;
}

void paintPixels(HDC dc, int w, int h, const std::function<DWORD(int, int)>& pixel) {
  std::vector<DWORD> bits(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bits[static_cast<size_t>(y) * w + x] = pixel(x, y);
  BITMAPINFO info = topDownBitmapInfo(w, h, 32);
  SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, bits.data(), &info, DIB_RGB_COLORS);
}

PrefixDpi::PrefixDpi(DWORD dpi) {
  DWORD size = sizeof old;
  had = RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD, nullptr, &old,
                     &size) == ERROR_SUCCESS;
  set(dpi);
}

PrefixDpi::~PrefixDpi() {
  if (had) {
    set(old);
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
  }
}

void PrefixDpi::set(DWORD dpi) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

long liveGdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted) return static_cast<long>(counted);
  // Wine keeps the table where Windows does, at the PEB's GdiSharedHandleTable, whose offset follows the
  // pointer size: 65 536 entries of 24 bytes (the same in both), each with the object's type at byte 14,
  // 0 while the entry is free.
#ifdef _WIN64
  constexpr size_t kGdiTableOffset = 0xF8;
#else
  constexpr size_t kGdiTableOffset = 0x94;
#endif
  const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + kGdiTableOffset);
  if (!table) return -1;
  long live = 0;
  for (int i = 0; i < 0x10000; ++i)
    if (table[i * 24 + 14]) ++live;
  return live;
}
