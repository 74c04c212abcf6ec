// Another program's window for the focus tests: other_window click|activate|wait [MS].
// Shows a top-level window "Other program", takes the activation by a real click into it, by
// SetForegroundWindow, or waits for someone else to click it; keeps pumping for MS milliseconds
// (default 1500) and exits with the number of times it lost the activation after it had it, plus
// 100 if it is not the foreground window at the end.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "pointer.h"

namespace {

HWND self;
bool activated = false;
int losses = 0;

LRESULT CALLBACK otherProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ACTIVATE) {
    if (LOWORD(wp) != WA_INACTIVE) activated = true;
    else if (activated) ++losses;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

void pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void clickInto(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  movePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

}  // namespace

int main(int argc, char** argv) {
  const char* how = argc > 1 ? argv[1] : "click";
  const DWORD ms = argc > 2 ? std::atoi(argv[2]) : 1500;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = otherProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "TintletTestOther";
  RegisterClassA(&wc);
  // Beside the Options window, which sits in the middle of the screen.
  self = CreateWindowExA(0, "TintletTestOther", "Other program", WS_OVERLAPPEDWINDOW, 20, 20, 240, 160, nullptr,
                         nullptr, wc.hInstance, nullptr);
  ShowWindow(self, SW_SHOWNOACTIVATE);
  UpdateWindow(self);
  pump(200);
  activated = false;
  if (std::strcmp(how, "click") == 0) clickInto(self);
  if (std::strcmp(how, "activate") == 0) SetForegroundWindow(self);
  pump(ms);
  const int result = losses + (GetForegroundWindow() == self ? 0 : 100);
  DestroyWindow(self);
  return result;
}
