// Posts an action to the running program as its hotkey would: send_action NUMBER
// Waits up to 10 s for the colour box to be shown (a hidden box still gets the action after
// that), gives it a moment to sample, then posts it WM_HOTKEY with the action number.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND box = nullptr;
  for (int waited = 0; waited < 10000; waited += 50) {
    box = FindWindowA("TintletApp", nullptr);
    if (box && IsWindowVisible(box)) break;
    Sleep(50);
  }
  if (!box) return 1;
  Sleep(300);
  return PostMessageA(box, WM_HOTKEY, std::atoi(argv[1]), 0) ? 0 : 1;
}
