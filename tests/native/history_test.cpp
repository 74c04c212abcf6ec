#include "history/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ColorHistory historyOf(const std::vector<std::uint32_t>& colors) {
  ColorHistory h = {};
  for (std::uint32_t c : colors) h.colors[h.count++] = c;
  return h;
}

std::vector<std::uint32_t> colorsOf(const ColorHistory& h) { return {h.colors, h.colors + h.count}; }

std::string textOf(const ColorHistory& h) {
  char text[kHistoryTextSize];
  historyText(h, text);
  return text;
}

// Twelve different colours, 0x000001 (newest) to 0x00000C.
std::vector<std::uint32_t> twelve() {
  std::vector<std::uint32_t> all;
  for (std::uint32_t c = 1; c <= 12; ++c) all.push_back(c);
  return all;
}

}  // namespace

TEST(History, RememberPutsTheColourFirstOnce) {
  std::vector<std::uint32_t> full = twelve();
  std::vector<std::uint32_t> fullWith99 = {99};
  fullWith99.insert(fullWith99.end(), full.begin(), full.end() - 1);
  std::vector<std::uint32_t> fullWith7 = {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12};
  std::vector<std::uint32_t> fullWith12 = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  struct Case {
    const char* name;
    std::vector<std::uint32_t> before;
    std::uint32_t color;
    std::vector<std::uint32_t> after;
    bool changed;
  };
  const Case cases[] = {
      {"into an empty history", {}, 0x123456, {0x123456}, true},
      {"new colour in front", {1, 2}, 3, {3, 1, 2}, true},
      {"black is a colour too", {1}, 0, {0, 1}, true},
      {"first already: nothing changes", {1, 2}, 1, {1, 2}, false},
      {"a repeat moves to the front", {1, 2, 3}, 3, {3, 1, 2}, true},
      {"a full history drops its oldest", full, 99, fullWith99, true},
      {"a repeat in a full history drops nothing", full, 7, fullWith7, true},
      {"the oldest repeated comes first", full, 12, fullWith12, true},
  };
  for (const Case& c : cases) {
    ColorHistory h = historyOf(c.before);
    EXPECT_EQ(rememberColor(&h, c.color), c.changed) << c.name;
    EXPECT_EQ(colorsOf(h), c.after) << c.name;
  }
}

TEST(History, HexTextIsExactlySixDigits) {
  struct Case { const char* text; bool ok; std::uint32_t colorRef; };
  const Case cases[] = {
      {"FADC1E", true, 0x1EDCFA}, {"050CFF", true, 0xFF0C05}, {"fadc1e", true, 0x1EDCFA},
      {"000000", true, 0},        {"FFFFFF", true, 0xFFFFFF}, {"FADC1", false, 0},
      {"FADC1E0", false, 0},      {"", false, 0},             {"FADC1G", false, 0},
      {"#FADC1", false, 0},       {" FADC1", false, 0},       {"-ADC1E", false, 0},
  };
  for (const Case& c : cases) {
    std::uint32_t got = 0xDEAD;
    const std::string text = c.text;
    EXPECT_EQ(colorOfHexText(text.data(), text.size(), &got), c.ok) << '"' << c.text << '"';
    if (c.ok) EXPECT_EQ(got, c.colorRef) << '"' << c.text << '"';
  }
}

TEST(History, StoredTextIsReadWithItsBadEntriesDropped) {
  std::string thirteen, forty;
  for (int i = 1; i <= 13; ++i) thirteen += (i > 1 ? "," : "") + std::string(4, '0') + (i < 10 ? "0" : "") + std::to_string(i);
  for (int i = 0; i < 40; ++i) forty += (i ? ",A0A0" : "A0A0") + std::string(i < 10 ? "0" : "") + std::to_string(i);
  std::vector<std::uint32_t> firstTwelve;
  for (std::uint32_t i = 1; i <= 12; ++i) firstTwelve.push_back(((i / 10) * 16 + i % 10) << 16);
  std::vector<std::uint32_t> fortyFirstTwelve;
  for (std::uint32_t i = 0; i < 12; ++i) fortyFirstTwelve.push_back(0xA0A0 | (((i / 10) * 16 + i % 10) << 16));
  struct Case {
    std::string text;
    std::vector<std::uint32_t> colors;
    bool clean;
  };
  const Case cases[] = {
      {"", {}, true},
      {"FADC1E", {0x1EDCFA}, true},
      {"FADC1E,050CFF", {0x1EDCFA, 0xFF0C05}, true},
      {"fadc1e,050cff", {0x1EDCFA, 0xFF0C05}, true},
      {"FADC1E,zzzzzz,050CFF", {0x1EDCFA, 0xFF0C05}, false},
      {"FADC1E,,050CFF,", {0x1EDCFA, 0xFF0C05}, false},
      {",", {}, false},
      {"FADC1E, 050CFF", {0x1EDCFA}, false},
      {"#FADC1E", {}, false},
      {"FADC1E0", {}, false},
      {"FADC1E;050CFF", {}, false},
      {"FADC1E,050CFF,FADC1E", {0x1EDCFA, 0xFF0C05}, false},
      {thirteen, firstTwelve, false},
      {forty, fortyFirstTwelve, false},
  };
  for (const Case& c : cases) {
    // A block of exactly the text's size: a read past its end is caught by the address sanitizer.
    std::vector<char> block(c.text.begin(), c.text.end());
    ColorHistory h = historyOf({7, 8, 9});  // what was there before is replaced
    EXPECT_EQ(readHistoryText(block.data(), block.size(), &h), c.clean) << '"' << c.text << '"';
    EXPECT_EQ(colorsOf(h), c.colors) << '"' << c.text << '"';
  }
}

TEST(History, StoredTextIsCapitalsNewestFirstAndReadsBack) {
  EXPECT_EQ(textOf(historyOf({})), "");
  EXPECT_EQ(textOf(historyOf({0x1EDCFA, 0xFF0C05})), "FADC1E,050CFF");
  const ColorHistory full = historyOf({0xFFFFFF, 0xABCDEF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0x123456});
  const std::string text = textOf(full);
  EXPECT_EQ(text, "FFFFFF,EFCDAB,000000,010000,020000,030000,040000,050000,060000,070000,080000,563412");
  EXPECT_EQ(text.size() + 1, kHistoryTextSize) << "a full history fills the room exactly";
  ColorHistory back = {};
  EXPECT_TRUE(readHistoryText(text.data(), text.size(), &back));
  EXPECT_EQ(colorsOf(back), colorsOf(full));
}
