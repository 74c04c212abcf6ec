#include "box/nudge.h"

namespace {

int clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

}  // namespace

const NudgeKey* nudgeKeyOfHotkeyId(int id) {
  const int index = id - kFirstNudgeHotkeyId;
  return index >= 0 && index < kNudgeKeyCount ? &kNudgeKeys[index] : nullptr;
}

Point nudgedPointer(Point p, int dx, int dy, Rect screen) {
  return {clamp(p.x + dx, screen.left, screen.right - 1), clamp(p.y + dy, screen.top, screen.bottom - 1)};
}
