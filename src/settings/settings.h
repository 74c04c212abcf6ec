// The persisted settings and their store: one registry key of the current user, read once at
// start-up and written once at exit. Between the two the settings live in `settings` only.
#pragma once
#include <windows.h>

#include "app/names.h"
#include "box/box_geometry.h"
#include "history/history.h"

// Every value the registry keeps, and nothing else. The setters of the box, the tray menu and the
// Options window change these members and bring what shows them into line; the store only reads
// and writes them.
struct Settings {
  int formatIndex;
  bool decimalDisplay;  // the colour text in decimal, else hexadecimal
  BoxForm form;
  bool middleButtonMode;
  COLORREF pickedColor;  // kept only in middle-button mode
  COLORREF baseColor;
  COLORREF textColor;
  LOGFONTA boxLogFont;  // sizes for 96 DPI
  COLORREF customColors[16];
  BYTE hotkeyChars[kActionCount];
  BYTE hotkeyModifiers[kActionCount];
  int opacityPercent;
  char customTemplate[kTemplateSize];
  char* templateListData;  // malloc'ed; saved list of templates, or none
  DWORD templateListSize;
  ColorHistory history;  // the colours copied or frozen, newest first
};

extern Settings settings;

// The settings of a first start.
void resetSettings();
// The box font of a first start, which the Options window's own font also is.
void initDefaultLogFont(LOGFONTA* font);

// Frees the stored template list; templateListData holds none after it.
void releaseTemplateList();

// Reads every setting from the registry, writing defaults for missing ones. False: the key could
// not be opened or created, or a default could not be written.
bool loadSettings();
// Writes every setting back. False when a write failed.
bool saveSettings();
// The two above on a key the caller opened. Reading applies every value; defaults are written
// until the first write fails. Saving stops at the first failed write.
bool loadSettingsFrom(HKEY key);
bool saveSettingsTo(HKEY key);
