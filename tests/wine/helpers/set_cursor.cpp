// Puts the pointer at the given screen position: set_cursor X Y.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  return SetCursorPos(std::atoi(argv[1]), std::atoi(argv[2])) ? 0 : 1;
}
