// The settings store: every persisted setting in one registry key of the current user.
#pragma once
#include <windows.h>

// Reads every setting from the registry, writing defaults for missing ones. False: the key could
// not be opened or created, or a default could not be written.
bool loadSettings();
// Writes every setting back. False when a write failed.
bool saveSettings();
// The two above on a key the caller opened. Reading applies every value; defaults are written
// until the first write fails. Saving stops at the first failed write.
bool loadSettingsFrom(HKEY key);
bool saveSettingsTo(HKEY key);
// At the box's close: the template combo box's list becomes templateListData.
void packTemplateList();
// At start-up: templateListData fills the template combo box and is released.
void unpackTemplateList();

// The session ends (log-off, shut-down): the box is closed and the settings saved at once, since
// the process is ended without a WM_QUIT.
LRESULT onQueryEndSession();
LRESULT onEndSession(HWND box, bool ending);
