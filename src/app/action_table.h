// The actions, one row each: what the Hotkeys page calls it, its default hotkey, whether it runs while
// the box is hidden, its tray menu item and the function that runs it. No windows.h: pure files read the
// names and keys through the arrays made from the table below, which hold no function.
#pragma once
#include <array>
#include <cstddef>

#include "app/names.h"

enum Action {
  kActionOptions, kActionDecHex, kActionShowHide, kActionFixColor, kActionStopMoving,
  kActionZoom, kActionCopy, kActionMicro, kActionExit, kActionNudge, kActionContrast, kActionPaste,
  kActionCount
};

// The actions' work (box/actions_win.cpp, options/options_win.cpp).
void toggleOptionsWindow();
void toggleDisplayBase();
void toggleBoxShown();
void toggleFixColor();
void toggleFollowPointer();
void toggleZoomForm();
void copyPickedColor();
void toggleMicroForm();
void exitProgram();
void toggleNudgeMode();
void toggleContrastForm();
void pasteColor();

// Modifier bits of a hotkey control's word (its high byte).
constexpr unsigned char kHotkeyShift = 0x01;
constexpr unsigned char kHotkeyControl = 0x02;
constexpr unsigned char kHotkeyAlt = 0x04;
constexpr unsigned char kHotkeyExt = 0x08;
constexpr unsigned char kControlShiftByte = kHotkeyControl | kHotkeyShift;

struct ActionRow {
  const char* name;                 // the Hotkeys page's row; fits a 30-character slot
  unsigned char defaultKey;         // with defaultModifiers; 0 and 0: no hotkey until the user gives one
  unsigned char defaultModifiers;
  bool runsHidden;                  // also while the box is hidden
  int menuId;                       // the tray item that runs it as well; 0 for none
  const char* menuCaption;
  const char* storedAs;             // the registry value of its pair; null for the nine of "hotchars"
  void (*run)();
};

// "hotchars" and "modifiers" hold the pairs of the first nine actions; each later one has a value of its own.
constexpr int kStoredHotkeyCount = 9;

inline constexpr ActionRow kActions[] = {
    {"Options", 'O', kControlShiftByte, true, kCmdOptions, "&Options", nullptr, toggleOptionsWindow},
    {"Dec / Hex", 'D', kControlShiftByte, false, 0, nullptr, nullptr, toggleDisplayBase},
    {"Show / Hide", 'Q', kControlShiftByte, true, kCmdShowHide, "&Hide", nullptr, toggleBoxShown},
    {"Fix color", 'F', kControlShiftByte, false, 0, nullptr, nullptr, toggleFixColor},
    {"Stop moving", 'S', kControlShiftByte, false, 0, nullptr, nullptr, toggleFollowPointer},
    {"Zoom", 'Z', kControlShiftByte, false, 0, nullptr, nullptr, toggleZoomForm},
    {"Copy to Clipboard", 'C', kControlShiftByte, false, kCmdCopy, "&Copy", nullptr, copyPickedColor},
    {"Micro form", 'M', kControlShiftByte, false, 0, nullptr, nullptr, toggleMicroForm},
    {"Exit", 'X', kControlShiftByte, true, kCmdExit, "E&xit", nullptr, exitProgram},
    {"Nudge mode", 'N', kControlShiftByte, false, kCmdNudge, "&Nudge", "nudgekey", toggleNudgeMode},
    {"Contrast form", 0, 0, false, 0, nullptr, "contrastkey", toggleContrastForm},
    {"Paste color", 0, 0, true, kCmdPaste, "&Paste color", "pastekey", pasteColor},
};
static_assert(std::size(kActions) == kActionCount, "one row per action");

constexpr bool actionsStoredInOrder() {
  for (int i = 0; i < kActionCount; ++i)
    if ((kActions[i].storedAs == nullptr) != (i < kStoredHotkeyCount)) return false;
  return true;
}
static_assert(actionsStoredInOrder(), "the first nine pairs are the nine bytes of \"hotchars\", the rest have names");

// One field of every row, in action order.
template <typename T, typename Field>
constexpr std::array<T, kActionCount> eachAction(Field field) {
  std::array<T, kActionCount> out{};
  for (int i = 0; i < kActionCount; ++i) out[i] = field(kActions[i]);
  return out;
}
inline constexpr std::array<const char*, kActionCount> kActionNames =
    eachAction<const char*>([](const ActionRow& a) { return a.name; });
inline constexpr std::array<unsigned char, kActionCount> kDefaultHotkeyChars =
    eachAction<unsigned char>([](const ActionRow& a) { return a.defaultKey; });
inline constexpr std::array<unsigned char, kActionCount> kDefaultModifiers =
    eachAction<unsigned char>([](const ActionRow& a) { return a.defaultModifiers; });
inline constexpr std::array<int, kActionCount> kActionMenuIds =
    eachAction<int>([](const ActionRow& a) { return a.menuId; });
inline constexpr std::array<bool, kActionCount> kActionRunsHidden =
    eachAction<bool>([](const ActionRow& a) { return a.runsHidden; });

// The action whose tray item has command `id`, or -1.
constexpr int actionOfMenuId(int id) {
  for (int i = 0; i < kActionCount; ++i)
    if (id != 0 && kActionMenuIds[i] == id) return i;
  return -1;
}
