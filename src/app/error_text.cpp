#include "app/error_text.h"

#include <cstring>

namespace {

const char kFatalSuffix[] = " !!\r\r Aborting !!";
const char kHotkeysPrefix[] = "Hotkey registration failed:\r\r";
const char kPaletteSavePrefix[] = "The history could not be saved to\r\r";
const char kWriteWords[] = "The settings could not be saved to\r\r";
const char kWriteEnd[] = "\r\rTintlet keeps them until it ends and tries again at the next change.";
const char kReadWords[] = "The settings could not be read from\r\r";
const char kReadEnd[] = "\r\rTintlet starts with its defaults and leaves the file as it is.";

void append(char* out, std::size_t size, const char* piece) {
  const std::size_t used = std::strlen(out);
  if (used + 1 >= size) return;
  std::strncat(out, piece, size - used - 1);
}

}  // namespace

std::size_t errorTextSize(const char* text) {
  // The fixed words around a text are longest in the settings file's messages.
  static_assert(sizeof kWriteWords + sizeof kWriteEnd >= sizeof kReadWords + sizeof kReadEnd, "the longest");
  static_assert(sizeof kWriteWords + sizeof kWriteEnd >= sizeof kHotkeysPrefix + sizeof kFatalSuffix, "the longest");
  static_assert(sizeof kWriteWords + sizeof kWriteEnd >= sizeof kPaletteSavePrefix + sizeof kFatalSuffix, "the longest");
  return sizeof kWriteWords + std::strlen(text) + sizeof kWriteEnd;
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
    case kErrSettingsWrite: append(out, size, kWriteWords); append(out, size, text); append(out, size, kWriteEnd); break;
    case kErrSettingsRead: append(out, size, kReadWords); append(out, size, text); append(out, size, kReadEnd); break;
    default: append(out, size, text); break;
  }
  if (code < kErrHotkeys) append(out, size, kFatalSuffix);
}
