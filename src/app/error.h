#pragma once
#include <windows.h>

// Shows the program's one error message box and waits until the user closes it.
void reportError(HWND owner, int code, const char* text);
