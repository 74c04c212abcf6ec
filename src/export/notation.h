// The colour as clipboard text in seven notations. No windows.h.
#pragma once

// Deletes every `c` from the zero-terminated `text`, in place.
void removeChar(char* text, char c);
// Replaces every `from` in the zero-terminated `text` by `to`, in place.
void replaceChar(char* text, char from, char to);
