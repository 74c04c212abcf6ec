// Puts the pointer at the given screen position: set_cursor X Y. Exits 1 if the move never took.
#include <windows.h>

#include <cstdlib>

#include "pointer.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  return movePointer(std::atoi(argv[1]), std::atoi(argv[2])) ? 0 : 1;
}
