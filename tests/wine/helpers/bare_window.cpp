// A bare Win32 window program to hold Tintlet against: one small topmost popup with a 1 ms timer like the
// colour box's, and the system libraries named on the command line, loaded and kept, for the given seconds.
//   bare_window SECONDS timer|sample [LIBRARY.dll ...]
// "timer" does nothing at a tick; "sample" reads the pointer and the pixel under it, the least a tick that
// picks the colour under the pointer can do.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

bool sampling = false;
HDC screen = nullptr;

LRESULT CALLBACK bareProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_TIMER) return DefWindowProcA(wnd, msg, wp, lp);
  if (sampling) {
    POINT p;
    GetCursorPos(&p);
    GetPixel(screen, p.x, p.y);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const DWORD seconds = std::atoi(argv[1]);
  sampling = std::strcmp(argv[2], "sample") == 0;
  for (int i = 3; i < argc; ++i)
    if (!LoadLibraryA(argv[i])) return 2;
  screen = GetWindowDC(GetDesktopWindow());
  WNDCLASSA wc = {};
  wc.lpfnWndProc = bareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = "TintletBareWindow";
  if (!RegisterClassA(&wc)) return 1;
  HWND wnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 700, 500, 40, 30,
                             nullptr, nullptr, wc.hInstance, nullptr);
  if (!wnd || !SetTimer(wnd, 1, 1, nullptr)) return 1;
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  const DWORD end = GetTickCount() + seconds * 1000;
  MSG msg;
  while (static_cast<int>(end - GetTickCount()) > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  ReleaseDC(GetDesktopWindow(), screen);
  return 0;
}
