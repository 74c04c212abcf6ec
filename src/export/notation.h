// The colour as clipboard text in seven notations. No windows.h.
#pragma once
#include <cstddef>

// Room the copy gives a notation: far more than the longest text, 148 characters and the zero.
constexpr std::size_t kClipboardTextSize = 210;
// formatIndex of the user's template; 0 to 5 are the fixed notations.
constexpr int kCustomNotation = 6;
// The longest text a custom template of at most 99 characters can expand to.
constexpr std::size_t kLongestCustomText = 148;

// Writes the colour of `hexText` ("RRGGBB") and `decText` (three '@'-filled fields) in notation
// `formatIndex` into `out`, never more than `size` bytes, always zero-terminated. Notation 6
// expands `customTemplate` (its first 99 characters); any other index outside 0 to 6 gives "".
void composeNotationText(int formatIndex, const char* hexText, const char* decText, const char* customTemplate,
                         char* out, std::size_t size);

// On entry `buffer` holds a template (its first 99 characters count); on return the template with
// "#r" "#g" "#b" replaced by the decimal components and "$r" "$g" "$b" by their hexadecimal pairs.
// Writes at most `size` bytes, always zero-terminated; a longer text is cut.
void expandCustomFormat(char* buffer, std::size_t size, const char* hexText, const char* decText);

// Deletes every `c` from the zero-terminated `text`, in place.
void removeChar(char* text, char c);
// Replaces every `from` in the zero-terminated `text` by `to`, in place.
void replaceChar(char* text, char from, char to);
