#include "box/nudge.h"

#include <gtest/gtest.h>

#include "export/notation.h"

TEST(Nudge, PointerMovesAndStopsOnTheVirtualScreensEdges) {
  const Rect one = {0, 0, 1024, 768};
  // A monitor left of and above the primary one: the virtual screen starts at negative coordinates.
  const Rect left = {-1280, -200, 1920, 1080};
  struct Case {
    const char* name;
    Point from;
    int dx, dy;
    Rect screen;
    Point to;
  };
  const Case cases[] = {
      {"left", {500, 400}, -1, 0, one, {499, 400}},
      {"right", {500, 400}, 1, 0, one, {501, 400}},
      {"up", {500, 400}, 0, -1, one, {500, 399}},
      {"down", {500, 400}, 0, 1, one, {500, 401}},
      {"ten right", {500, 400}, 10, 0, one, {510, 400}},
      {"ten up", {500, 400}, 0, -10, one, {500, 390}},
      {"left at the left edge", {0, 300}, -1, 0, one, {0, 300}},
      {"up at the top edge", {300, 0}, 0, -1, one, {300, 0}},
      {"right at the last column", {1023, 300}, 1, 0, one, {1023, 300}},
      {"down at the last row", {300, 767}, 0, 1, one, {300, 767}},
      {"ten left stops on the edge", {4, 300}, -10, 0, one, {0, 300}},
      {"ten down stops on the last row", {300, 763}, 0, 10, one, {300, 767}},
      {"ten right exactly to the last column", {1013, 5}, 10, 0, one, {1023, 5}},
      {"into negative coordinates", {0, 0}, -10, -1, left, {-10, -1}},
      {"left edge of a negative monitor", {-1275, 100}, -10, 0, left, {-1280, 100}},
      {"top edge of a negative monitor", {-600, -200}, 0, -1, left, {-600, -200}},
      {"right edge of the wide screen", {1919, 1079}, 1, 1, left, {1919, 1079}},
      {"a pointer outside the screen comes onto it", {-5000, 5000}, 1, 0, one, {0, 767}},
  };
  for (const Case& c : cases) {
    const Point got = nudgedPointer(c.from, c.dx, c.dy, c.screen);
    EXPECT_EQ(got.x, c.to.x) << c.name;
    EXPECT_EQ(got.y, c.to.y) << c.name;
  }
}

TEST(Nudge, KeysAndTheirHotkeyIdentifiers) {
  struct Expected {
    unsigned char key, modifiers;
    NudgeCommand command;
    int dx, dy;
  };
  // Left, Right, Up, Down alone and with Shift (modifier byte 1), then Enter and Escape; "+" (also with Shift),
  // Num +, "-", Num -, Page Up, Page Down, and Enter and Escape with Shift.
  const Expected expected[] = {
      {0x25, 0, NudgeCommand::move, -1, 0},  {0x27, 0, NudgeCommand::move, 1, 0},
      {0x26, 0, NudgeCommand::move, 0, -1},  {0x28, 0, NudgeCommand::move, 0, 1},
      {0x25, 1, NudgeCommand::move, -10, 0}, {0x27, 1, NudgeCommand::move, 10, 0},
      {0x26, 1, NudgeCommand::move, 0, -10}, {0x28, 1, NudgeCommand::move, 0, 10},
      {0x0D, 0, NudgeCommand::copy, 0, 0},   {0x1B, 0, NudgeCommand::leave, 0, 0},
      {0xBB, 0, NudgeCommand::sample, 1, 0}, {0xBB, 1, NudgeCommand::sample, 1, 0},
      {0x6B, 0, NudgeCommand::sample, 1, 0}, {0xBD, 0, NudgeCommand::sample, -1, 0},
      {0x6D, 0, NudgeCommand::sample, -1, 0}, {0x21, 0, NudgeCommand::scale, 1, 0},
      {0x22, 0, NudgeCommand::scale, -1, 0}, {0x0D, 1, NudgeCommand::copy, 0, 0},
      {0x1B, 1, NudgeCommand::leave, 0, 0},
  };
  ASSERT_EQ(kNudgeKeyCount, 19);
  // The first identifier after the twelve actions' 0 to 11.
  ASSERT_EQ(kFirstNudgeHotkeyId, 12);
  for (int i = 0; i < kNudgeKeyCount; ++i) {
    const NudgeKey* k = nudgeKeyOfHotkeyId(12 + i);
    ASSERT_NE(k, nullptr) << i;
    EXPECT_EQ(k->key, expected[i].key) << i;
    EXPECT_EQ(k->modifiers, expected[i].modifiers) << i;
    EXPECT_EQ(k->command, expected[i].command) << i;
    EXPECT_EQ(k->dx, expected[i].dx) << i;
    EXPECT_EQ(k->dy, expected[i].dy) << i;
  }
  for (int id : {-1, 0, 5, 11, 31, 32, 1000}) EXPECT_EQ(nudgeKeyOfHotkeyId(id), nullptr) << id;
}

// The tray's commands share one id space: the Nudge item must not answer for a notation's item.
TEST(Nudge, TrayCommandIdIsNoOtherItemsId) {
  for (const Notation& n : kNotations) EXPECT_NE(n.commandId, kCmdNudge) << n.registryName;
  for (int id : {kCmdExit, kCmdShowHide, kCmdOptions, kCmdFormat, kCmdColors, kCmdDisplay, kCmdCopy, kCmdDecimal,
                 kCmdHexadecimal, kCmdMicro, kCmdNormal, kCmdZoom, kCmdContrast, kCmdMouseMode, kCmdSeparator})
    EXPECT_NE(id, kCmdNudge);
}
