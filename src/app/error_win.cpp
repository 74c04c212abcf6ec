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

std::string systemMessage(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message;
  for (const char* c = text; c && *c; ++c)
    if (*c != '\n') message += *c;
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == ' ')) message.pop_back();
  return message.empty() ? "Error " + std::to_string(code) + "." : message;
}
