#include "box/tick_pace.h"

TickPace tickPace(const TickState& now) {
  if (now.pointerMoved || now.needsSpeed || now.redrawPending) return {true, kMovingTickMs};
  return {now.msSinceRead >= kStillReadMs, kStillTickMs};
}
