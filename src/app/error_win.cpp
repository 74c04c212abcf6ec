#include "app/error.h"

#include <cstdlib>

#include "app/error_text.h"
#include "app/names.h"

void reportError(HWND owner, int code, const char* text) {
  const std::size_t size = errorTextSize(text);
  char* message = static_cast<char*>(std::malloc(size));
  if (!message) return;
  composeErrorText(code, text, message, size);
  MessageBoxA(owner, message, kProgramTitle, MB_ICONERROR | MB_OK);
  std::free(message);
}
