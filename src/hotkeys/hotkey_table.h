// The display names of hotkeys and the registration flags of their modifiers. No windows.h.
#pragma once
#include <cstddef>

#include "app/action_table.h"

// Flags of a system hotkey registration; the bits sit elsewhere than in the control's byte.
constexpr unsigned kRegisterAlt = 0x0001;
constexpr unsigned kRegisterControl = 0x0002;
constexpr unsigned kRegisterShift = 0x0004;

// The longest name: Ctrl+Alt+Shift+Print Screen.
constexpr std::size_t kHotkeyNameMax = 27;
// One name per action, each with its line break, and the terminating zero.
constexpr std::size_t kFailureListSize = kActionCount * (kHotkeyNameMax + 1) + 1;

// Makes a stored pair (virtual key, modifier byte) one the Hotkeys page could have given. A key without
// Shift, Ctrl or Alt becomes Ctrl+Shift+key, as the page's rule turns a bare key, so that a damaged value
// never registers a bare letter as a global hotkey; the extended-key bit and any other bit stay. Modifiers
// without a key become no hotkey (0, 0). True when the pair was changed.
bool repairStoredHotkey(unsigned char* key, unsigned char* modifiers);

// The registration flags for a hotkey control's modifier byte; the extended-key bit is dropped.
unsigned registrationModifiers(unsigned char modifiers);
// Appends the display name of a hotkey ("Ctrl+Shift+O") to the zero-terminated text in `name`
// (capacity `size`), cut to fit.
void formatHotkeyName(unsigned char modifiers, unsigned char key, char* name, std::size_t size);
// Appends the name of a refused hotkey and one line break to the failure list.
void appendFailedHotkey(unsigned char modifiers, unsigned char key, char* list, std::size_t size);
