#pragma once
#include <windows.h>

#include <string>

// Shows the program's one error message box and waits until the user closes it.
void reportError(HWND owner, int code, const char* text);
// The system's own words for the error `code`, on lines broken by a single carriage return as the message
// box's other texts are; "Error N." where the system has none.
std::string systemMessage(DWORD code);
