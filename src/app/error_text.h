// The text of the program's error message box.
#pragma once
#include <cstddef>

enum ErrorCode {
  kErrRegisterClass = 0, kErrTimer = 1, kErrRegistry = 3, kErrHotkeys = 200, kErrClipboard = 1000,
  kErrPaletteSave = 1001,    // the text: the file's path, then the system's message
  kErrSettingsWrite = 1100,  // the same
  kErrSettingsRead = 1101,
};

// Writes the message for `code` and the caller's `text` into `out` (always zero-terminated,
// cut to `size`). Lines break with a single carriage return.
void composeErrorText(int code, const char* text, char* out, std::size_t size);

// Room for the longest message: the fixed words, the given text and the suffix.
std::size_t errorTextSize(const char* text);
