// A full-screen window of bright colour bands to show the colour box against, with the pointer put where
// asked: backdrop X Y. Runs until its window is closed (WM_CLOSE).
#include <windows.h>

#include <cstdlib>

namespace {

constexpr int kBandWidth = 24;
constexpr COLORREF kBands[] = {RGB(230, 40, 40),  RGB(250, 140, 20), RGB(250, 220, 30), RGB(120, 200, 40),
                               RGB(20, 160, 90),  RGB(20, 180, 200), RGB(30, 100, 220), RGB(110, 60, 200),
                               RGB(200, 50, 160), RGB(250, 250, 250), RGB(40, 40, 40)};

void paintBands(HDC dc, const RECT& area) {
  const int count = sizeof kBands / sizeof kBands[0];
  for (int x = area.left, i = 0; x < area.right; x += kBandWidth, ++i) {
    HBRUSH brush = CreateSolidBrush(kBands[i % count]);
    RECT band = {x, area.top, x + kBandWidth, area.bottom};
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
}

LRESULT CALLBACK backdropProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      RECT r;
      GetClientRect(wnd, &r);
      paintBands(dc, r);
      EndPaint(wnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(wnd, msg, wp, lp);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = backdropProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = "ScreenshotBackdrop";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, "ScreenshotBackdrop", "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  UpdateWindow(wnd);
  SetCursorPos(std::atoi(argv[1]), std::atoi(argv[2]));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
