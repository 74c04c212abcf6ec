// The text rules of the registry values and the stored template list. No windows.h.
#pragma once
#include <cstddef>

constexpr std::size_t kValueLimit = 200;        // bytes one value query may return
constexpr std::size_t kTemplateEntryMax = 101;  // characters one stored template entry may hold
constexpr char kEntryEnd = '\xFF';              // ends every entry of the stored template list

// The formatIndex stored as `text` (exact, case-sensitive), or -1 when it names no notation.
int notationIndexOf(const char* text);
// The stored name of notation `index`; empty outside the notation table.
const char* notationNameOf(int index);

// 1 for "true", 0 for "false", -1 for any other text.
int flagOfText(const char* text);
const char* flagText(bool flag);

// The integer `text` begins with: blanks skipped, an optional sign, the decimal digits up to the
// first other character; 0 without digits. Digits beyond 32 bits wrap, so an unsigned COLORREF
// written as 4294967295 reads back as the same 32-bit value.
int leadingInteger(const char* text);
// `value` in decimal, with a minus sign when negative.
void integerText(int value, char out[12]);

// The values the program itself can write. A stored value outside them is unusable like one of the
// wrong type: its default is used and written back.
struct IntRange {
  int min, max;
};
constexpr bool inRange(IntRange range, int value) { return value >= range.min && value <= range.max; }

constexpr int kFontDialogMinPoints = 6;  // the sizes the font dialog offers
constexpr int kFontDialogMaxPoints = 10;
constexpr int kLowestDpi = 96;   // 100 %: Windows scales up only
constexpr int kHighestDpi = 480;  // 500 %, the largest scaling Windows offers
// The pixel height of a font of `points` at `dpi`, rounded as the font dialog rounds it.
constexpr int fontPixels(int points, int dpi) { return (points * dpi + 36) / 72; }

constexpr IntRange kColorRange = {0, 0xFFFFFF};  // an RGB colour; a high byte would make a palette index
// Heights as the font dialog gives them (negative: the character height) at any DPI; a value stored at
// the system DPI by an older build stays usable.
constexpr IntRange kFontHeightRange = {-fontPixels(kFontDialogMaxPoints, kHighestDpi),
                                       -fontPixels(kFontDialogMinPoints, kLowestDpi)};
// The dialog leaves the width at 0 (the font's own); a width is never wider than the tallest height.
constexpr IntRange kFontWidthRange = {0, fontPixels(kFontDialogMaxPoints, kHighestDpi)};
constexpr IntRange kFontWeightRange = {0, 1000};
// A face name is usable when it is not empty and holds no control character.
bool faceNameUsable(const char* text);

// The text that `size` stored bytes hold (up to the first zero byte, or all of them), cut to
// `room` - 1 characters and zero-terminated in `out`. Returns its length.
std::size_t takeText(const char* bytes, std::size_t size, char* out, std::size_t room);

// Stored template list: every entry followed by one kEntryEnd byte, then a zero byte.
// The bytes of a stored list that count: those before its first zero byte, or all of them.
std::size_t listTextLength(const char* data, std::size_t size);
// The next non-empty entry of a list of `length` bytes from *pos on (at most kTemplateEntryMax
// characters; one character after a longer run is dropped), zero-terminated in `entry`.
// False when the list holds no further entry.
bool nextTemplateEntry(const char* data, std::size_t length, std::size_t* pos, char entry[kTemplateEntryMax + 1]);

// A list being packed into a caller's block of `room` bytes; `used` counts the bytes before the
// terminating zero.
struct PackedList {
  char* data;
  std::size_t room;
  std::size_t used;
};
// Starts an empty list: just the zero byte. `room` must be at least 1.
void beginTemplateList(PackedList* list);
// Appends `entry` and its end byte. An empty entry is left out, and so is one holding the end
// byte itself, which the format cannot carry and would split in two on reading. False when left
// out or when it does not fit.
bool addTemplateEntry(PackedList* list, const char* entry);
// The bytes of the packed list with its terminating zero.
inline std::size_t packedSize(const PackedList& list) { return list.used + 1; }
