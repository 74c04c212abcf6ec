#include "export/notation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// The three 8-bit components of "RRGGBB"; false unless `hexText` starts with six hexadecimal digits.
bool componentsOfHex(const char* hexText, int rgb[3]) {
  int digits[6];
  for (int i = 0; i < 6; ++i) {
    const char c = hexText[i];
    if (c >= '0' && c <= '9') digits[i] = c - '0';
    else if (c >= 'A' && c <= 'F') digits[i] = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digits[i] = c - 'a' + 10;
    else return false;  // also the end of a shorter text
  }
  for (int i = 0; i < 3; ++i) rgb[i] = digits[2 * i] * 16 + digits[2 * i + 1];
  return true;
}

// n / d to the nearest whole number, halves up; n >= 0, d > 0. Whole numbers keep the halves exact.
int roundedRatio(int n, int d) { return (2 * n + d) / (2 * d); }

struct HueAndRange {
  int hue;  // whole degrees, 0 to 359; 0 for a grey
  int max, min;
};

HueAndRange hueOf(const int c[3]) {
  HueAndRange h;
  h.max = std::max(c[0], std::max(c[1], c[2]));
  h.min = std::min(c[0], std::min(c[1], c[2]));
  const int delta = h.max - h.min;
  if (delta == 0) {
    h.hue = 0;
    return h;
  }
  // The hue in degrees is sixtyTimes / delta, kept a fraction until it is rounded.
  int sixtyTimes;
  if (h.max == c[0]) sixtyTimes = 60 * (c[1] - c[2]) + (c[1] < c[2] ? 360 * delta : 0);
  else if (h.max == c[1]) sixtyTimes = 60 * (c[2] - c[0]) + 120 * delta;
  else sixtyTimes = 60 * (c[0] - c[1]) + 240 * delta;
  h.hue = roundedRatio(sixtyTimes, delta) % 360;
  return h;
}

double linearLight(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
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

void composeCssRgb(const NotationInput& in, char* out, std::size_t size) {
  int c[3];
  if (!componentsOfHex(in.hexText, c)) return;
  std::snprintf(out, size, "rgb(%d, %d, %d)", c[0], c[1], c[2]);
}

void composeCssHsl(const NotationInput& in, char* out, std::size_t size) {
  int c[3];
  if (!componentsOfHex(in.hexText, c)) return;
  const HueAndRange h = hueOf(c);
  const int sum = h.max + h.min;
  const int saturation = h.max == h.min ? 0 : roundedRatio(100 * (h.max - h.min), 255 - std::abs(sum - 255));
  std::snprintf(out, size, "hsl(%d, %d%%, %d%%)", h.hue, saturation, roundedRatio(100 * sum, 510));
}

void composeHsv(const NotationInput& in, char* out, std::size_t size) {
  int c[3];
  if (!componentsOfHex(in.hexText, c)) return;
  const HueAndRange h = hueOf(c);
  const int saturation = h.max == 0 ? 0 : roundedRatio(100 * (h.max - h.min), h.max);
  std::snprintf(out, size, "%d, %d%%, %d%%", h.hue, saturation, roundedRatio(100 * h.max, 255));
}

void composeFloat(const NotationInput& in, char* out, std::size_t size) {
  int c[3];
  if (!componentsOfHex(in.hexText, c)) return;
  int thousandths[3];
  for (int i = 0; i < 3; ++i) thousandths[i] = roundedRatio(1000 * c[i], 255);
  std::snprintf(out, size, "%d.%03d, %d.%03d, %d.%03d", thousandths[0] / 1000, thousandths[0] % 1000,
                thousandths[1] / 1000, thousandths[1] % 1000, thousandths[2] / 1000, thousandths[2] % 1000);
}

void composeOklch(const NotationInput& in, char* out, std::size_t size) {
  int c[3];
  if (!componentsOfHex(in.hexText, c)) return;
  const double r = linearLight(c[0]), g = linearLight(c[1]), b = linearLight(c[2]);
  const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
  const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
  const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
  const double lightness = 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s;
  const double labA = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
  const double labB = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
  // Rounded as whole numbers first, so that no "-0.00" or "360.00" can be written.
  const long lightness100 = std::lround(lightness * 10000);
  const long chroma = std::lround(std::sqrt(labA * labA + labB * labB) * 10000);
  double degrees = std::atan2(labB, labA) * 180 / 3.14159265358979323846;
  if (degrees < 0) degrees += 360;
  long hue = chroma == 0 ? 0 : std::lround(degrees * 100);
  if (hue == 36000) hue = 0;
  std::snprintf(out, size, "oklch(%ld.%02ld%% %ld.%04ld %ld.%02ld)", lightness100 / 100, lightness100 % 100,
                chroma / 10000, chroma % 10000, hue / 100, hue % 100);
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
