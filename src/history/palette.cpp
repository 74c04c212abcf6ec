#include "history/palette.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "box/box_geometry.h"
#include "export/notation.h"

namespace {

constexpr bool rowsInEnumOrder() {
  for (int i = 0; i < kPaletteFormatCount; ++i)
    if (kPaletteFormats[i].format != static_cast<PaletteFormat>(i)) return false;
  return true;
}
static_assert(rowsInEnumOrder(), "one row per format, in the enum's order");

struct Rgb { unsigned r, g, b; };

// History entries are COLORREF values: red in the low byte.
Rgb rgbOf(std::uint32_t colorRef) { return {colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF}; }

int usedCount(const ColorHistory& history) { return history.count < kHistoryMax ? history.count : kHistoryMax; }

// The colour's name, "#RRGGBB".
std::string nameOf(Rgb c) {
  char name[8];
  std::snprintf(name, sizeof name, "#%02X%02X%02X", c.r, c.g, c.b);
  return name;
}

void putU16(std::string& out, unsigned v) {
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

void putU32(std::string& out, std::uint32_t v) {
  putU16(out, v >> 16);
  putU16(out, v & 0xFFFF);
}

void putFloat(std::string& out, float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  putU32(out, bits);
}

}  // namespace

std::string gplPalette(const ColorHistory& history) {
  std::string out = "GIMP Palette\nName: Tintlet history\n#\n";
  for (int i = 0; i < usedCount(history); ++i) {
    const Rgb c = rgbOf(history.colors[i]);
    char line[32];
    std::snprintf(line, sizeof line, "%3u %3u %3u\t%s\n", c.r, c.g, c.b, nameOf(c).c_str());
    out += line;
  }
  return out;
}

std::string asePalette(const ColorHistory& history) {
  constexpr unsigned kNameUnits = 8;  // "#RRGGBB" and the terminating zero, in UTF-16 code units
  constexpr std::uint32_t kBlockLength = 2 + 2 * kNameUnits + 4 + 3 * 4 + 2;
  std::string out = "ASEF";
  putU16(out, 1);
  putU16(out, 0);
  putU32(out, static_cast<std::uint32_t>(usedCount(history)));
  for (int i = 0; i < usedCount(history); ++i) {
    const Rgb c = rgbOf(history.colors[i]);
    putU16(out, 0x0001);  // a colour entry
    putU32(out, kBlockLength);
    putU16(out, kNameUnits);
    for (char ch : nameOf(c)) putU16(out, static_cast<unsigned char>(ch));
    putU16(out, 0);
    out += "RGB ";
    for (unsigned v : {c.r, c.g, c.b}) putFloat(out, v / 255.0f);
    putU16(out, 2);  // a normal colour, neither global nor spot
  }
  return out;
}

std::string cssPalette(const ColorHistory& history) {
  std::string out = ":root {\n";
  for (int i = 0; i < usedCount(history); ++i) {
    const Rgb c = rgbOf(history.colors[i]);
    char line[32];
    std::snprintf(line, sizeof line, "  --tintlet-%d: #%02x%02x%02x;\n", i + 1, c.r, c.g, c.b);
    out += line;
  }
  return out + "}\n";
}

std::string jsonPalette(const ColorHistory& history) {
  std::string out = "[\n";
  for (int i = 0; i < usedCount(history); ++i) {
    const Rgb c = rgbOf(history.colors[i]);
    char line[64];
    std::snprintf(line, sizeof line, "  {\"hex\": \"%s\", \"rgb\": [%u, %u, %u]}%s\n", nameOf(c).c_str(), c.r, c.g,
                  c.b, i + 1 < usedCount(history) ? "," : "");
    out += line;
  }
  return out + "]\n";
}

std::string paletteBytes(PaletteFormat format, const ColorHistory& history) {
  return kPaletteFormats[static_cast<int>(format)].write(history);
}

std::string historyNotationText(const ColorHistory& history, int formatIndex, const char* customTemplate) {
  std::string out;
  for (int i = 0; i < usedCount(history); ++i) {
    char hexText[7], decText[12], line[kClipboardTextSize];
    composeColorTexts(history.colors[i], hexText, decText);
    composeNotationText(formatIndex, hexText, decText, customTemplate, line, sizeof line);
    if (i > 0) out += "\r\n";
    out += line;
  }
  return out;
}
