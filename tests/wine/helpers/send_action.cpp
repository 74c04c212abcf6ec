// Posts an action to the running Tintlet, as its hotkey would: send_action N.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND box = FindWindowA("TintletApp", nullptr);
  if (!box) return 1;
  return PostMessageA(box, WM_HOTKEY, std::atoi(argv[1]), 0) ? 0 : 1;
}
