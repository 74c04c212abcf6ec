// How often the box's tick reads the screen: at every tick while the pointer moves, less often while it
// stands still. No windows.h.
#pragma once

// The timer's interval while the pointer moves or a mode needs speed (the system makes it at least 10 ms).
constexpr int kMovingTickMs = 1;
// While the pointer stands still: a first movement is seen, and the box follows, within one such interval.
constexpr int kStillTickMs = 25;
// While it stands still the screen is read at most once in this time: 20 times a second.
constexpr int kStillReadMs = 50;

struct TickState {
  bool pointerMoved;   // since the last tick
  bool needsSpeed;     // nudging, dragging, the colour dialog open, the middle button down in its mode
  bool redrawPending;  // the text, the form or the layout changed since the last read
  long msSinceRead;    // since the screen was last read
};

struct TickPace {
  bool readScreen;  // this tick reads the screen, shows the colour and places the box
  int intervalMs;   // the timer's interval from now on
};

TickPace tickPace(const TickState& now);
