// A colour read from clipboard text: every notation Tintlet writes, and the CSS colour forms. No windows.h.
#pragma once
#include <cstddef>

struct ReadColor {
  enum Status { ok, noColor, transparent } status;
  unsigned char r, g, b;  // the colour when ok; a transparent one's colour without its alpha
};

// Of a text, only this many characters after its leading white space are read.
constexpr std::size_t kReadableLength = 256;

// Reads one notation from the whole of `text`, already trimmed of white space; noColor unless the
// text is that notation and nothing else. Only readCustom reads `customTemplate` (null for none).
using ReadFn = ReadColor (*)(const char* text, std::size_t length, const char* customTemplate);

// The readers of the notations in kNotations (export/notation.h), in the same order.
ReadColor readHexColor(const char* text, std::size_t length, const char* customTemplate);  // any CSS "#…"
ReadColor readDelphi(const char* text, std::size_t length, const char* customTemplate);
ReadColor readCpp(const char* text, std::size_t length, const char* customTemplate);
ReadColor readDecimal(const char* text, std::size_t length, const char* customTemplate);
ReadColor readJava(const char* text, std::size_t length, const char* customTemplate);
ReadColor readVb(const char* text, std::size_t length, const char* customTemplate);
// Reads a template holding each of r, g and b once ("#r" decimal or "$r" hexadecimal).
ReadColor readCustom(const char* text, std::size_t length, const char* customTemplate);
ReadColor readCssRgb(const char* text, std::size_t length, const char* customTemplate);  // rgb(), rgba()
ReadColor readCssHsl(const char* text, std::size_t length, const char* customTemplate);  // hsl(), hsla()
ReadColor readHsv(const char* text, std::size_t length, const char* customTemplate);
ReadColor readFloat(const char* text, std::size_t length, const char* customTemplate);
ReadColor readCssOklch(const char* text, std::size_t length, const char* customTemplate);

// The colour `text` holds: the user's template first, then every notation, then the CSS forms no
// notation writes (hwb(), oklab(), the named colours). White space around it is skipped, however
// long; what remains is read only when it is at most kReadableLength characters. A colour with an
// alpha below 1 is transparent; an oklab() or oklch() colour outside sRGB has its chroma reduced.
ReadColor readColorText(const char* text, std::size_t length, const char* customTemplate);

// The start of a text no colour was read from, for the message that says so: at most 60
// characters after its leading white space, control characters as spaces, no trailing spaces.
// Writes at most `size` bytes, always zero-terminated.
void describeUnreadable(const char* text, std::size_t length, char* out, std::size_t size);
