// What the soaks print about the process: its memory and its live GDI objects, and the colour they paint
// under the pointer.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "app/startup.h"
#include "app/state.h"
#include "harness.h"

inline void drainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchLoopMessage(&msg);
}

// The real program started afresh with the pointer at `pointer`, its timer stopped: only the soak's own
// ticks run. False when it did not start.
inline bool startWithoutTimer(POINT pointer) {
  clearSettings();
  SetCursorPos(pointer.x, pointer.y);
  startTintlet();
  if (!app.boxWnd) return false;
  KillTimer(app.boxWnd, kTickTimerId);
  drainMessages();
  return true;
}

// Committed private memory, as Windows counts "private bytes": the address space walked with VirtualQuery.
inline SIZE_T privateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const BYTE* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const BYTE* next = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

struct Sample {
  int step;
  long residentKiB, privateKiB, gdi;
};

inline Sample sample(int step) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {step, static_cast<long>(counters.WorkingSetSize / 1024), static_cast<long>(privateBytes() / 1024),
          liveGdiObjects()};
}

inline void printSample(const Sample& s) {
  std::printf("%7d %12ld %12ld %12ld\n", s.step, s.residentKiB, s.privateKiB, s.gdi);
  std::fflush(stdout);
}

// The 13 x 13 pixels around `pointer`, painted straight onto the screen: under Wine a window's own painting
// reaches the screen only when its surface is flushed, so most ticks would still read the colour before.
inline void paintUnderPointer(HDC screen, POINT pointer, COLORREF c) {
  HBRUSH brush = CreateSolidBrush(c);
  const RECT r = {pointer.x - 6, pointer.y - 6, pointer.x + 7, pointer.y + 7};
  FillRect(screen, &r, brush);
  DeleteObject(brush);
}
