#include "app/error_text.h"

#include <cstring>

namespace {

const char kFatalSuffix[] = " !!\r\r Aborting !!";
const char kHotkeysPrefix[] = "Hotkey registration failed:\r\r";
const char kPaletteSavePrefix[] = "The history could not be saved to\r\r";

void append(char* out, std::size_t size, const char* piece) {
  const std::size_t used = std::strlen(out);
  if (used + 1 >= size) return;
  std::strncat(out, piece, size - used - 1);
}

}  // namespace

std::size_t errorTextSize(const char* text) {
  const std::size_t longestPrefix =
      sizeof kHotkeysPrefix > sizeof kPaletteSavePrefix ? sizeof kHotkeysPrefix : sizeof kPaletteSavePrefix;
  return longestPrefix + std::strlen(text) + sizeof kFatalSuffix;
}

void composeErrorText(int code, const char* text, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  switch (code) {
    case kErrRegisterClass: append(out, size, "Could not register"); append(out, size, text); break;
    case kErrTimer: append(out, size, "Timer initialization failed"); break;
    case kErrRegistry: append(out, size, "Error accessing registry"); break;
    case kErrHotkeys: append(out, size, kHotkeysPrefix); append(out, size, text); break;
    case kErrPaletteSave: append(out, size, kPaletteSavePrefix); append(out, size, text); break;
    default: append(out, size, text); break;
  }
  if (code < kErrHotkeys) append(out, size, kFatalSuffix);
}
