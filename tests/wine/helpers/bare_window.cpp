// A bare Win32 window program to hold Tintlet's footprint against: one small topmost popup, a 1 ms timer
// like the colour box's, and the system libraries named on the command line, loaded and kept, for the given
// seconds: bare_window SECONDS [LIBRARY.dll ...]
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK bareProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) return 0;
  return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  for (int i = 2; i < argc; ++i)
    if (!LoadLibraryA(argv[i])) return 2;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = bareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = "TintletBareWindow";
  if (!RegisterClassA(&wc)) return 1;
  HWND wnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 700, 500, 40, 30, nullptr,
                             nullptr, wc.hInstance, nullptr);
  if (!wnd || !SetTimer(wnd, 1, 1, nullptr)) return 1;
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  const DWORD end = GetTickCount() + seconds * 1000;
  MSG msg;
  while (static_cast<int>(end - GetTickCount()) > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
