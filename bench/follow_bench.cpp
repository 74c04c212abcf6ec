// How soon the colour box follows the pointer, with the real program's own timer: after the pointer stood
// still (the tick at its slow pace) and while it keeps moving (the full pace).
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"
#include "box/box_geometry.h"
#include "box/tick_pace.h"

namespace {

constexpr int kRounds = 40;
constexpr POINT kPlaces[2] = {{300, 300}, {340, 330}};

double nowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Dispatches the thread's messages until `done`, looking at it at least every millisecond; false after 2 s.
template <typename Done>
bool serveUntil(Done done) {
  const double end = nowMs() + 2000;
  while (!done()) {
    if (nowMs() > end) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchLoopMessage(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}

bool boxBeside(POINT p) {
  const Point at = boxPosition({p.x, p.y}, app.boxWidth, boxState.boxHeight, {0, 0, 1024, 768});
  RECT r;
  GetWindowRect(app.boxWnd, &r);
  return r.left == at.x && r.top == at.y;
}

// Milliseconds from moving the pointer to `p` to the box standing beside it.
double followDelay(POINT p) {
  const double start = nowMs();
  SetCursorPos(p.x, p.y);
  return serveUntil([&] { return boxBeside(p); }) ? nowMs() - start : -1;
}

void report(const char* name, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2], p90 = ms[ms.size() * 9 / 10], worst = ms.back();
  std::printf("%-38s %8.1f %8.1f %8.1f\n", name, median, p90, worst);
}

}  // namespace

int main() {
  clearSettings();
  SetCursorPos(kPlaces[0].x, kPlaces[0].y);
  startTintlet();
  if (!app.boxWnd) return 1;
  std::vector<double> afterStill, whileMoving;
  for (int i = 0; i < kRounds; ++i) {
    // The pointer stood still long enough for the slow pace; the move comes at another moment of its interval.
    if (!serveUntil([] { return tickIntervalMs() == kStillTickMs; })) return 1;
    const double wait = nowMs() + i * 7 % kStillTickMs;
    serveUntil([&] { return nowMs() >= wait; });
    afterStill.push_back(followDelay(kPlaces[(i + 1) % 2]));
  }
  for (int i = 0; i < kRounds; ++i) {
    // Moved again at once, as a moving pointer is: the tick still at its full pace.
    SetCursorPos(kPlaces[i % 2].x + 3, kPlaces[i % 2].y);
    serveUntil([&] { return boxBeside({kPlaces[i % 2].x + 3, kPlaces[i % 2].y}); });
    whileMoving.push_back(followDelay(kPlaces[(i + 1) % 2]));
  }
  std::printf("Milliseconds from a pointer move to the box beside it, over %d moves (goal: 50 after standing still)\n",
              kRounds);
  std::printf("%-38s %8s %8s %8s\n", "", "median", "90 %", "worst");
  report("first move after standing still", afterStill);
  report("a move while moving", whileMoving);
  std::fflush(stdout);
  return exitTintlet();
}
