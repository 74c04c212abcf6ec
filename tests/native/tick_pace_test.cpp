#include <gtest/gtest.h>

#include "box/tick_pace.h"

TEST(TickPace, ReadsAtEveryTickWhileAnythingMovesAndTwentyTimesASecondWhileStill) {
  struct Case {
    const char* name;
    TickState state;
    bool read;
    int intervalMs;
  };
  const Case cases[] = {
      {"pointer moved", {true, false, false, 0}, true, 1},
      {"pointer moved long after a read", {true, false, false, 5000}, true, 1},
      {"still, just read", {false, false, false, 0}, false, 25},
      {"still, 25 ms after a read", {false, false, false, 25}, false, 25},
      {"still, 49 ms after a read", {false, false, false, 49}, false, 25},
      {"still, 50 ms after a read", {false, false, false, 50}, true, 25},
      {"still, a second after a read", {false, false, false, 1000}, true, 25},
      {"still but nudging, dragging or picking", {false, true, false, 0}, true, 1},
      {"still with a redraw pending", {false, false, true, 0}, true, 1},
  };
  for (const Case& c : cases) {
    const TickPace got = tickPace(c.state);
    EXPECT_EQ(got.readScreen, c.read) << c.name;
    EXPECT_EQ(got.intervalMs, c.intervalMs) << c.name;
  }
}
