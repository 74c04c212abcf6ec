#include "history/palette.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <vector>

namespace {

// COLORREF values, as the history holds them: #FF8000 (newest), #33CC99, #006633.
const std::vector<std::uint32_t> kThree = {0x0080FF, 0x99CC33, 0x336600};

ColorHistory historyOf(const std::vector<std::uint32_t>& colors) {
  ColorHistory h = {};
  for (std::uint32_t c : colors) h.colors[h.count++] = c;
  return h;
}

// Bytes as upper-case hexadecimal pairs, so that a difference shows where it is.
std::string hexOf(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

std::string withoutSpaces(std::string text) {
  std::string out;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) out += c;
  return out;
}

}  // namespace

TEST(Palette, TextFormatsByteForByte) {
  struct Case { PaletteFormat format; std::vector<std::uint32_t> colors; std::string bytes; };
  const Case cases[] = {
      {PaletteFormat::gpl, kThree,
       "GIMP Palette\nName: Tintlet history\n#\n"
       "255 128   0\t#FF8000\n"
       " 51 204 153\t#33CC99\n"
       "  0 102  51\t#006633\n"},
      {PaletteFormat::gpl, {0x1EDCFA}, "GIMP Palette\nName: Tintlet history\n#\n250 220  30\t#FADC1E\n"},
      {PaletteFormat::gpl, {}, "GIMP Palette\nName: Tintlet history\n#\n"},
      {PaletteFormat::css, kThree,
       ":root {\n"
       "  --tintlet-1: #ff8000;\n"
       "  --tintlet-2: #33cc99;\n"
       "  --tintlet-3: #006633;\n"
       "}\n"},
      {PaletteFormat::css, {}, ":root {\n}\n"},
      {PaletteFormat::json, kThree,
       "[\n"
       "  {\"hex\": \"#FF8000\", \"rgb\": [255, 128, 0]},\n"
       "  {\"hex\": \"#33CC99\", \"rgb\": [51, 204, 153]},\n"
       "  {\"hex\": \"#006633\", \"rgb\": [0, 102, 51]}\n"
       "]\n"},
      {PaletteFormat::json, {0x1EDCFA}, "[\n  {\"hex\": \"#FADC1E\", \"rgb\": [250, 220, 30]}\n]\n"},
      {PaletteFormat::json, {}, "[\n]\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(paletteBytes(c.format, historyOf(c.colors)), c.bytes) << kPaletteFormats[int(c.format)].extension;
}

TEST(Palette, SwatchExchangeByteForByte) {
  // Big-endian throughout; each block: type 1, length 36, 8 name units ("#RRGGBB" and a zero) in UTF-16,
  // "RGB ", three floats (1 = 3F800000, 128/255 = 3F008081, 0.2 = 3E4CCCCD, 0.4 = 3ECCCCCD,
  // 0.6 = 3F19999A, 0.8 = 3F4CCCCD) and colour type 2.
  struct Case { std::vector<std::uint32_t> colors; const char* hex; };
  const Case cases[] = {
      {kThree,
       "41534546 0001 0000 00000003"
       "0001 00000024 0008 0023 0046 0046 0038 0030 0030 0030 0000 52474220 3F800000 3F008081 00000000 0002"
       "0001 00000024 0008 0023 0033 0033 0043 0043 0039 0039 0000 52474220 3E4CCCCD 3F4CCCCD 3F19999A 0002"
       "0001 00000024 0008 0023 0030 0030 0036 0036 0033 0033 0000 52474220 00000000 3ECCCCCD 3E4CCCCD 0002"},
      {{}, "41534546 0001 0000 00000000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hexOf(paletteBytes(PaletteFormat::ase, historyOf(c.colors))), withoutSpaces(c.hex));
}

TEST(Palette, FormatsInTheDialogsOrder) {
  struct Row { const char* filterName; const char* extension; };
  const Row expected[] = {
      {"GIMP palette (*.gpl)", "gpl"},
      {"Adobe swatch exchange (*.ase)", "ase"},
      {"CSS custom properties (*.css)", "css"},
      {"JSON (*.json)", "json"},
  };
  ASSERT_EQ(std::size(expected), std::size(kPaletteFormats));
  for (int i = 0; i < kPaletteFormatCount; ++i) {
    EXPECT_STREQ(kPaletteFormats[i].filterName, expected[i].filterName) << i;
    EXPECT_STREQ(kPaletteFormats[i].extension, expected[i].extension) << i;
  }
}

TEST(Palette, HistoryInANotationOneColourALine) {
  struct Case { std::vector<std::uint32_t> colors; int formatIndex; const char* customTemplate; const char* text; };
  const Case cases[] = {
      {kThree, 0, "", "#FF8000\r\n#33CC99\r\n#006633"},
      {kThree, 3, "", "255,128,0\r\n51,204,153\r\n0,102,51"},
      {kThree, 6, "#r/#g/#b", "255/128/0\r\n51/204/153\r\n0/102/51"},
      {{0x1EDCFA}, 1, "", "$1EDCFA"},
      {{}, 0, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(historyNotationText(historyOf(c.colors), c.formatIndex, c.customTemplate), c.text)
        << "notation " << c.formatIndex;
}
