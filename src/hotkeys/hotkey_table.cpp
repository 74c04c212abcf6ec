#include "hotkeys/hotkey_table.h"

#include <cstdio>
#include <cstring>

namespace {

struct KeyName {
  unsigned char key;
  const char* name;
};

constexpr KeyName kKeyNames[24] = {
  {0x03, "Break"},     {0x08, "Backspace"},    {0x09, "Tab"},    {0x0D, "Enter"},    {0x14, "Caps Lock"},
  {0x1B, "Esc"},       {0x20, "Space"},        {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"},
  {0x24, "Home"},      {0x25, "Left"},         {0x26, "Up"},     {0x27, "Right"},    {0x28, "DOWN"},
  {0x2C, "Print Screen"}, {0x2D, "Insert"},    {0x2E, "Delete"}, {0x90, "Num Lock"}, {0x91, "Scroll Lock"},
  {0x6B, "Num +"},     {0x6D, "Num -"},        {0xBB, "+"},      {0xBD, "-"}};

void append(char* out, std::size_t size, const char* piece) {
  const std::size_t used = std::strlen(out);
  if (used + 1 >= size) return;
  std::strncat(out, piece, size - used - 1);
}

// The key part of a name: the first rule that matches wins.
void keyName(unsigned char key, char* out, std::size_t size) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    std::snprintf(out, size, "%c", key);
    return;
  }
  if (key >= 0x60 && key <= 0x69) {
    std::snprintf(out, size, "Num(%d)", key - 0x60);
    return;
  }
  if (key >= 0x70 && key <= 0x87) {
    std::snprintf(out, size, "F%d", key - 0x6F);
    return;
  }
  for (const KeyName& k : kKeyNames) {
    if (k.key == key) {
      std::snprintf(out, size, "%s", k.name);
      return;
    }
  }
  std::snprintf(out, size, "VK(%d)", key);
}

}  // namespace

bool repairStoredHotkey(unsigned char* key, unsigned char* modifiers) {
  if (*key == 0) {
    if (*modifiers == 0) return false;
    *modifiers = 0;
    return true;
  }
  if (*modifiers & (kHotkeyShift | kHotkeyControl | kHotkeyAlt)) return false;
  *modifiers |= kHotkeyControl | kHotkeyShift;
  return true;
}

unsigned registrationModifiers(unsigned char modifiers) {
  unsigned flags = 0;
  if (modifiers & kHotkeyAlt) flags |= kRegisterAlt;
  if (modifiers & kHotkeyControl) flags |= kRegisterControl;
  if (modifiers & kHotkeyShift) flags |= kRegisterShift;
  return flags;
}

void formatHotkeyName(unsigned char modifiers, unsigned char key, char* name, std::size_t size) {
  if (size == 0) return;
  // Always Ctrl, Alt, Shift, whatever order the user pressed them in.
  if (modifiers & kHotkeyControl) append(name, size, "Ctrl+");
  if (modifiers & kHotkeyAlt) append(name, size, "Alt+");
  if (modifiers & kHotkeyShift) append(name, size, "Shift+");
  char k[16];
  keyName(key, k, sizeof k);
  append(name, size, k);
}

void appendFailedHotkey(unsigned char modifiers, unsigned char key, char* list, std::size_t size) {
  char name[kHotkeyNameMax + 1] = "";
  formatHotkeyName(modifiers, key, name, sizeof name);
  append(list, size, name);
  append(list, size, "\r");
}
