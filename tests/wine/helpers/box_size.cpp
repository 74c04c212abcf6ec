// Prints the size of the running program's colour box and the height of its text line:
// "WIDTH HEIGHT LINE". Exit code 1 when no box is found.
#include <windows.h>

#include <cstdio>

int main() {
  HWND box = FindWindowA("TintletApp", nullptr);
  if (!box) return 1;
  HWND text = FindWindowExA(box, nullptr, "EDIT", nullptr);
  RECT r = {}, t = {};
  GetWindowRect(box, &r);
  if (text) GetWindowRect(text, &t);
  std::printf("%ld %ld %ld\n", r.right - r.left, r.bottom - r.top, t.bottom - t.top);
  return 0;
}
