// The colour as clipboard text: the table of notations and their compose functions. No windows.h.
#pragma once
#include <cstddef>

#include "export/color_reader.h"

// Room the copy gives a notation: far more than the longest text, 148 characters and the zero.
constexpr std::size_t kClipboardTextSize = 210;
// The longest text a custom template of at most 99 characters can expand to.
constexpr std::size_t kLongestCustomText = 148;

// What a notation is written from: the box's two colour texts ("RRGGBB" and three '@'-filled
// decimal fields) and, for the custom notation, the template.
struct NotationInput {
  const char* hexText;
  const char* decText;
  const char* customTemplate;
};
// Writes the text into `out`, never more than `size` (at least 1) bytes, always zero-terminated.
using ComposeFn = void (*)(const NotationInput& input, char* out, std::size_t size);

void composeHtml(const NotationInput& input, char* out, std::size_t size);
void composeDelphi(const NotationInput& input, char* out, std::size_t size);
void composeCpp(const NotationInput& input, char* out, std::size_t size);
void composeDecimal(const NotationInput& input, char* out, std::size_t size);
void composeJava(const NotationInput& input, char* out, std::size_t size);
void composeVb(const NotationInput& input, char* out, std::size_t size);
void composeCustom(const NotationInput& input, char* out, std::size_t size);
// The notations below are written from the components that hexText holds; without six
// hexadecimal digits there (no colour shown yet) they give "".
void composeCssRgb(const NotationInput& input, char* out, std::size_t size);
void composeCssHsl(const NotationInput& input, char* out, std::size_t size);
void composeHsv(const NotationInput& input, char* out, std::size_t size);
void composeFloat(const NotationInput& input, char* out, std::size_t size);
void composeOklch(const NotationInput& input, char* out, std::size_t size);

// One notation: its name in the registry, its caption in the tray's Format submenu and on the
// Options page, the command id of that menu item and radio button, how its text is made and how
// such a text is read back (export/color_reader.h).
struct Notation {
  const char* registryName;
  const char* caption;
  int commandId;
  ComposeFn compose;
  ReadFn read;
};

// Every notation, by formatIndex. The menu and the radio buttons show them in command id order.
// The later five take ids 50 to 54, clear of the tray's 20, 21, 30 to 32 and 40 and of the
// Options window's 21, 22, 30, 31 and 40. A mnemonic is unique in the Format submenu and on the
// Options page (whose "&Font", "Co&lor" and "Default&s" share the radios' dialog keys); "CSS hsl()"
// and "HSV" have no letter left, so they have none.
constexpr int kNotationCount = 12;
inline constexpr Notation kNotations[kNotationCount] = {
    {"html", "&HTML", 10, composeHtml, readHexColor},
    {"delphi", "&Delphi", 11, composeDelphi, readDelphi},
    {"c++", "&C++", 12, composeCpp, readCpp},
    {"rgb", "D&ecimal", 15, composeDecimal, readDecimal},
    {"java", "&Java", 13, composeJava, readJava},
    {"vb", "&VB", 14, composeVb, readVb},
    {"custom", "C&ustom", 16, composeCustom, readCustom},
    {"cssrgb", "CSS &rgb()", 50, composeCssRgb, readCssRgb},
    {"csshsl", "CSS hsl()", 51, composeCssHsl, readCssHsl},
    {"hsv", "HSV", 52, composeHsv, readHsv},
    {"float", "Flo&at", 53, composeFloat, readFloat},
    {"oklch", "&OKLCH", 54, composeOklch, readCssOklch},
};
constexpr bool everyNotationFilled() {
  for (const Notation& n : kNotations)
    if (!n.registryName || !n.caption || !n.commandId) return false;
  return true;
}
static_assert(everyNotationFilled(), "a notation row is missing");

// formatIndex of the user's template.
constexpr int kCustomNotation = 6;

// formatIndex of the notation at `position` (0 first) in command id order: the order of the
// Format submenu and of the Options page's radio buttons.
constexpr int notationAtPosition(int position) {
  for (int n = 0; n < kNotationCount; ++n) {
    int before = 0;
    for (int other = 0; other < kNotationCount; ++other)
      if (kNotations[other].commandId < kNotations[n].commandId) ++before;
    if (before == position) return n;
  }
  return -1;
}
constexpr int kFirstNotationCommand = kNotations[notationAtPosition(0)].commandId;
constexpr int kLastNotationCommand = kNotations[notationAtPosition(kNotationCount - 1)].commandId;

// formatIndex of a notation command id; -1 for any other id.
int formatIndexOfCommand(int id);

// Writes the colour in notation `formatIndex` into `out`, never more than `size` bytes, always
// zero-terminated. The custom notation expands `customTemplate` (its first 99 characters); an
// index outside the table gives "".
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
