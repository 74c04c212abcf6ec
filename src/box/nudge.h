// Nudge mode as data: the keys it takes while it is on, and where they move the pointer. No windows.h.
#pragma once

#include "app/action_table.h"
#include "box/box_geometry.h"

enum class NudgeCommand { move, copy, leave, sample, scale };

// One key of the mode, with the modifier byte of a hotkey control (Shift 0x01).
struct NudgeKey {
  unsigned char key;
  unsigned char modifiers;
  NudgeCommand command;
  int dx, dy;  // the move; for sample and scale dx is the step through the sizes (+1 larger, -1 smaller)
};

constexpr int kNudgeKeyCount = 19;
// The keys are registered with hotkey identifiers after those of the actions.
constexpr int kFirstNudgeHotkeyId = kActionCount;

// The arrows move one pixel, with Shift ten; Enter copies and leaves, Escape leaves, with Shift too. "+" and "-"
// (the main keyboard's, also "+" typed with Shift there, and the keypad's) step the sample size, Page Up and
// Page Down the magnifier's scale.
constexpr NudgeKey kNudgeKeys[kNudgeKeyCount] = {
    {0x25, 0, NudgeCommand::move, -1, 0},    {0x27, 0, NudgeCommand::move, 1, 0},
    {0x26, 0, NudgeCommand::move, 0, -1},    {0x28, 0, NudgeCommand::move, 0, 1},
    {0x25, 1, NudgeCommand::move, -10, 0},   {0x27, 1, NudgeCommand::move, 10, 0},
    {0x26, 1, NudgeCommand::move, 0, -10},   {0x28, 1, NudgeCommand::move, 0, 10},
    {0x0D, 0, NudgeCommand::copy, 0, 0},     {0x1B, 0, NudgeCommand::leave, 0, 0},
    {0xBB, 0, NudgeCommand::sample, 1, 0},   {0xBB, 1, NudgeCommand::sample, 1, 0},
    {0x6B, 0, NudgeCommand::sample, 1, 0},   {0xBD, 0, NudgeCommand::sample, -1, 0},
    {0x6D, 0, NudgeCommand::sample, -1, 0},  {0x21, 0, NudgeCommand::scale, 1, 0},
    {0x22, 0, NudgeCommand::scale, -1, 0},   {0x0D, 1, NudgeCommand::copy, 0, 0},
    {0x1B, 1, NudgeCommand::leave, 0, 0},
};

// The key of a hotkey identifier, or null when the identifier is no key of the mode.
const NudgeKey* nudgeKeyOfHotkeyId(int id);
// The pointer at `p` moved by (dx, dy) and kept inside `screen` (the virtual screen; right and bottom
// exclusive): a move past an edge stops on the edge's last pixel.
Point nudgedPointer(Point p, int dx, int dy, Rect screen);
