#include "export/notation.h"

void removeChar(char* text, char c) {
  char* write = text;
  for (const char* read = text;; ++read) {
    if (*read != c) *write++ = *read;
    if (*read == '\0') break;
  }
}

void replaceChar(char* text, char from, char to) {
  for (; *text; ++text)
    if (*text == from) *text = to;
}
