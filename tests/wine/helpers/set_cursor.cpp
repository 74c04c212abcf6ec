// Puts the pointer at the given screen position: set_cursor X Y. Wine may leave the X pointer where it
// is while another X client holds it, though SetCursorPos succeeds: the pointer is read back and the
// move asked for again, for up to two seconds. Exits 1 if it never took.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  for (int attempt = 0; attempt < 100; ++attempt) {
    POINT at;
    if (SetCursorPos(x, y) && GetCursorPos(&at) && at.x == x && at.y == y) return 0;
    Sleep(20);
  }
  return 1;
}
