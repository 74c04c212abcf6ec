#include "options/options.h"

// The Hotkeys page's buttons are not built yet.
void onHotkeysApply() {}
void onHotkeysDefaults() {}
