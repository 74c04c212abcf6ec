#include "export/color_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "app/names.h"
#include "export/notation.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

ReadColor noColor() { return {ReadColor::noColor, 0, 0, 0}; }

ReadColor opaque(const int rgb[3]) {
  return {ReadColor::ok, static_cast<unsigned char>(rgb[0]), static_cast<unsigned char>(rgb[1]),
          static_cast<unsigned char>(rgb[2])};
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text being read, from `at` to `end`; nothing reads past the end.
struct Cursor {
  const char* at;
  const char* end;

  bool atEnd() const { return at == end; }
  bool take(char c) {
    if (at == end || *at != c) return false;
    ++at;
    return true;
  }
  void skipSpace() {
    while (at != end && isSpace(*at)) ++at;
  }
  // `word` exactly, or in any case when `anyCase` (the word then in lower case).
  bool takeWord(const char* word, bool anyCase = true) {
    const char* p = at;
    for (; *word; ++word, ++p)
      if (p == end || (anyCase ? lowerCase(*p) : *p) != *word) return false;
    at = p;
    return true;
  }
  // A component as Tintlet writes it in decimal: 0 to 255, no leading zero.
  bool takeByte(int& value) {
    if (at == end || !isDigit(*at)) return false;
    value = *at++ - '0';
    for (int digits = 1; value > 0 && digits < 3 && at != end && isDigit(*at); ++digits) value = value * 10 + (*at++ - '0');
    return value <= 255;
  }
  bool takeHexByte(int& value) {
    if (end - at < 2) return false;
    const int high = hexValue(at[0]), low = hexValue(at[1]);
    if (high < 0 || low < 0) return false;
    value = high * 16 + low;
    at += 2;
    return true;
  }
  // A CSS <number>: sign, digits, fraction, exponent. Nothing is taken when there is none.
  bool takeNumber(double& value) {
    const char* p = at;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    double mantissa = 0;
    int scale = 0, digits = 0;
    for (; p != end && isDigit(*p); ++p, ++digits) mantissa = mantissa * 10 + (*p - '0');
    if (p != end && *p == '.' && end - p > 1 && isDigit(p[1]))
      for (++p; p != end && isDigit(*p); ++p, ++digits, --scale) mantissa = mantissa * 10 + (*p - '0');
    if (digits == 0) return false;
    if (p != end && (*p == 'e' || *p == 'E')) {  // an exponent only when digits follow: "1em" is a length
      const char* q = p + 1;
      bool below = false;
      if (q != end && (*q == '+' || *q == '-')) below = *q++ == '-';
      if (q != end && isDigit(*q)) {
        int exponent = 0;
        for (; q != end && isDigit(*q); ++q) exponent = std::min(exponent * 10 + (*q - '0'), 1000);
        scale += below ? -exponent : exponent;
        p = q;
      }
    }
    // Dividing by an exact power of ten keeps "0.3100" the double nearest 0.31.
    static const double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    const int magnitude = std::abs(scale);
    const double power = magnitude < int(std::size(kPowers)) ? kPowers[magnitude] : std::pow(10.0, magnitude);
    value = scale < 0 ? mantissa / power : mantissa * power;
    if (!std::isfinite(value)) return false;
    if (negative) value = -value;
    at = p;
    return true;
  }
};

// The nearest 8-bit component of a value on the 0 to 255 scale; halves go up.
int nearestByte(double value) { return static_cast<int>(std::floor(std::clamp(value, 0.0, 255.0) + 0.5)); }

ReadColor nearestColor(const double rgb[3]) {
  const int c[3] = {nearestByte(rgb[0]), nearestByte(rgb[1]), nearestByte(rgb[2])};
  return opaque(c);
}

// The text `compose` writes for the colour `rgb`.
void writeColor(ComposeFn compose, const int rgb[3], char* out, std::size_t size) {
  static const char kDigits[] = "0123456789ABCDEF";
  char hex[7];
  for (int i = 0; i < 3; ++i) {
    hex[2 * i] = kDigits[rgb[i] >> 4];
    hex[2 * i + 1] = kDigits[rgb[i] & 15];
  }
  hex[6] = '\0';
  compose({hex, "", ""}, out, size);
}

bool sameText(const char* written, const char* text, std::size_t length) {
  return std::strlen(written) == length && std::memcmp(written, text, length) == 0;
}

// Whether the texts differ in their numbers' digits only.
bool sameShape(const char* written, const char* text, std::size_t length) {
  const char* const end = text + length;
  while (*written && text != end) {
    if (isDigit(*written) && isDigit(*text)) {
      while (isDigit(*written)) ++written;
      while (text != end && isDigit(*text)) ++text;
    } else if (*written++ != *text++) {
      return false;
    }
  }
  return !*written && text == end;
}

// hsl(), HSV and OKLCH round what they write, so the colour nearest the value read may write a
// different text: a dark hsl() colour's hue can move by degrees from one component step. A text in
// Tintlet's form reads back as a colour that writes it again: the nearest one, else the closest
// in the smallest cube around it that holds one. Any other text keeps the nearest colour.
ReadColor settle(const double rgb[3], ComposeFn compose, const char* text, std::size_t length) {
  const int nearest[3] = {nearestByte(rgb[0]), nearestByte(rgb[1]), nearestByte(rgb[2])};
  char written[kClipboardTextSize];
  writeColor(compose, nearest, written, sizeof written);
  if (sameText(written, text, length) || !sameShape(written, text, length)) return opaque(nearest);
  constexpr int kReach = 4;
  for (int reach = 1; reach <= kReach; ++reach) {
    int closest[3] = {};
    double closestDistance = HUGE_VAL;
    for (int dr = -reach; dr <= reach; ++dr)
      for (int dg = -reach; dg <= reach; ++dg)
        for (int db = -reach; db <= reach; ++db) {
          const int c[3] = {nearest[0] + dr, nearest[1] + dg, nearest[2] + db};
          const bool onSurface = std::max({std::abs(dr), std::abs(dg), std::abs(db)}) == reach;
          if (!onSurface || std::min({c[0], c[1], c[2]}) < 0 || std::max({c[0], c[1], c[2]}) > 255) continue;
          double distance = 0;
          for (int i = 0; i < 3; ++i) distance += (c[i] - rgb[i]) * (c[i] - rgb[i]);
          if (distance >= closestDistance) continue;
          writeColor(compose, c, written, sizeof written);
          if (!sameText(written, text, length)) continue;
          closestDistance = distance;
          std::copy(c, c + 3, closest);
        }
    if (closestDistance != HUGE_VAL) return opaque(closest);
  }
  return opaque(nearest);
}

// ---- Tintlet's own notations ----

// A notation of the three components with a prefix and a suffix, as composeFixed writes it.
struct FixedForm {
  const char* prefix;
  const char* suffix;
  bool decimal;
  bool blueFirst;
  bool anyCase;  // the prefix's letters in either case, as the language reads them
};

ReadColor readFixed(const FixedForm& form, const char* text, std::size_t length) {
  Cursor c{text, text + length};
  int rgb[3];
  if (!c.takeWord(form.prefix, form.anyCase)) return noColor();
  for (int k = 0; k < 3; ++k) {
    int& component = rgb[form.blueFirst ? 2 - k : k];
    const bool taken = form.decimal ? (k == 0 || c.take(',')) && c.takeByte(component) : c.takeHexByte(component);
    if (!taken) return noColor();
  }
  if (!c.takeWord(form.suffix, form.anyCase) || !c.atEnd()) return noColor();
  return opaque(rgb);
}

// A placeholder of a template as expandCustomFormat finds it: the component it stands for, or -1.
int placeholderAt(const char* text, std::size_t i, std::size_t length) {
  if (i + 1 >= length || (text[i] != '#' && text[i] != '$')) return -1;
  switch (text[i + 1]) {
    case 'r': return 0;
    case 'g': return 1;
    case 'b': return 2;
    default: return -1;
  }
}

// Matches a text against a template. "#r#g#b" writes 5, 12, 255 as "512255", so each length a
// decimal placeholder can take is tried until the rest matches.
struct TemplateMatch {
  const char* pattern;
  std::size_t patternLength;
  const char* text;
  std::size_t textLength;
  int rgb[3];

  bool from(std::size_t p, std::size_t t) {
    while (p < patternLength) {
      const int component = placeholderAt(pattern, p, patternLength);
      if (component >= 0 && pattern[p] == '$') {
        Cursor c{text + t, text + textLength};
        if (!c.takeHexByte(rgb[component])) return false;
        p += 2;
        t += 2;
      } else if (component >= 0) {
        int value = 0;
        for (std::size_t digits = 1; digits <= 3 && t + digits <= textLength; ++digits) {
          const char d = text[t + digits - 1];
          if (!isDigit(d) || (digits > 1 && value == 0)) return false;
          value = value * 10 + (d - '0');
          if (value > 255) return false;
          rgb[component] = value;
          if (from(p + 2, t + digits)) return true;
        }
        return false;
      } else {
        if (t == textLength || text[t] != pattern[p]) return false;
        ++p;
        ++t;
      }
    }
    return t == textLength;
  }
};

// ---- CSS ----

// One argument of a CSS colour function; an angle in degrees.
struct Value {
  enum Kind { number, percent, angle, none } kind;
  double amount;
};

bool takeValue(Cursor& c, Value& v) {
  if (c.takeWord("none")) {
    v = {Value::none, 0};
    return true;
  }
  if (!c.takeNumber(v.amount)) return false;
  v.kind = Value::number;
  if (c.take('%')) {
    v.kind = Value::percent;
    return true;
  }
  struct Unit { const char* name; double degrees; };
  static const Unit kAngleUnits[] = {{"deg", 1}, {"grad", 0.9}, {"rad", 180 / kPi}, {"turn", 360}};
  for (const Unit& unit : kAngleUnits)
    if (c.takeWord(unit.name)) {
      v = {Value::angle, v.amount * unit.degrees};
      break;
    }
  return true;
}

// Three components and an alpha, "a, b, c, alpha" (legacy, no none) or "a b c / alpha".
struct Arguments {
  Value v[3];
  Value alpha;
  bool commas;
};

bool takeArguments(Cursor& c, Arguments& a) {
  a.alpha = {Value::number, 1};
  c.skipSpace();
  if (!takeValue(c, a.v[0])) return false;
  c.skipSpace();
  a.commas = c.take(',');
  for (int i = 1; i < 3; ++i) {
    c.skipSpace();
    if (!takeValue(c, a.v[i])) return false;
    c.skipSpace();
    if (a.commas && i == 1 && !c.take(',')) return false;
  }
  if (a.commas ? c.take(',') : c.take('/')) {
    c.skipSpace();
    if (!takeValue(c, a.alpha)) return false;
    c.skipSpace();
  }
  if (!c.take(')') || !c.atEnd()) return false;
  if (a.commas)
    for (const Value& v : {a.v[0], a.v[1], a.v[2], a.alpha})
      if (v.kind == Value::none) return false;
  return true;
}

// A number, or a percentage of `full`; none is 0. False for an angle.
bool amountOf(const Value& v, double full, double& amount) {
  switch (v.kind) {
    case Value::number: amount = v.amount; return true;
    case Value::percent: amount = v.amount * full / 100; return true;
    case Value::none: amount = 0; return true;
    default: return false;
  }
}

// Degrees from 0 to 360; a number is degrees.
bool hueOf(const Value& v, double& degrees) {
  if (v.kind == Value::percent) return false;
  degrees = std::fmod(v.amount, 360.0);
  if (degrees < 0) degrees += 360;
  return true;
}

// The sRGB components of a colour function's arguments, each on the 0 to 255 scale.
using ColorFn = bool (*)(const Arguments& a, double rgb[3]);

bool rgbOf(const Arguments& a, double rgb[3]) {
  if (a.commas && (a.v[0].kind != a.v[1].kind || a.v[1].kind != a.v[2].kind)) return false;
  for (int i = 0; i < 3; ++i) {
    // Out of range is refused, not clamped: such a text is a mistake, not a colour to guess at.
    if (!amountOf(a.v[i], 255, rgb[i]) || rgb[i] < 0 || rgb[i] > 255) return false;
  }
  return true;
}

// Saturation and lightness 0 to 1.
void rgbOfHsl(double hue, double saturation, double lightness, double rgb[3]) {
  const int offsets[3] = {0, 8, 4};
  for (int i = 0; i < 3; ++i) {
    const double k = std::fmod(offsets[i] + hue / 30, 12.0);
    const double a = saturation * std::min(lightness, 1 - lightness);
    rgb[i] = 255 * (lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0})));
  }
}

bool hslOf(const Arguments& a, double rgb[3]) {
  if (a.commas && (a.v[1].kind != Value::percent || a.v[2].kind != Value::percent)) return false;
  double hue, saturation, lightness;
  if (!hueOf(a.v[0], hue) || !amountOf(a.v[1], 100, saturation) || !amountOf(a.v[2], 100, lightness)) return false;
  rgbOfHsl(hue, std::clamp(saturation / 100, 0.0, 1.0), std::clamp(lightness / 100, 0.0, 1.0), rgb);
  return true;
}

bool hwbOf(const Arguments& a, double rgb[3]) {
  double hue, white, black;
  if (!hueOf(a.v[0], hue) || !amountOf(a.v[1], 100, white) || !amountOf(a.v[2], 100, black)) return false;
  white = std::clamp(white / 100, 0.0, 1.0);
  black = std::clamp(black / 100, 0.0, 1.0);
  if (white + black >= 1) {
    std::fill(rgb, rgb + 3, 255 * white / (white + black));
    return true;
  }
  rgbOfHsl(hue, 1, 0.5, rgb);
  for (int i = 0; i < 3; ++i) rgb[i] = rgb[i] * (1 - white - black) + 255 * white;
  return true;
}

struct Lab { double l, a, b; };

// The sRGB transfer function, mirrored below zero.
double encoded(double linear) {
  const double x = std::fabs(linear);
  return std::copysign(x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055, linear);
}
double decoded(double component) {
  return component <= 0.04045 ? component / 12.92 : std::pow((component + 0.055) / 1.055, 2.4);
}

// The same matrices as composeOklch, so that what it writes reads back.
void linearOfLab(const Lab& lab, double linear[3]) {
  const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
  const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
  const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
  linear[0] = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
  linear[1] = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
  linear[2] = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
}

Lab labOfEncoded(const double rgb[3]) {
  const double r = decoded(rgb[0]), g = decoded(rgb[1]), b = decoded(rgb[2]);
  const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
  const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
  const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
  return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
          1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
          0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

bool inGamut(const double linear[3]) {
  return std::min({linear[0], linear[1], linear[2]}) >= 0 && std::max({linear[0], linear[1], linear[2]}) <= 1;
}

// Encoded sRGB 0 to 1, each component clipped; returns the distance from `lab` in OKLab (deltaEOK).
double clipped(const Lab& lab, double rgb[3]) {
  double linear[3];
  linearOfLab(lab, linear);
  for (int i = 0; i < 3; ++i) rgb[i] = std::clamp(encoded(linear[i]), 0.0, 1.0);
  const Lab back = labOfEncoded(rgb);
  return std::sqrt((back.l - lab.l) * (back.l - lab.l) + (back.a - lab.a) * (back.a - lab.a) +
                   (back.b - lab.b) * (back.b - lab.b));
}

// CSS Color 4's gamut mapping into sRGB: chroma reduced by binary search in OKLCH until clipping
// the colour moves it less than a just noticeable difference. Components on the 0 to 255 scale.
void rgbOfLab(Lab origin, double rgb[3]) {
  // Far outside any screen's colours the cubes of the conversion overflow to infinities and NaNs; the
  // mapping keeps the hue and lightness only, so the chroma is first brought down to one that cannot.
  constexpr double kChromaLimit = 2;
  const double asGiven = std::hypot(origin.a, origin.b);
  if (asGiven > kChromaLimit) {
    origin.a *= kChromaLimit / asGiven;
    origin.b *= kChromaLimit / asGiven;
  }
  if (origin.l >= 1 || origin.l <= 0) {
    std::fill(rgb, rgb + 3, origin.l >= 1 ? 255.0 : 0.0);
    return;
  }
  constexpr double kJnd = 0.02, kEpsilon = 0.0001;
  double linear[3], mapped[3];
  linearOfLab(origin, linear);
  if (inGamut(linear)) {
    for (int i = 0; i < 3; ++i) rgb[i] = 255 * encoded(linear[i]);
    return;
  }
  if (clipped(origin, mapped) >= kJnd) {
    const double chroma = std::hypot(origin.a, origin.b);
    double low = 0, high = chroma;
    bool lowInGamut = true;
    while (high - low > kEpsilon) {
      const double c = (low + high) / 2;
      const Lab current = {origin.l, origin.a * c / chroma, origin.b * c / chroma};
      linearOfLab(current, linear);
      if (lowInGamut && inGamut(linear)) {
        low = c;
        continue;
      }
      const double e = clipped(current, mapped);
      if (e >= kJnd) {
        high = c;
      } else if (kJnd - e < kEpsilon) {
        break;
      } else {
        lowInGamut = false;
        low = c;
      }
    }
  }
  for (int i = 0; i < 3; ++i) rgb[i] = 255 * mapped[i];
}

bool oklabOf(const Arguments& a, double rgb[3]) {
  double l, labA, labB;
  if (!amountOf(a.v[0], 1, l) || !amountOf(a.v[1], 0.4, labA) || !amountOf(a.v[2], 0.4, labB)) return false;
  rgbOfLab({std::clamp(l, 0.0, 1.0), labA, labB}, rgb);
  return true;
}

bool oklchOf(const Arguments& a, double rgb[3]) {
  double l, chroma, hue;
  if (!amountOf(a.v[0], 1, l) || !amountOf(a.v[1], 0.4, chroma) || !hueOf(a.v[2], hue)) return false;
  chroma = std::max(chroma, 0.0);
  const double radians = hue * kPi / 180;
  rgbOfLab({std::clamp(l, 0.0, 1.0), chroma * std::cos(radians), chroma * std::sin(radians)}, rgb);
  return true;
}

// The CSS colour functions: the name, whether the legacy comma form exists, the colour, and the
// notation that writes it, if one does.
struct CssFunction {
  const char* name;
  bool commasAllowed;
  ColorFn color;
  ComposeFn written;
};
const CssFunction kCssFunctions[] = {
    {"rgb", true, rgbOf, nullptr},     {"rgba", true, rgbOf, nullptr},          {"hsl", true, hslOf, composeCssHsl},
    {"hsla", true, hslOf, nullptr},    {"hwb", false, hwbOf, nullptr},          {"oklab", false, oklabOf, nullptr},
    {"oklch", false, oklchOf, composeOklch},
};

// The functions computing `color`, by any of their names.
ReadColor readFunction(ColorFn color, const char* text, std::size_t length) {
  for (const CssFunction& f : kCssFunctions) {
    Cursor c{text, text + length};
    if (f.color != color || !c.takeWord(f.name) || !c.take('(')) continue;
    Arguments a;
    double rgb[3], alpha;
    if (!takeArguments(c, a) || (a.commas && !f.commasAllowed) || !f.color(a, rgb) || !amountOf(a.alpha, 1, alpha))
      return noColor();
    ReadColor read = f.written ? settle(rgb, f.written, text, length) : nearestColor(rgb);
    if (alpha < 1) read.status = ReadColor::transparent;
    return read;
  }
  return noColor();
}

ReadColor readCssHwb(const char* text, std::size_t length, const char*) { return readFunction(hwbOf, text, length); }
ReadColor readCssOklab(const char* text, std::size_t length, const char*) {
  return readFunction(oklabOf, text, length);
}

struct NamedColor {
  const char* name;
  unsigned rgb;  // 0xRRGGBB
};
// CSS Color 4's named colours, in the order of their names.
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F}, {"darkslategrey", 0x2F4F4F}, {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493}, {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969},
    {"dimgrey", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080}, {"green", 0x008000},
    {"greenyellow", 0xADFF2F}, {"grey", 0x808080}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0}, {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6}, {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899}, {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6}, {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371}, {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC}, {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA}, {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080}, {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500}, {"orangered", 0xFF4500}, {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE}, {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6}, {"purple", 0x800080}, {"rebeccapurple", 0x663399}, {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090},
    {"slategrey", 0x708090}, {"snow", 0xFFFAFA}, {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C}, {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE}, {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
};
static_assert(std::size(kNamedColors) == 148, "CSS Color 4 names 148 colours");

constexpr bool namedColorsInOrder() {
  for (std::size_t n = 1; n < std::size(kNamedColors); ++n) {
    const char *a = kNamedColors[n - 1].name, *b = kNamedColors[n].name;
    while (*a && *a == *b) ++a, ++b;
    if (*a >= *b) return false;
  }
  return true;
}
static_assert(namedColorsInOrder(), "the look-up halves the table");

ReadColor readNamedColor(const char* text, std::size_t length, const char*) {
  char name[24];
  if (length >= sizeof name) return noColor();
  for (std::size_t i = 0; i < length; ++i) {
    name[i] = lowerCase(text[i]);
    if (name[i] < 'a' || name[i] > 'z') return noColor();
  }
  name[length] = '\0';
  if (std::strcmp(name, "transparent") == 0) return {ReadColor::transparent, 0, 0, 0};
  const NamedColor* found = std::lower_bound(std::begin(kNamedColors), std::end(kNamedColors), name,
                                             [](const NamedColor& c, const char* n) { return std::strcmp(c.name, n) < 0; });
  if (found == std::end(kNamedColors) || std::strcmp(found->name, name) != 0) return noColor();
  const int rgb[3] = {int(found->rgb >> 16), int(found->rgb >> 8 & 0xFF), int(found->rgb & 0xFF)};
  return opaque(rgb);
}

// The CSS forms that no notation writes.
constexpr ReadFn kOtherCssForms[] = {readCssHwb, readCssOklab, readNamedColor};

}  // namespace

ReadColor readHexColor(const char* text, std::size_t length, const char*) {
  const std::size_t digits = length - 1;
  if (length == 0 || text[0] != '#' || (digits != 3 && digits != 4 && digits != 6 && digits != 8)) return noColor();
  const std::size_t perChannel = digits <= 4 ? 1 : 2;
  int channel[4] = {0, 0, 0, 255};
  for (std::size_t i = 0; i < digits; ++i) {
    const int v = hexValue(text[1 + i]);
    if (v < 0) return noColor();
    int& c = channel[i / perChannel];
    c = perChannel == 1 ? v * 17 : (i % 2 == 0 ? v * 16 : c + v);
  }
  ReadColor read = opaque(channel);
  if (channel[3] < 255) read.status = ReadColor::transparent;
  return read;
}

ReadColor readDelphi(const char* text, std::size_t length, const char*) {
  return readFixed({"$", "", false, true, true}, text, length);
}
ReadColor readCpp(const char* text, std::size_t length, const char*) {
  return readFixed({"0x", "", false, true, true}, text, length);
}
ReadColor readDecimal(const char* text, std::size_t length, const char*) {
  return readFixed({"", "", true, false, true}, text, length);
}
ReadColor readJava(const char* text, std::size_t length, const char*) {
  return readFixed({"Color(", ")", true, false, false}, text, length);
}
ReadColor readVb(const char* text, std::size_t length, const char*) {
  return readFixed({"&h", "", false, true, true}, text, length);
}

ReadColor readCustom(const char* text, std::size_t length, const char* customTemplate) {
  if (!customTemplate) return noColor();
  std::size_t end = 0;
  while (end + 1 < kTemplateSize && customTemplate[end]) ++end;
  int uses[3] = {};
  for (std::size_t i = 0; i < end;) {
    const int component = placeholderAt(customTemplate, i, end);
    if (component >= 0) ++uses[component];
    i += component >= 0 ? 2 : 1;
  }
  if (uses[0] != 1 || uses[1] != 1 || uses[2] != 1) return noColor();
  // The text comes trimmed of white space; so is the template.
  std::size_t begin = 0;
  while (begin < end && isSpace(customTemplate[begin])) ++begin;
  while (end > begin && isSpace(customTemplate[end - 1])) --end;
  TemplateMatch match{customTemplate + begin, end - begin, text, length, {}};
  return match.from(0, 0) ? opaque(match.rgb) : noColor();
}

ReadColor readCssRgb(const char* text, std::size_t length, const char*) { return readFunction(rgbOf, text, length); }
ReadColor readCssHsl(const char* text, std::size_t length, const char*) { return readFunction(hslOf, text, length); }
ReadColor readCssOklch(const char* text, std::size_t length, const char*) {
  return readFunction(oklchOf, text, length);
}

ReadColor readHsv(const char* text, std::size_t length, const char*) {
  Cursor c{text, text + length};
  double hue, saturation, value;
  if (!c.takeNumber(hue) || !c.take(',')) return noColor();
  c.skipSpace();
  if (!c.takeNumber(saturation) || !c.take('%') || !c.take(',')) return noColor();
  c.skipSpace();
  if (!c.takeNumber(value) || !c.take('%') || !c.atEnd()) return noColor();
  if (saturation < 0 || saturation > 100 || value < 0 || value > 100) return noColor();
  hueOf({Value::number, hue}, hue);
  double rgb[3];
  const int offsets[3] = {5, 3, 1};
  for (int i = 0; i < 3; ++i) {
    const double k = std::fmod(offsets[i] + hue / 60, 6.0);
    rgb[i] = 255 * value / 100 * (1 - saturation / 100 * std::clamp(std::min(k, 4 - k), 0.0, 1.0));
  }
  return settle(rgb, composeHsv, text, length);
}

ReadColor readFloat(const char* text, std::size_t length, const char*) {
  Cursor c{text, text + length};
  double rgb[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (!c.take(',')) return noColor();
      c.skipSpace();
    }
    if (!c.takeNumber(rgb[i]) || rgb[i] < 0 || rgb[i] > 1) return noColor();
    rgb[i] *= 255;
  }
  return c.atEnd() ? nearestColor(rgb) : noColor();
}

ReadColor readColorText(const char* text, std::size_t length, const char* customTemplate) {
  std::size_t begin = 0, end = length;
  while (begin < end && isSpace(text[begin])) ++begin;
  while (end > begin && isSpace(text[end - 1])) --end;
  if (end == begin || end - begin > kReadableLength) return noColor();
  text += begin;
  length = end - begin;
  // The user's template first: its text can look like another notation with the components in another order.
  ReadColor read = readCustom(text, length, customTemplate);
  for (const Notation& notation : kNotations)
    if (read.status == ReadColor::noColor && notation.read && notation.read != readCustom)
      read = notation.read(text, length, customTemplate);
  for (ReadFn form : kOtherCssForms)
    if (read.status == ReadColor::noColor) read = form(text, length, customTemplate);
  return read;
}

void describeUnreadable(const char* text, std::size_t length, char* out, std::size_t size) {
  constexpr std::size_t kShown = 60;
  if (size == 0) return;
  std::size_t begin = 0;
  while (begin < length && isSpace(text[begin])) ++begin;
  std::size_t n = 0;
  for (; n < kShown && n + 1 < size && begin + n < length; ++n) {
    const unsigned char c = static_cast<unsigned char>(text[begin + n]);
    out[n] = c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
  }
  while (n > 0 && out[n - 1] == ' ') --n;
  out[n] = '\0';
}
