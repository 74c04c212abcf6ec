// Sends one action to the running Tintlet's box, as its hotkey would: send_action N.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const HWND box = FindWindowA("TintletApp", nullptr);
  if (!box) return 1;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(box, WM_HOTKEY, std::atoi(argv[1]), 0, SMTO_NORMAL, 5000, &result) ? 0 : 1;
}
