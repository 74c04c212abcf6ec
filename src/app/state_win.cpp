#include "app/state.h"

AppState app;
