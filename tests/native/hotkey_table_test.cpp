#include "hotkeys/hotkey_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string name(unsigned modifiers, unsigned key) {
  char text[kHotkeyNameMax + 1] = "";
  formatHotkeyName(static_cast<unsigned char>(modifiers), static_cast<unsigned char>(key), text, sizeof text);
  return text;
}
}  // namespace

TEST(HotkeyTable, ActionsAndDefaults) {
  ASSERT_EQ(kActionCount, 12);
  const char* const names[kActionCount] = {"Options", "Dec / Hex", "Show / Hide", "Fix color", "Stop moving", "Zoom",
                                           "Copy to Clipboard", "Micro form", "Exit", "Nudge mode", "Contrast form",
                                           "Paste color"};
  // The contrast form and Paste color have no hotkey until the user gives them one.
  const char keys[kActionCount] = {0x4F, 0x44, 0x51, 0x46, 0x53, 0x5A, 0x43, 0x4D, 0x58, 0x4E, 0, 0};
  const char modifiers[kActionCount] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0};
  for (int i = 0; i < kActionCount; ++i) {
    EXPECT_STREQ(kActionNames[i], names[i]) << i;
    EXPECT_EQ(kDefaultHotkeyChars[i], keys[i]) << i;
    EXPECT_EQ(kDefaultModifiers[i], modifiers[i]) << i;
  }
  // "hotchars" and "modifiers" keep their nine bytes, one per action before Nudge mode.
  EXPECT_EQ(kStoredHotkeyCount, 9);
  EXPECT_EQ(kActionNudge, 9);
  EXPECT_EQ(kActionContrast, 10);
  EXPECT_EQ(kActionMenuIds[kActionContrast], 0);  // the Display submenu's radio item is the form's, not the action's
  EXPECT_EQ(kActionPaste, 11);
  EXPECT_EQ(kActionMenuIds[kActionPaste], 86);
}

TEST(HotkeyTable, NamedKeys) {
  struct Case { unsigned key; const char* name; };
  const Case cases[] = {
      {0x03, "Break"},     {0x08, "Backspace"}, {0x09, "Tab"},         {0x0D, "Enter"},     {0x14, "Caps Lock"},
      {0x1B, "Esc"},       {0x20, "Space"},     {0x21, "Page Up"},     {0x22, "Page Down"}, {0x23, "End"},
      {0x24, "Home"},      {0x25, "Left"},      {0x26, "Up"},          {0x27, "Right"},     {0x28, "DOWN"},
      {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},      {0x90, "Num Lock"},  {0x91, "Scroll Lock"},
  };
  for (const Case& c : cases) EXPECT_EQ(name(0, c.key), c.name) << c.key;
}

TEST(HotkeyTable, KeysByRange) {
  struct Case { unsigned key; const char* name; };
  const Case cases[] = {
      {0x30, "0"},      {0x37, "7"},       {0x39, "9"},       {0x41, "A"},       {0x51, "Q"},      {0x5A, "Z"},
      {0x2F, "VK(47)"}, {0x3A, "VK(58)"},  {0x40, "VK(64)"},  {0x5B, "VK(91)"},
      {0x60, "Num(0)"}, {0x65, "Num(5)"},  {0x69, "Num(9)"},  {0x6A, "VK(106)"}, {0x6B, "Num +"}, {0x6D, "Num -"},
      {0xBB, "+"},      {0xBD, "-"},       {0xBC, "VK(188)"},
      {0x6F, "VK(111)"}, {0x70, "F1"},     {0x7B, "F12"},     {0x87, "F24"},     {0x88, "VK(136)"},
      {0x00, "VK(0)"},  {0x10, "VK(16)"},  {0xBA, "VK(186)"}, {0xFF, "VK(255)"}, {0x01, "VK(1)"},
      {0x29, "VK(41)"}, {0x92, "VK(146)"},
  };
  for (const Case& c : cases) EXPECT_EQ(name(0, c.key), c.name) << c.key;
}

TEST(HotkeyTable, ModifiersInFixedOrder) {
  struct Case { unsigned modifiers, key; const char* name; };
  const Case cases[] = {
      {0x0F, 0x91, "Ctrl+Alt+Shift+Scroll Lock"},
      {0x02, 0x65, "Ctrl+Num(5)"},
      {0x01, 0x7B, "Shift+F12"},
      {0x04, 0xC0, "Alt+VK(192)"},
      {0x03, 0x4F, "Ctrl+Shift+O"},
      {0x03, 0x00, "Ctrl+Shift+VK(0)"},
      {0x05, 0x41, "Alt+Shift+A"},
      {0x06, 0x28, "Ctrl+Alt+DOWN"},
      {0x08, 0x4B, "K"},
      {0x0B, 0x2E, "Ctrl+Shift+Delete"},
      {0x0F, 0x2C, "Ctrl+Alt+Shift+Print Screen"},
  };
  for (const Case& c : cases) EXPECT_EQ(name(c.modifiers, c.key), c.name) << c.modifiers << " " << c.key;
  EXPECT_EQ(name(0x0F, 0x2C).size(), kHotkeyNameMax);
}

TEST(HotkeyTable, NameIsAppendedAndCutToFit) {
  char text[32] = "x";
  formatHotkeyName(0x02, 0x70, text, sizeof text);
  EXPECT_STREQ(text, "xCtrl+F1");

  char small[8] = "";
  formatHotkeyName(0x0F, 0x2C, small, sizeof small);
  EXPECT_STREQ(small, "Ctrl+Al");
}

TEST(HotkeyTable, ModifierByteToRegistrationFlags) {
  // Alt 1, Ctrl 2, Shift 4 after conversion; the extended-key bit 8 adds nothing.
  const unsigned expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 0, 4, 2, 6, 1, 5, 3, 7};
  for (unsigned byte = 0; byte < 16; ++byte)
    EXPECT_EQ(registrationModifiers(static_cast<unsigned char>(byte)), expected[byte]) << byte;
}

TEST(HotkeyTable, FailureListHoldsALongestNameForEveryAction) {
  char list[kFailureListSize];
  std::memset(list, '#', sizeof list);
  list[0] = '\0';
  for (int i = 0; i < kActionCount; ++i) appendFailedHotkey(0x0F, 0x2C, list, sizeof list);
  std::string expected;
  for (int i = 0; i < kActionCount; ++i) expected += "Ctrl+Alt+Shift+Print Screen\r";
  EXPECT_EQ(std::string(list), expected);

  char two[64] = "";
  appendFailedHotkey(0x03, 0x51, two, sizeof two);
  appendFailedHotkey(0x04, 0x7B, two, sizeof two);
  EXPECT_STREQ(two, "Ctrl+Shift+Q\rAlt+F12\r");
}

TEST(HotkeyTable, StoredPairIsRepaired) {
  struct Case { unsigned key, modifiers, repairedKey, repairedModifiers; bool changed; };
  const Case cases[] = {
      {'O', 0x03, 'O', 0x03, false},   // the default pair
      {'O', 0x00, 'O', 0x03, true},    // a bare letter becomes Ctrl+Shift+letter
      {0x27, 0x08, 0x27, 0x0B, true},  // an extended key alone keeps its extended bit
      {'A', 0x10, 'A', 0x13, true},    // a bit the page never sets is no modifier, and stays
      {'A', 0x01, 'A', 0x01, false},   // Shift alone is a modifier
      {'A', 0x02, 'A', 0x02, false},
      {'A', 0x04, 'A', 0x04, false},
      {0x70, 0x0F, 0x70, 0x0F, false},
      {0xFF, 0x00, 0xFF, 0x03, true},
      {0x00, 0x00, 0x00, 0x00, false},  // no hotkey
      {0x00, 0x03, 0x00, 0x00, true},   // modifiers without a key: no hotkey
      {0x00, 0x08, 0x00, 0x00, true},
  };
  for (const Case& c : cases) {
    unsigned char key = static_cast<unsigned char>(c.key), modifiers = static_cast<unsigned char>(c.modifiers);
    EXPECT_EQ(repairStoredHotkey(&key, &modifiers), c.changed) << c.key << " " << c.modifiers;
    EXPECT_EQ(key, c.repairedKey) << c.key << " " << c.modifiers;
    EXPECT_EQ(modifiers, c.repairedModifiers) << c.key << " " << c.modifiers;
  }
}

TEST(HotkeyTable, NineZeroModifierBytesRegisterNoBareKey) {
  unsigned char keys[kStoredHotkeyCount], modifiers[kStoredHotkeyCount] = {};
  std::memcpy(keys, kDefaultHotkeyChars.data(), kStoredHotkeyCount);
  for (int i = 0; i < kStoredHotkeyCount; ++i) {
    EXPECT_TRUE(repairStoredHotkey(&keys[i], &modifiers[i])) << i;
    EXPECT_EQ(registrationModifiers(modifiers[i]), kRegisterControl | kRegisterShift) << i;
    EXPECT_EQ(keys[i], static_cast<unsigned char>(kDefaultHotkeyChars[i])) << i;
  }
}
