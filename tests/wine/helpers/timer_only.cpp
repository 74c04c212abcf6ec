// Runs nothing but a 1 ms timer, as the colour box does, for the given seconds: timer_only SECONDS.
// The benchmark measures it beside Tintlet: what the timer's messages alone cost under this system.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  if (!SetTimer(nullptr, 0, 1, nullptr)) return 1;
  const DWORD end = GetTickCount() + seconds * 1000;
  MSG msg;
  while (static_cast<int>(end - GetTickCount()) > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
