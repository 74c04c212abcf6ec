// The persisted settings and their store: one registry key of the current user, or in portable use the
// file Tintlet.ini beside the program. Read once at start-up, written at exit and, between the two,
// whenever a look at them finds a change.
#pragma once
#include <windows.h>

#include <string>

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

// Portable use: the path of Tintlet.ini beside the program when that file exists, else empty.
std::string portableSettingsFile();
// Where the settings are read and written from now on: the file at `path`, or the registry when it is
// empty. The registry is never touched while a file is in use.
void useSettingsFile(const std::string& path);
const std::string& settingsFile();
// The system error of the last failed read or write of the settings file, 0 when none failed. A file
// that could not be read (`*reading`) is never written in that run.
DWORD settingsFileError(bool* reading);

// Reads every setting from the store, writing defaults for missing and unusable ones (to the file as
// one whole new file). False: the key could not be opened or created, the file could not be read, or a
// default could not be written.
bool loadSettings();
// Writes every setting back. False when a write failed.
bool saveSettings();
// Whether a persisted value differs from what the store was last given.
bool settingsChanged();
// Writes what changed since the store was last given the settings, and nothing when nothing did. False
// when a write failed.
bool saveChangedSettings();
// The registry's load and save on a key the caller opened. Reading applies every value; defaults are written
// until the first write fails. Saving stops at the first failed write.
bool loadSettingsFrom(HKEY key);
bool saveSettingsTo(HKEY key);
