// A top-level window whose thread stops answering: hung_window EVENT_NAME.
// Signals the named event once the window exists, then never pumps messages again.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND wnd = CreateWindowExA(0, "STATIC", "hung", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!wnd) return 1;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
  if (ready) SetEvent(ready);
  Sleep(INFINITE);
  return 0;
}
