// The persisted settings and their store: one registry key of the current user, read once at
// start-up and written once at exit. Between the two the settings live in `settings` only.
#pragma once
#include <windows.h>

#include "app/action_table.h"
#include "app/names.h"
#include "box/box_geometry.h"
#include "history/history.h"
#include "settings/template_list.h"

// The order of the template field's sorted list box: the user's locale, blind to case.
int compareTemplates(const char* a, const char* b);

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
  TemplateList templates{compareTemplates};  // in the order the template field lists them
  ColorHistory history;  // the colours copied or frozen, newest first
  int magnifierScale;    // the zoom form's cells at 96 DPI: 2, 4, 6 or 8 pixels a screen pixel
  int sampleSide;        // the picked colour is the mean of this many pixels squared around the pointer
};

extern Settings settings;

// The settings of a first start.
void resetSettings();
// The box font of a first start, which the Options window's own font also is.
void initDefaultLogFont(LOGFONTA* font);

// Reads every setting from the registry, writing defaults for missing ones. False: the key could
// not be opened or created, or a default could not be written.
bool loadSettings();
// Writes every setting back. False when a write failed.
bool saveSettings();
// The two above on a key the caller opened. Reading applies every value; defaults are written
// until the first write fails. Saving stops at the first failed write.
bool loadSettingsFrom(HKEY key);
bool saveSettingsTo(HKEY key);
