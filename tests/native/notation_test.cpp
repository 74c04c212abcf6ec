#include "export/notation.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "app/names.h"
#include "box/box_geometry.h"

namespace {

// The box's colour texts of `color`, as the copy reads them.
struct ColorTexts {
  char hex[7];
  char dec[12];
  explicit ColorTexts(std::uint32_t color) { composeColorTexts(color, hex, dec); }
};

constexpr std::uint32_t kRed5Green12Blue255 = 0xFF0C05;

std::string notation(int formatIndex, std::uint32_t color, const char* customTemplate = "") {
  const ColorTexts c(color);
  char out[kClipboardTextSize];
  std::memset(out, 'x', sizeof out);
  composeNotationText(formatIndex, c.hex, c.dec, customTemplate, out, sizeof out);
  return out;
}

std::string expand(const std::string& customTemplate, std::uint32_t color = kRed5Green12Blue255) {
  const ColorTexts c(color);
  char buffer[kClipboardTextSize];
  std::memset(buffer, 'x', sizeof buffer);
  std::memcpy(buffer, customTemplate.c_str(), customTemplate.size() + 1);
  expandCustomFormat(buffer, sizeof buffer, c.hex, c.dec);
  return buffer;
}

}  // namespace

TEST(Notation, EveryFixedNotationOfFourColours) {
  struct Case { std::uint32_t color; const char* texts[6]; };  // by formatIndex 0 to 5
  const Case cases[] = {
      {0x000000, {"#000000", "$000000", "0x000000", "0,0,0", "Color(0,0,0)", "&H000000"}},
      {0xFFFFFF, {"#FFFFFF", "$FFFFFF", "0xFFFFFF", "255,255,255", "Color(255,255,255)", "&HFFFFFF"}},
      {0x0000FF, {"#FF0000", "$0000FF", "0x0000FF", "255,0,0", "Color(255,0,0)", "&H0000FF"}},
      {kRed5Green12Blue255, {"#050CFF", "$FF0C05", "0xFF0C05", "5,12,255", "Color(5,12,255)", "&HFF0C05"}},
  };
  for (const Case& c : cases)
    for (int index = 0; index < 6; ++index)
      EXPECT_EQ(notation(index, c.color), c.texts[index])
          << kNotations[index].registryName << " of " << std::hex << c.color;
}

TEST(Notation, CustomUsesTheDefaultTemplate) {
  EXPECT_EQ(notation(6, kRed5Green12Blue255, kDefaultTemplate), "RGB(5,12,255)");
  EXPECT_EQ(notation(6, 0x000000, kDefaultTemplate), "RGB(0,0,0)");
  EXPECT_EQ(notation(6, 0xFFFFFF, ""), "");
}

TEST(Notation, IndexOutsideTheTableGivesEmptyText) {
  EXPECT_EQ(notation(kNotationCount, kRed5Green12Blue255, kDefaultTemplate), "");
  EXPECT_EQ(notation(-1, kRed5Green12Blue255, kDefaultTemplate), "");
}

TEST(Notation, TableRowsByFormatIndex) {
  struct Row { const char* name; const char* caption; int id; };
  const Row expected[] = {
      {"html", "&HTML", 10}, {"delphi", "&Delphi", 11}, {"c++", "&C++", 12}, {"rgb", "D&ecimal", 15},
      {"java", "&Java", 13}, {"vb", "&VB", 14},         {"custom", "C&ustom", 16},
      {"cssrgb", "CSS &rgb()", 50}, {"csshsl", "CSS hsl()", 51}, {"hsv", "HSV", 52}, {"float", "Flo&at", 53},
      {"oklch", "&OKLCH", 54},
  };
  ASSERT_EQ(kNotationCount, int(sizeof expected / sizeof expected[0]));
  for (int i = 0; i < kNotationCount; ++i) {
    EXPECT_STREQ(kNotations[i].registryName, expected[i].name) << i;
    EXPECT_STREQ(kNotations[i].caption, expected[i].caption) << i;
    EXPECT_EQ(kNotations[i].commandId, expected[i].id) << i;
  }
}

TEST(Notation, MenuOrderIsCommandIdOrder) {
  // HTML, Delphi, C++, Java, VB, Decimal, Custom, then CSS rgb(), CSS hsl(), HSV, Float, OKLCH.
  const int expected[] = {0, 1, 2, 4, 5, 3, 6, 7, 8, 9, 10, 11};
  ASSERT_EQ(kNotationCount, int(sizeof expected / sizeof expected[0]));
  for (int p = 0; p < kNotationCount; ++p) EXPECT_EQ(notationAtPosition(p), expected[p]) << "position " << p;
  EXPECT_EQ(notationAtPosition(kNotationCount), -1);
  EXPECT_EQ(kFirstNotationCommand, 10);
  EXPECT_EQ(kLastNotationCommand, 54);
}

// No two items of the Format submenu answer to the same letter.
TEST(Notation, MnemonicsAreUniqueInTheFormatSubmenu) {
  std::string letters;
  for (const Notation& n : kNotations) {
    const char* amp = std::strchr(n.caption, '&');
    if (!amp) continue;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(amp[1])));
    EXPECT_EQ(letters.find(letter), std::string::npos) << n.caption;
    letters += letter;
  }
}

// The five notations for today's tools. Expected texts were worked out apart from this code: hue,
// saturation, lightness and value as exact fractions, checked against Python's colorsys; OKLCH in
// a separate Python calculation (red and white as the issue gives them).
TEST(Notation, CssHslHsvFloatAndOklch) {
  struct Case { std::uint32_t color; const char* texts[5]; };  // COLORREF 0xBBGGRR; cssrgb to oklch
  const Case cases[] = {
      {0x000000, {"rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "0, 0%, 0%", "0.000, 0.000, 0.000", "oklch(0.00% 0.0000 0.00)"}},
      {0xFFFFFF, {"rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "0, 0%, 100%", "1.000, 1.000, 1.000",
                  "oklch(100.00% 0.0000 0.00)"}},
      {0x808080, {"rgb(128, 128, 128)", "hsl(0, 0%, 50%)", "0, 0%, 50%", "0.502, 0.502, 0.502",
                  "oklch(59.99% 0.0000 0.00)"}},
      {0x010101, {"rgb(1, 1, 1)", "hsl(0, 0%, 0%)", "0, 0%, 0%", "0.004, 0.004, 0.004", "oklch(6.72% 0.0000 0.00)"}},
      {0xFEFEFE, {"rgb(254, 254, 254)", "hsl(0, 0%, 100%)", "0, 0%, 100%", "0.996, 0.996, 0.996",
                  "oklch(99.70% 0.0000 0.00)"}},
      {0x0000FF, {"rgb(255, 0, 0)", "hsl(0, 100%, 50%)", "0, 100%, 100%", "1.000, 0.000, 0.000",
                  "oklch(62.80% 0.2577 29.23)"}},
      {0x00FF00, {"rgb(0, 255, 0)", "hsl(120, 100%, 50%)", "120, 100%, 100%", "0.000, 1.000, 0.000",
                  "oklch(86.64% 0.2948 142.50)"}},
      {0xFF0000, {"rgb(0, 0, 255)", "hsl(240, 100%, 50%)", "240, 100%, 100%", "0.000, 0.000, 1.000",
                  "oklch(45.20% 0.3132 264.05)"}},
      {kRed5Green12Blue255, {"rgb(5, 12, 255)", "hsl(238, 100%, 51%)", "238, 98%, 100%", "0.020, 0.047, 1.000",
                             "oklch(45.66% 0.3100 264.43)"}},
      // Hue 0.5 goes up to 1; hue 359.5 goes up to 360, which is 0.
      {0x0A0B82, {"rgb(130, 11, 10)", "hsl(1, 86%, 27%)", "1, 92%, 51%", "0.510, 0.043, 0.039",
                  "oklch(38.67% 0.1505 28.34)"}},
      {0x0B0A82, {"rgb(130, 10, 11)", "hsl(0, 86%, 27%)", "0, 92%, 51%", "0.510, 0.039, 0.043",
                  "oklch(38.63% 0.1509 27.96)"}},
      // Hue 232.5; hue 359.76 rounds to 0 too.
      {0x270B07, {"rgb(7, 11, 39)", "hsl(233, 70%, 9%)", "233, 82%, 15%", "0.027, 0.043, 0.153",
                  "oklch(16.65% 0.0575 272.00)"}},
      {0x0100FF, {"rgb(255, 0, 1)", "hsl(0, 100%, 50%)", "0, 100%, 100%", "1.000, 0.000, 0.004",
                  "oklch(62.80% 0.2576 29.18)"}},
      // HSV saturation 0.5 goes up to 1%; HSL saturation 62.5 goes up to 63%.
      {0xC7C7C8, {"rgb(200, 199, 199)", "hsl(0, 1%, 78%)", "0, 1%, 78%", "0.784, 0.780, 0.780",
                  "oklch(83.05% 0.0011 17.18)"}},
      {0x15410F, {"rgb(15, 65, 21)", "hsl(127, 63%, 16%)", "127, 77%, 25%", "0.059, 0.255, 0.082",
                  "oklch(33.11% 0.0894 145.07)"}},
  };
  for (const Case& c : cases)
    for (int k = 0; k < 5; ++k)
      EXPECT_EQ(notation(7 + k, c.color), c.texts[k])
          << kNotations[7 + k].registryName << " of " << std::hex << c.color;
}

TEST(Notation, TheFiveGiveNothingBeforeTheBoxHasAColour) {
  const char dec[12] = {};
  for (const char* hex : {"", "0C05", "GG0000"}) {
    for (int k = 7; k < kNotationCount; ++k) {
      char out[kClipboardTextSize];
      std::memset(out, 'x', sizeof out);
      composeNotationText(k, hex, dec, "", out, sizeof out);
      EXPECT_STREQ(out, "") << kNotations[k].registryName << " of \"" << hex << '"';
    }
  }
  char out[32];
  composeNotationText(7, "ff0c05", dec, "", out, sizeof out);  // lower-case digits read as well
  EXPECT_STREQ(out, "rgb(255, 12, 5)");
}

TEST(Notation, TextIsCutToTheGivenSize) {
  const ColorTexts c(0xFFFFFF);
  struct Case { int formatIndex; std::size_t size; const char* text; };
  const Case cases[] = {
      {4, 8, "Color(2"}, {0, 4, "#FF"}, {3, 1, ""}, {6, 5, "RGB("}, {1, 7, "$FFFFF"},
      {7, 8, "rgb(255"}, {8, 1, ""}, {9, 6, "0, 0%"}, {10, 6, "1.000"}, {11, 12, "oklch(100.0"},
  };
  for (const Case& k : cases) {
    char out[32];
    std::memset(out, 'x', sizeof out);
    composeNotationText(k.formatIndex, c.hex, c.dec, kDefaultTemplate, out, k.size);
    EXPECT_STREQ(out, k.text) << k.formatIndex << " in " << k.size;
    EXPECT_EQ(out[k.size], 'x') << "wrote past " << k.size << " bytes";
  }
}

TEST(Notation, EmptyColourTextsGiveShortTextNotGarbage) {
  const char hex[7] = {}, dec[12] = {};  // before the box composed its first texts
  char out[kClipboardTextSize];
  composeNotationText(4, hex, dec, "", out, sizeof out);
  EXPECT_STREQ(out, "Color(,,)");
  composeNotationText(0, hex, dec, "", out, sizeof out);
  EXPECT_STREQ(out, "#");
}

TEST(CustomFormat, TokensAndNonTokens) {
  struct Case { const char* templateText; const char* text; };
  const Case cases[] = {
      {"RGB(#r,#g,#b)", "RGB(5,12,255)"},
      {"$r$g$b", "050CFF"},
      {"#r$g#b", "50C255"},
      {"#r#g#b", "512255"},
      {"#R #G #B $R", "#R #G #B $R"},
      {"#x$y", "#x$y"},
      {"#", "#"},
      {"$", "$"},
      {"a # b $ c", "a # b $ c"},
      {"r#", "r#"},
      {"#r$", "5$"},
      {"##r", "#5"},
      {"$$r", "$05"},
      {"#$r", "#05"},
      {"", ""},
      {"@#r@", "@5@"},
      {"@@@", "@@@"},
      {"no tokens here", "no tokens here"},
      {"#b#b$b$b", "255255FFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(expand(c.templateText), c.text) << '"' << c.templateText << '"';
}

TEST(CustomFormat, BlackAndWhite) {
  EXPECT_EQ(expand("#r,#g,#b $r$g$b", 0x000000), "0,0,0 000000");
  EXPECT_EQ(expand("#r,#g,#b $r$g$b", 0xFFFFFF), "255,255,255 FFFFFF");
  EXPECT_EQ(expand("#r $r", 0x0000FF), "255 FF");
}

TEST(CustomFormat, LongestTemplateGivesOneHundredFortyEightCharacters) {
  std::string longest;
  for (int i = 0; i < 49; ++i) longest += "#r";
  longest += "!";
  ASSERT_EQ(longest.size(), 99u);
  const std::string text = expand(longest, 0x0000FF);
  EXPECT_EQ(text.size(), kLongestCustomText);
  EXPECT_EQ(text.substr(0, 6), "255255");
  EXPECT_EQ(text.back(), '!');
  EXPECT_LT(text.size() + 1, kClipboardTextSize);
}

TEST(CustomFormat, OnlyTheFirstNinetyNineTemplateCharactersCount) {
  const std::string tooLong = std::string(99, 'a') + "#r";
  EXPECT_EQ(expand(tooLong), std::string(99, 'a'));
  EXPECT_EQ(notation(6, kRed5Green12Blue255, tooLong.c_str()), std::string(99, 'a'));
}

TEST(CustomFormat, StaysInsideASmallBuffer) {
  const ColorTexts c(0xFFFFFF);
  struct Case { const char* templateText; std::size_t size; const char* text; };
  const Case cases[] = {
      {"#r#g#b", 5, "2552"}, {"#r#g#b", 1, ""}, {"$r$g", 4, "FFF"}, {"abc", 4, "abc"}, {"abcd", 4, "abc"},
  };
  for (const Case& k : cases) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    std::memcpy(buffer, k.templateText, std::min(std::strlen(k.templateText) + 1, k.size));
    expandCustomFormat(buffer, k.size, c.hex, c.dec);
    EXPECT_STREQ(buffer, k.text) << k.templateText << " in " << k.size;
    EXPECT_EQ(buffer[k.size], 'x') << "wrote past " << k.size << " bytes";
  }
}

TEST(TextEdits, RemoveAndReplaceCharacters) {
  struct Case { const char* before; char c; const char* after; };
  const Case removals[] = {
      {"@@5", '@', "5"}, {"255", '@', "255"}, {"", '@', ""}, {"@@@", '@', ""}, {"a@b@c", '@', "abc"},
  };
  for (const Case& r : removals) {
    char text[16];
    std::strcpy(text, r.before);
    removeChar(text, r.c);
    EXPECT_STREQ(text, r.after) << r.before;
  }
  char dec[12];
  std::strcpy(dec, "@@5 @12 255");
  replaceChar(dec, '@', '0');
  EXPECT_STREQ(dec, "005 012 255");
  std::strcpy(dec, "255 255 255");
  replaceChar(dec, '@', '0');
  EXPECT_STREQ(dec, "255 255 255");
  char empty[1] = "";
  replaceChar(empty, '@', '0');
  EXPECT_STREQ(empty, "");
}
