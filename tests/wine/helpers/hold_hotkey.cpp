// Holds system hotkeys for the tests, the way another program would: hold_hotkey MODS:VK ...
// (MOD_ flags and a virtual-key code, each decimal or 0x hex). Once every hotkey is registered
// it shows a window of class "TintletTestHotkeyHolder" and waits until it is ended; exit code 1
// when the system refuses one of them.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TintletTestHotkeyHolder";
  if (!RegisterClassA(&wc)) return 2;
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             wc.hInstance, nullptr);
  if (!wnd) return 2;
  for (int i = 1; i < argc; ++i) {
    char* rest = nullptr;
    const unsigned long modifiers = std::strtoul(argv[i], &rest, 0);
    if (*rest != ':') return 2;
    const unsigned long key = std::strtoul(rest + 1, nullptr, 0);
    if (!RegisterHotKey(wnd, i, static_cast<UINT>(modifiers), static_cast<UINT>(key))) return 1;
  }
  // The caption tells the tests that every hotkey is held.
  SetWindowTextA(wnd, "holding");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
