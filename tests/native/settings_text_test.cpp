#include "settings/settings_text.h"

#include "box/dpi_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Every entry a stored list of these bytes yields, in order. The bytes are copied into a block of
// exactly their size, so a read past the end is caught by the address sanitizer.
std::vector<std::string> entriesOf(const std::string& bytes) {
  std::vector<char> block(bytes.begin(), bytes.end());
  const std::size_t length = listTextLength(block.data(), block.size());
  std::vector<std::string> entries;
  std::size_t pos = 0;
  char entry[kTemplateEntryMax + 1];
  while (nextTemplateEntry(block.data(), length, &pos, entry)) entries.push_back(entry);
  return entries;
}

std::string packed(const std::vector<std::string>& entries, std::size_t room) {
  std::vector<char> block(room);
  PackedList list = {block.data(), room, 0};
  beginTemplateList(&list);
  for (const std::string& e : entries) addTemplateEntry(&list, e.c_str());
  return std::string(block.data(), packedSize(list));
}

}  // namespace

TEST(SettingsText, NotationNamesAreExact) {
  struct Case { const char* text; int index; };
  const Case cases[] = {
      {"html", 0}, {"delphi", 1}, {"c++", 2}, {"rgb", 3}, {"java", 4}, {"vb", 5}, {"custom", 6},
      {"cssrgb", 7}, {"csshsl", 8}, {"hsv", 9}, {"float", 10}, {"oklch", 11},
      {"HTML", -1}, {"Html", -1}, {"html ", -1}, {" html", -1}, {"", -1}, {"c+", -1}, {"decimal", -1},
      {"OKLCH", -1}, {"css rgb", -1}, {"hsl", -1}, {"hsv ", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(notationIndexOf(c.text), c.index) << '"' << c.text << '"';

  const char* const names[12] = {"html", "delphi", "c++", "rgb",   "java",  "vb",
                                 "custom", "cssrgb", "csshsl", "hsv", "float", "oklch"};
  for (int i = 0; i < 12; ++i) EXPECT_STREQ(notationNameOf(i), names[i]);
  EXPECT_STREQ(notationNameOf(-1), "");
  EXPECT_STREQ(notationNameOf(12), "");
}

TEST(SettingsText, FlagsAreExactlyTrueOrFalse) {
  struct Case { const char* text; int flag; };
  const Case cases[] = {
      {"true", 1}, {"false", 0}, {"TRUE", -1}, {"True", -1}, {"1", -1}, {"0", -1}, {"", -1}, {"true ", -1}, {"yes", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(flagOfText(c.text), c.flag) << '"' << c.text << '"';
  EXPECT_STREQ(flagText(true), "true");
  EXPECT_STREQ(flagText(false), "false");
}

TEST(SettingsText, IntegerIsTheLeadingNumber) {
  struct Case { const char* text; int value; };
  const Case cases[] = {
      {"100", 100},
      {"  -12abc", -12},
      {"\t\r\n 7", 7},
      {"+5", 5},
      {"-11", -11},
      {"16777215", 16777215},
      {"12 34", 12},
      {"0x10", 0},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"--5", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"4294967295", -1},  // an unsigned COLORREF of all ones keeps its 32 bits
      {"4294967296", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(leadingInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingsText, IntegerTextIsDecimal) {
  struct Case { int value; const char* text; };
  const Case cases[] = {
      {0, "0"}, {100, "100"}, {-11, "-11"}, {8421504, "8421504"},
      {-2147483647 - 1, "-2147483648"}, {2147483647, "2147483647"},
  };
  for (const Case& c : cases) {
    char out[12];
    integerText(c.value, out);
    EXPECT_STREQ(out, c.text);
  }
}

// The registry text a value is stored as, read as the loader reads it, against each value's range.
TEST(SettingsText, StoredNumbersOutsideWhatTheProgramWritesAreUnusable) {
  struct Case { const char* what; IntRange range; const char* text; bool usable; };
  const Case cases[] = {
      {"colour", kColorRange, "0", true},
      {"colour", kColorRange, "16777215", true},
      {"colour", kColorRange, "8421504", true},
      {"colour", kColorRange, "16777216", false},
      {"colour", kColorRange, "4294967295", false},
      {"colour", kColorRange, "-1", false},
      {"height", kFontHeightRange, "-11", true},
      {"height", kFontHeightRange, "-8", true},   // 6 points at 96 DPI
      {"height", kFontHeightRange, "-67", true},  // 10 points at 480 DPI
      {"height", kFontHeightRange, "-7", false},
      {"height", kFontHeightRange, "-68", false},
      {"height", kFontHeightRange, "-2000", false},
      {"height", kFontHeightRange, "0", false},
      {"height", kFontHeightRange, "tall", false},
      {"height", kFontHeightRange, "11", false},
      {"width", kFontWidthRange, "0", true},
      {"width", kFontWidthRange, "7", true},
      {"width", kFontWidthRange, "67", true},
      {"width", kFontWidthRange, "68", false},
      {"width", kFontWidthRange, "99999", false},
      {"width", kFontWidthRange, "-1", false},
      {"weight", kFontWeightRange, "0", true},
      {"weight", kFontWeightRange, "400", true},
      {"weight", kFontWeightRange, "1000", true},
      {"weight", kFontWeightRange, "1001", false},
      {"weight", kFontWeightRange, "5000", false},
      {"weight", kFontWeightRange, "-400", false},
  };
  for (const Case& c : cases) EXPECT_EQ(inRange(c.range, leadingInteger(c.text)), c.usable) << c.what << " " << c.text;
}

// Whatever the font dialog gives at any scaling (raw, as older builds stored it, or made 96 DPI) loads.
TEST(SettingsText, EveryHeightTheFontDialogGivesIsUsable) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288, 336, 384, 432, 480}) {
    for (int points = 6; points <= 10; ++points) {
      const int atDpi = -static_cast<int>(std::lround(points * dpi / 72.0));  // -MulDiv(points, dpi, 72)
      EXPECT_TRUE(inRange(kFontHeightRange, atDpi)) << points << " pt at " << dpi;
      EXPECT_TRUE(inRange(kFontHeightRange, unscaleFromDpi(atDpi, dpi))) << points << " pt at " << dpi;
    }
  }
}

TEST(SettingsText, FaceNamesArePrintableText) {
  struct Case { const char* text; bool usable; };
  const Case cases[] = {
      {"Tahoma", true}, {"Courier New", true}, {"Lucida Console", true}, {"Caf\xE9 Sans", true},
      {"\x82\x6C\x82\x72 Gothic", true},  // a name in a double-byte code page
      {"", false}, {"\x14", false}, {"\x01\x02\x03", false}, {"Tab\tName", false}, {"Del\x7F", false},
  };
  for (const Case& c : cases) EXPECT_EQ(faceNameUsable(c.text), c.usable) << '"' << c.text << '"';
}

TEST(SettingsText, TakeTextStopsAtZeroAndCutsToFit) {
  struct Case { std::string bytes; std::size_t room; const char* text; };
  const Case cases[] = {
      {std::string("Tahoma\0junk", 11), 32, "Tahoma"},
      {"Tahoma", 32, "Tahoma"},                                  // no zero byte: all of it
      {std::string(40, 'F'), 32, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},  // 31 characters
      {std::string(31, 'F'), 32, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
      {"", 32, ""},
  };
  for (const Case& c : cases) {
    std::vector<char> bytes(c.bytes.begin(), c.bytes.end());
    std::vector<char> out(c.room, 'x');
    EXPECT_EQ(takeText(bytes.data(), bytes.size(), out.data(), c.room), std::strlen(c.text));
    EXPECT_STREQ(out.data(), c.text);
  }
}

TEST(SettingsText, ListEntries) {
  const std::string a101(101, 'a');
  struct Case { const char* name; std::string bytes; std::vector<std::string> entries; };
  const Case cases[] = {
      {"two entries", std::string("RGB(#r,#g,#b)\xFF$r$g$b\xFF", 21) + '\0', {"RGB(#r,#g,#b)", "$r$g$b"}},
      {"no terminating zero", "RGB(#r,#g,#b)\xFF$r$g$b", {"RGB(#r,#g,#b)", "$r$g$b"}},
      {"no end byte after the last", std::string("one\xFFtwo", 7) + '\0', {"one", "two"}},
      {"empty entries skipped", "\xFF\xFFx\xFF\xFF\xFFy\xFF", {"x", "y"}},
      {"bytes after the zero ignored", std::string("x\xFF\0y\xFF", 5), {"x"}},
      {"empty list", std::string(1, '\0'), {}},
      {"nothing at all", "", {}},
      {"only end bytes", "\xFF\xFF\xFF", {}},
      {"101 characters", a101 + "\xFF" + "b\xFF", {a101, "b"}},
      {"102: one dropped", a101 + "Z\xFF" + "b\xFF", {a101, "b"}},
      {"103: rest is an entry", a101 + "ZQR\xFF", {a101, "QR"}},
      {"long run without end byte", std::string(250, 'c'),
       {std::string(101, 'c'), std::string(101, 'c'), std::string(46, 'c')}},
      {"duplicates stay for the list to judge", "abc\xFF" "ABC\xFF" "abc\xFF", {"abc", "ABC", "abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(entriesOf(c.bytes), c.entries) << c.name;
}

TEST(SettingsText, PackedList) {
  struct Case { const char* name; std::vector<std::string> entries; std::string bytes; };
  const Case cases[] = {
      {"empty list: just the zero byte", {}, std::string(1, '\0')},
      {"only an empty entry", {""}, std::string(1, '\0')},
      {"two entries", {"$r$g$b", "RGB(#r,#g,#b)"}, std::string("$r$g$b\xFFRGB(#r,#g,#b)\xFF", 21) + '\0'},
      {"empty entries left out", {"", "x", ""}, std::string("x\xFF", 2) + '\0'},
      {"an entry holding the end byte left out", {"a\xFF" "b", "c"}, std::string("c\xFF", 2) + '\0'},
  };
  for (const Case& c : cases) EXPECT_EQ(packed(c.entries, 64), c.bytes) << c.name;
}

TEST(SettingsText, PackedListNeverOverrunsItsBlock) {
  // "abc" needs 5 bytes with its end byte and the zero; 4 are refused and leave the list as it was.
  std::vector<char> block(4, 'x');
  PackedList list = {block.data(), block.size(), 0};
  beginTemplateList(&list);
  EXPECT_TRUE(addTemplateEntry(&list, "ab"));
  EXPECT_FALSE(addTemplateEntry(&list, "c"));
  EXPECT_EQ(std::string(block.data(), packedSize(list)), std::string("ab\xFF", 3) + '\0');

  std::vector<char> exact(5);
  PackedList fits = {exact.data(), exact.size(), 0};
  beginTemplateList(&fits);
  EXPECT_TRUE(addTemplateEntry(&fits, "abc"));
  EXPECT_EQ(packedSize(fits), 5u);
}

TEST(SettingsText, PackedListReadsBack) {
  const std::vector<std::string> entries = {"#r #g #b", "$r$g$b", std::string(101, 'w'), "RGB(#r,#g,#b)"};
  EXPECT_EQ(entriesOf(packed(entries, 256)), entries);
}
