#include "settings/settings.h"

// The registry store is not built yet: nothing is read or written and the defaults stand.
bool loadSettings() { return true; }
bool saveSettings() { return true; }
void packTemplateList() {}
void unpackTemplateList() {}
