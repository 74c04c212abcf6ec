#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;  // "..."s keeps zero bytes

// The file text is copied into a block of exactly its size, so a read past it is caught by the
// address sanitizer.
IniFile parsed(const std::string& text) {
  std::vector<char> block(text.begin(), text.end());
  IniFile ini;
  ini.parse(block.data(), block.size());
  return ini;
}

std::string section(const std::string& lines) { return "[Tintlet]\r\n" + lines + "\r\n"; }

}  // namespace

TEST(IniText, ReadsEachKindOfValueAsWritten) {
  struct Case { std::string line; const char* name; bool quoted; std::string data; };
  const Case cases[] = {
      {"trans=85", "trans", false, "85"},
      {"trans = 85 ", "trans", false, "85"},
      {"\ttrans\t=\t-7\t", "trans", false, "-7"},
      {"hotchars=4F44515A", "hotchars", false, "4F44515A"},
      {"customclr=", "customclr", false, ""},
      {"x=a=b", "x", false, "a=b"},
      {"x= 1 ; not a comment", "x", false, "1 ; not a comment"},
      {"x=12\0 34"s, "x", false, "12\0 34"s},
      {"my name=1", "my name", false, "1"},
      {"customFormat=\"RGB(#r,#g,#b)\"", "customFormat", true, "RGB(#r,#g,#b)"},
      {"x=\"  a = ; # \"", "x", true, "  a = ; # "},
      {"x = \"done\"  \t", "x", true, "done"},
      {"x=\"\"", "x", true, ""},
      {"x=\"a\\\"b\\\\c\"", "x", true, "a\"b\\c"},
      {"x=\"\\x01\\x1F\\x7f\\x41\\xFF\"", "x", true, "\x01\x1F\x7F" "A\xFF"},
      {"x=\"\xE9t\xE9 \x80\xFF\"", "x", true, "\xE9t\xE9 \x80\xFF"},
      {"x=\"tab\there\"", "x", true, "tab\there"},
  };
  for (const Case& c : cases) {
    const IniFile ini = parsed(section(c.line));
    const IniValue* v = ini.find(c.name);
    ASSERT_NE(v, nullptr) << c.line;
    EXPECT_EQ(v->quoted, c.quoted) << c.line;
    EXPECT_EQ(v->data, c.data) << c.line;
    EXPECT_EQ(ini.size(), 1u) << c.line;
  }
}

TEST(IniText, UnreadableLinesCountAsAbsent) {
  const std::string lines[] = {
      "x=\"open",
      "x=\"bad \\q escape\"",
      "x=\"short \\x4\"",
      "x=\"not hex \\xG1\"",
      "x=\"zero \\x00 escaped\"",
      "x=\"zero \0 raw\""s,
      "x=\"ends in a backslash\\",
      "x=\"after\" the quote",
      "x=\"two\" \"parts\"",
      "x 5",
      "=5",
      "  = 5",
  };
  for (const std::string& line : lines) {
    const IniFile ini = parsed(section(line + "\r\ny=1"));
    EXPECT_EQ(ini.find("x"), nullptr) << line;
    ASSERT_NE(ini.find("y"), nullptr) << line;  // the lines after it are still read
    EXPECT_EQ(ini.size(), 1u) << line;
  }
}

TEST(IniText, EveryLineEndReads) {
  const char* const ends[] = {"\r\n", "\n", "\r"};
  for (const char* end : ends)
    for (const bool finalEnd : {false, true}) {
      std::string text = "[Tintlet]"s + end + "a=1" + end + "b=\"two\"" + end + end + "c=3";
      if (finalEnd) text += end;
      const IniFile ini = parsed(text);
      ASSERT_EQ(ini.size(), 3u) << text;
      EXPECT_EQ(ini.find("a")->data, "1");
      EXPECT_EQ(ini.find("b")->data, "two");
      EXPECT_EQ(ini.find("c")->data, "3");
    }
  const IniFile mixed = parsed("[Tintlet]\r\na=1\nb=\"two\"\rc=3\n\rd=4\r\r\ne=5");
  const char* const names[] = {"a", "b", "c", "d", "e"};
  const char* const data[] = {"1", "two", "3", "4", "5"};
  for (int i = 0; i < 5; ++i) {
    ASSERT_NE(mixed.find(names[i]), nullptr) << names[i];
    EXPECT_EQ(mixed.find(names[i])->data, data[i]);
  }
}

TEST(IniText, OnlyTheTintletSectionCounts) {
  struct Case { std::string text; const char* a; };  // the value of `a`, or null
  const Case cases[] = {
      {"", nullptr},
      {"a=1", nullptr},
      {"[Other]\r\na=1", nullptr},
      {"[Tintlet]\r\n[Other]\r\na=1", nullptr},
      {"[Other]\r\na=1\r\n[Tintlet]\r\na=2\r\n[More]\r\na=3", "2"},
      {"[tintlet]\r\na=3", "3"},
      {"  [ TINTLET ]\t\r\na=4", "4"},
      {"[Tintlet2]\r\na=5", nullptr},
      {"[Tintlet\r\na=6", nullptr},
      {"[Tintlet]x\r\na=7", nullptr},
      {"[Tintlet]\r\n[]\r\na=8", nullptr},
      {"[Tintlet]\r\n[\r\na=8", nullptr},
      {"[Tintlet]\r\n[Other]\r\na=9\r\n[Tintlet]\r\na=10", "10"},
      {"\xEF\xBB\xBF[Tintlet]\r\na=11", "11"},
      {"[Tintlet]\r\n\xEF\xBB\xBF" "a=12", nullptr},  // a BOM is skipped only at the start
      {"[Tintlet]\r\n;a=1\r\n#a=2\r\n  ; a=3\r\n\t# a=4\r\n\r\n   \r\na=13", "13"},
      {"[Tintlet]\r\n# [Other]\r\n; [Other]\r\na=14", "14"},
  };
  for (const Case& c : cases) {
    const IniFile ini = parsed(c.text);
    const IniValue* v = ini.find("a");
    if (!c.a) {
      EXPECT_EQ(v, nullptr) << c.text;
      continue;
    }
    ASSERT_NE(v, nullptr) << c.text;
    EXPECT_EQ(v->data, c.a) << c.text;
  }
}

TEST(IniText, FirstReadableLineOfANameWinsWhateverItsCase) {
  const IniFile ini = parsed(section("trans=1\r\nTRANS=2\r\n trans =3\r\n"
                                     "customFormat=\"open\r\nCustomFormat=\"first\"\r\ncustomformat=\"second\""));
  EXPECT_EQ(ini.size(), 2u);
  const char* const spellings[] = {"trans", "Trans", "TRANS"};
  for (const char* name : spellings) {
    ASSERT_NE(ini.find(name), nullptr) << name;
    EXPECT_EQ(ini.find(name)->data, "1");
  }
  ASSERT_NE(ini.find("CUSTOMFORMAT"), nullptr);
  EXPECT_EQ(ini.find("customFormat")->data, "first");
  EXPECT_EQ(ini.find("trans "), nullptr);
}

TEST(IniText, ParsingAgainForgetsTheEarlierFile) {
  IniFile ini;
  const std::string first = section("a=1\r\nb=2"), second = section("b=3");
  ini.parse(first.data(), first.size());
  ini.parse(second.data(), second.size());
  EXPECT_EQ(ini.find("a"), nullptr);
  ASSERT_NE(ini.find("b"), nullptr);
  EXPECT_EQ(ini.find("b")->data, "3");
}

TEST(IniText, OverlongValuesAndNamesAreDropped) {
  const std::string full(kIniValueMax, 'A'), over(kIniValueMax + 1, 'A');
  std::string escapedFull, escapedOver;
  for (std::size_t i = 0; i < kIniValueMax; ++i) escapedFull += "\\x41";
  escapedOver = escapedFull + "\\x41";
  const std::string longName(kIniNameMax, 'n'), overName(kIniNameMax + 1, 'n');
  struct Case { std::string line; std::string name; const std::string* data; };  // data null: dropped
  const Case cases[] = {
      {"x=" + full, "x", &full},
      {"x=" + over, "x", nullptr},
      {"x=\"" + full + "\"", "x", &full},
      {"x=\"" + over + "\"", "x", nullptr},
      {"x=\"" + escapedFull + "\"", "x", &full},
      {"x=\"" + escapedOver + "\"", "x", nullptr},
      {"x=" + std::string(1 << 20, '7'), "x", nullptr},
      {longName + "=" + full, longName, &full},
      {overName + "=" + full, overName, nullptr},
  };
  for (const Case& c : cases) {
    const IniFile ini = parsed(section(c.line + "\r\n" + c.name + "=second\r\ny=1"));
    const IniValue* v = ini.find(c.name.c_str());
    ASSERT_NE(ini.find("y"), nullptr) << c.line.size();
    if (c.name == overName) {
      EXPECT_EQ(v, nullptr);  // no line of such a name is read
      continue;
    }
    ASSERT_NE(v, nullptr) << c.line.size();
    EXPECT_EQ(v->data, c.data ? *c.data : "second") << c.line.size();
  }
}

TEST(IniText, KeepsAtMostTheCountOfNames) {
  std::string lines;
  for (std::size_t i = 0; i < kIniNameCount; ++i) lines += "n" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  lines += "late=1\r\nn0=again\r\nN1023=again";
  const IniFile ini = parsed(section(lines));
  EXPECT_EQ(ini.size(), kIniNameCount);
  EXPECT_EQ(ini.find("late"), nullptr);
  ASSERT_NE(ini.find("n0"), nullptr);
  EXPECT_EQ(ini.find("n0")->data, "0");
  ASSERT_NE(ini.find("n1023"), nullptr);
  EXPECT_EQ(ini.find("n1023")->data, "1023");
}

TEST(IniText, DecimalNumbersAreStrict) {
  struct Case { std::string text; bool ok; long long n; };
  const Case cases[] = {
      {"0", true, 0},
      {"85", true, 85},
      {"-7", true, -7},
      {"+7", true, 7},
      {"007", true, 7},
      {"-0", true, 0},
      {"4294967295", true, 4294967295LL},
      {"9223372036854775807", true, LLONG_MAX},
      {"-9223372036854775808", true, LLONG_MIN},
      {"9223372036854775808", false, 0},
      {"-9223372036854775809", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"--1", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"1a", false, 0},
      {"0x10", false, 0},
      {"1.0", false, 0},
      {"1\0"s, false, 0},
  };
  for (const Case& c : cases) {
    long long n = 12345;
    EXPECT_EQ(parseDecimal(c.text, &n), c.ok) << c.text;
    EXPECT_EQ(n, c.ok ? c.n : 12345) << c.text;  // left alone when refused
  }
}

TEST(IniText, HexBytesAreStrict) {
  struct Case { std::string text; bool ok; std::string bytes; };
  const Case cases[] = {
      {"", true, ""},
      {"00", true, "\0"s},
      {"4f44", true, "OD"},
      {"4F44515A", true, "ODQZ"},
      {"ff00Ab", true, "\xFF\0\xAB"s},
      {"4", false, ""},
      {"123", false, ""},
      {"4G", false, ""},
      {"0x12", false, ""},
      {" 12", false, ""},
      {"12 ", false, ""},
      {"12\0"s "0", false, ""},
  };
  for (const Case& c : cases) {
    std::string bytes = "unchanged";
    EXPECT_EQ(parseHexBytes(c.text, &bytes), c.ok) << c.text;
    EXPECT_EQ(bytes, c.ok ? c.bytes : "unchanged") << c.text;
  }
}

TEST(IniText, WriterSpellsEachKind) {
  EXPECT_EQ(iniNumber(0), "0");
  EXPECT_EQ(iniNumber(-7), "-7");
  EXPECT_EQ(iniNumber(4294967295LL), "4294967295");
  EXPECT_EQ(iniNumber(LLONG_MIN), "-9223372036854775808");

  const unsigned char bytes[] = {0x4F, 0x44, 0x00, 0xFF, 0xAB, 0x0C};
  EXPECT_EQ(iniBytes(bytes, sizeof bytes), "4F4400FFAB0C");
  EXPECT_EQ(iniBytes(bytes, 0), "");

  struct Case { const char* text; const char* written; };
  const Case cases[] = {
      {"", "\"\""},
      {"RGB(#r,#g,#b)", "\"RGB(#r,#g,#b)\""},
      {" a=b;c#d ", "\" a=b;c#d \""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\x01\x1f\x7f\t\r\n", "\"\\x01\\x1F\\x7F\\x09\\x0D\\x0A\""},
      {"\xE9\x80\xFF", "\"\xE9\x80\xFF\""},
  };
  for (const Case& c : cases) EXPECT_EQ(iniText(c.text), c.written) << c.text;

  EXPECT_EQ(iniDocument({}), "[Tintlet]\r\n");
  EXPECT_EQ(iniDocument({{"trans", "85"}, {"hotchars", "4F44"}, {"customFormat", "\"x\""}}),
            "[Tintlet]\r\ntrans=85\r\nhotchars=4F44\r\ncustomFormat=\"x\"\r\n");
}

TEST(IniText, RandomValuesComeBackExactly) {
  enum class Kind { number, text, bytes };
  struct Written { std::string name; Kind kind; long long number; std::string data; };
  // The characters the format treats specially come up often; every other byte too.
  const std::string special = " \t=;#\"\\[]\r\n\x7F";
  std::mt19937_64 random(20240611);
  bool textByteSeen[256] = {}, byteSeen[256] = {};
  for (int round = 0; round < 300; ++round) {
    std::vector<Written> values;
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < 24; ++i) {
      Written w{"v" + std::to_string(i), Kind(random() % 3), 0, ""};
      const std::size_t length = round == 0 && i == 0 ? kIniValueMax : random() % 200;
      if (w.kind == Kind::number) {
        const long long edges[] = {LLONG_MIN, LLONG_MAX, 0, -1};
        w.number = random() % 5 ? static_cast<long long>(random() >> (1 + random() % 63)) * (random() % 2 ? 1 : -1)
                                : edges[random() % 4];
        lines.emplace_back(w.name, iniNumber(w.number));
      } else if (w.kind == Kind::text) {
        for (std::size_t k = 0; k < length; ++k) {
          const char c = random() % 3 ? static_cast<char>(random() % 255 + 1) : special[random() % special.size()];
          w.data += c;
          textByteSeen[static_cast<unsigned char>(c)] = true;
        }
        lines.emplace_back(w.name, iniText(w.data.c_str()));
      } else {
        for (std::size_t k = 0; k < length / 2; ++k) {
          const char c = static_cast<char>(random() % 256);
          w.data += c;
          byteSeen[static_cast<unsigned char>(c)] = true;
        }
        lines.emplace_back(w.name, iniBytes(w.data.data(), w.data.size()));
      }
      values.push_back(w);
    }
    const IniFile ini = parsed(iniDocument(lines));
    ASSERT_EQ(ini.size(), values.size());
    for (const Written& w : values) {
      const IniValue* v = ini.find(w.name.c_str());
      ASSERT_NE(v, nullptr) << w.name;
      EXPECT_EQ(v->quoted, w.kind == Kind::text) << w.name;
      if (w.kind == Kind::number) {
        long long n;
        ASSERT_TRUE(parseDecimal(v->data, &n)) << v->data;
        EXPECT_EQ(n, w.number);
      } else if (w.kind == Kind::text) {
        EXPECT_EQ(v->data, w.data);
      } else {
        std::string bytes;
        ASSERT_TRUE(parseHexBytes(v->data, &bytes)) << v->data;
        EXPECT_EQ(bytes, w.data);
      }
    }
  }
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(textByteSeen[b], b != 0) << b;  // a text is a C string: never a zero byte
    EXPECT_TRUE(byteSeen[b]) << b;
  }
}

TEST(IniText, BigHostileFileKeepsItsValues) {
  std::mt19937 random(77);
  std::string text = "\xEF\xBB\xBF[Other]\r\ntrans=1\r\n";
  text += "junk=" + std::string(1 << 20, '\0') + "\r\n";
  text += "[tintlet]\r\ntrans=85\rhotchars=4F44515A\ncustomFormat=\"RGB(#r,#g,#b)\"\r\n";
  text += "huge=" + std::string(1 << 20, 'A') + "\r\n";
  text += "quotedHuge=\"";
  for (int i = 0; i < (1 << 18); ++i) text += "\\x41";
  text += "\"\r\n";
  for (int i = 0; i < 100000; ++i) text += i % 2 ? "TRANS=99\n" : "trans=\"98\"\r";
  for (int i = 0; i < 500; ++i) text += "n" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  // Binary lines without '=': zero bytes, line ends of every kind, a '[' that ends the section.
  while (text.size() < 19u << 20) {
    char c = static_cast<char>(random() % 256);
    text += c == '=' ? '\0' : c;
  }
  text += "\r\n[Tintlet]\r\n" + std::string(1 << 20, ';') + "\r\ntail=\"end\"";
  std::vector<char> block(text.begin(), text.end());

  IniFile ini;
  const auto start = std::chrono::steady_clock::now();
  ini.parse(block.data(), block.size());
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("[          ] a file of %.1f MB parsed in %.0f ms\n", block.size() / 1048576.0, took.count());

  struct Expected { const char* name; bool quoted; const char* data; };
  const Expected expected[] = {
      {"trans", false, "85"},
      {"hotchars", false, "4F44515A"},
      {"customFormat", true, "RGB(#r,#g,#b)"},
      {"n0", false, "0"},
      {"n499", false, "499"},
      {"tail", true, "end"},
  };
  for (const Expected& e : expected) {
    const IniValue* v = ini.find(e.name);
    ASSERT_NE(v, nullptr) << e.name;
    EXPECT_EQ(v->quoted, e.quoted) << e.name;
    EXPECT_EQ(v->data, e.data) << e.name;
  }
  EXPECT_EQ(ini.find("junk"), nullptr);
  EXPECT_EQ(ini.find("huge"), nullptr);
  EXPECT_EQ(ini.find("quotedHuge"), nullptr);
  EXPECT_EQ(ini.size(), 504u);
}
