// Moving the pointer from a helper program. Wine may leave the X pointer where it is while another X
// client holds it, though SetCursorPos succeeds: the pointer is read back and the move asked for
// again, for up to two seconds. False if it never took.
#pragma once
#include <windows.h>

inline bool movePointer(int x, int y) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    POINT at;
    if (SetCursorPos(x, y) && GetCursorPos(&at) && at.x == x && at.y == y) return true;
    Sleep(20);
  }
  return false;
}
