#include "export/notation.h"

#include "app/names.h"

namespace {

constexpr char kFillChar = '@';  // pads the decimal fields of decText on the left

// Writes into a buffer of fixed size: what does not fit is dropped, the zero byte always stays.
struct TextWriter {
  char* out;
  std::size_t size;
  std::size_t used = 0;
  TextWriter(char* buffer, std::size_t bytes) : out(buffer), size(bytes) { out[0] = '\0'; }
  void put(char c) {
    if (used + 1 >= size) return;
    out[used++] = c;
    out[used] = '\0';
  }
  void put(const char* text) {
    for (; *text; ++text) put(*text);
  }
};

// The three components as the notations write them, taken from the box's two colour texts.
struct Components {
  char decimal[3][4];      // without fill characters
  char hexadecimal[3][3];  // two digits each
};

// Up to `count` characters of `text` from position `from`, stopping at its end.
void copyPiece(const char* text, int from, int count, char* piece) {
  int start = 0;
  while (start < from && text[start]) ++start;
  int n = 0;
  for (; n < count && text[start + n]; ++n) piece[n] = text[start + n];
  piece[n] = '\0';
}

Components splitComponents(const char* hexText, const char* decText) {
  Components c;
  for (int i = 0; i < 3; ++i) {
    copyPiece(decText, 4 * i, 3, c.decimal[i]);
    removeChar(c.decimal[i], kFillChar);
    copyPiece(hexText, 2 * i, 2, c.hexadecimal[i]);
  }
  return c;
}

// A notation of the three components with a prefix and a suffix. Blue first is the byte order of
// a COLORREF read as one number.
struct FixedNotation {
  const char* prefix;
  const char* suffix;
  bool decimal;
  bool blueFirst;
};

void composeFixed(const FixedNotation& notation, const NotationInput& input, char* out, std::size_t size) {
  TextWriter text(out, size);
  const Components c = splitComponents(input.hexText, input.decText);
  text.put(notation.prefix);
  for (int k = 0; k < 3; ++k) {
    const int i = notation.blueFirst ? 2 - k : k;
    if (!notation.decimal) {
      text.put(c.hexadecimal[i]);
      continue;
    }
    if (k > 0) text.put(',');
    text.put(c.decimal[i]);
  }
  text.put(notation.suffix);
}

int componentOfLetter(char c) {
  switch (c) {
    case 'r': return 0;
    case 'g': return 1;
    case 'b': return 2;
    default: return -1;
  }
}

}  // namespace

void composeHtml(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"#", "", false, false}, in, out, size);
}
void composeDelphi(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"$", "", false, true}, in, out, size);
}
void composeCpp(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"0x", "", false, true}, in, out, size);
}
void composeDecimal(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"", "", true, false}, in, out, size);
}
void composeJava(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"Color(", ")", true, false}, in, out, size);
}
void composeVb(const NotationInput& in, char* out, std::size_t size) {
  composeFixed({"&H", "", false, true}, in, out, size);
}

void composeCustom(const NotationInput& in, char* out, std::size_t size) {
  std::size_t n = 0;
  for (; n + 1 < size && n + 1 < kTemplateSize && in.customTemplate[n]; ++n) out[n] = in.customTemplate[n];
  out[n] = '\0';
  expandCustomFormat(out, size, in.hexText, in.decText);
}

int formatIndexOfCommand(int id) {
  for (int n = 0; n < kNotationCount; ++n)
    if (kNotations[n].commandId == id) return n;
  return -1;
}

void composeNotationText(int formatIndex, const char* hexText, const char* decText, const char* customTemplate,
                         char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  if (formatIndex < 0 || formatIndex >= kNotationCount) return;
  kNotations[formatIndex].compose({hexText, decText, customTemplate}, out, size);
}

void expandCustomFormat(char* buffer, std::size_t size, const char* hexText, const char* decText) {
  if (size == 0) return;
  // Zeros past the template, so the look-ahead from its last character never finds a letter.
  char scratch[kTemplateSize] = {};
  for (std::size_t i = 0; i + 1 < kTemplateSize && i < size && buffer[i]; ++i) scratch[i] = buffer[i];
  const Components c = splitComponents(hexText, decText);
  TextWriter text(buffer, size);
  for (std::size_t i = 0; scratch[i];) {
    const char mark = scratch[i];
    const int component = componentOfLetter(scratch[i + 1]);
    if ((mark == '#' || mark == '$') && component >= 0) {
      text.put(mark == '#' ? c.decimal[component] : c.hexadecimal[component]);
      i += 2;
    } else {
      text.put(mark);
      i += 1;
    }
  }
}

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
