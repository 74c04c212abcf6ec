#include "export/color_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "app/names.h"
#include "box/box_geometry.h"
#include "export/notation.h"

namespace {

struct Expected {
  ReadColor::Status status;
  int r, g, b;
};
constexpr ReadColor::Status kOk = ReadColor::ok, kNone = ReadColor::noColor, kClear = ReadColor::transparent;

ReadColor read(const std::string& text, const char* customTemplate = nullptr) {
  return readColorText(text.data(), text.size(), customTemplate);
}

std::string describe(const ReadColor& c) {
  const char* status[] = {"ok", "noColor", "transparent"};
  return std::string(status[c.status]) + " " + std::to_string(c.r) + "," + std::to_string(c.g) + "," +
         std::to_string(c.b);
}

void expectRead(const std::string& text, const Expected& e, const char* customTemplate = nullptr) {
  const ReadColor c = read(text, customTemplate);
  EXPECT_EQ(c.status, e.status) << '"' << text << "\" gave " << describe(c);
  if (c.status == e.status && e.status != kNone)
    EXPECT_TRUE(c.r == e.r && c.g == e.g && c.b == e.b) << '"' << text << "\" gave " << describe(c);
}

// The text `formatIndex` writes for the colour r, g, b.
std::string written(int formatIndex, int r, int g, int b, const char* customTemplate = "") {
  char hex[7], dec[12], out[kClipboardTextSize];
  composeColorTexts(static_cast<std::uint32_t>(r | g << 8 | b << 16), hex, dec);
  composeNotationText(formatIndex, hex, dec, customTemplate, out, sizeof out);
  return out;
}

}  // namespace

TEST(ColorReader, TintletsOwnNotations) {
  struct Case { const char* text; Expected e; };
  const Case cases[] = {
      {"#050CFF", {kOk, 5, 12, 255}},          {"#050cff", {kOk, 5, 12, 255}},
      {"$FF0C05", {kOk, 5, 12, 255}},          {"$ff0c05", {kOk, 5, 12, 255}},
      {"0xFF0C05", {kOk, 5, 12, 255}},         {"0XFF0c05", {kOk, 5, 12, 255}},
      {"5,12,255", {kOk, 5, 12, 255}},         {"0,0,0", {kOk, 0, 0, 0}},
      {"Color(5,12,255)", {kOk, 5, 12, 255}},  {"&HFF0C05", {kOk, 5, 12, 255}},
      {"&hff0c05", {kOk, 5, 12, 255}},         {"rgb(5, 12, 255)", {kOk, 5, 12, 255}},
      {"hsl(0, 100%, 50%)", {kOk, 255, 0, 0}}, {"0, 100%, 100%", {kOk, 255, 0, 0}},
      {"240, 100%, 50%", {kOk, 0, 0, 128}},    {"0.020, 0.047, 1.000", {kOk, 5, 12, 255}},
      {"0.502, 0.502, 0.502", {kOk, 128, 128, 128}},
      {"oklch(62.80% 0.2577 29.23)", {kOk, 255, 0, 0}},
      {"oklch(45.66% 0.3100 264.43)", {kOk, 5, 12, 255}},
      {"oklch(100.00% 0.0000 0.00)", {kOk, 255, 255, 255}},
      // Java's names have one case; so has the notation.
      {"color(5,12,255)", {kNone}},            {"COLOR(5,12,255)", {kNone}},
      {"Color(5, 12, 255)", {kNone}},          {"005,012,255", {kNone}},
      {"256,0,0", {kNone}},                    {"5,12", {kNone}},
      {"$FF0C0", {kNone}},                     {"0xFF0C05FF", {kNone}},
      {"&HFF0C05&", {kNone}},                  {"1.5, 0.000, 0.000", {kNone}},
      {"0, 101%, 50%", {kNone}},               {"0, 50%, 50", {kNone}},
  };
  for (const Case& c : cases) expectRead(c.text, c.e);
}

TEST(ColorReader, EveryRowReadsWhatItWrites) {
  const int colors[][3] = {{0, 0, 0}, {255, 255, 255}, {5, 12, 255}, {130, 11, 10}, {200, 199, 199}};
  for (const Notation& n : kNotations) {
    ASSERT_NE(n.read, nullptr) << n.registryName;
    for (const auto& rgb : colors) {
      const std::string text = written(int(&n - kNotations), rgb[0], rgb[1], rgb[2], kDefaultTemplate);
      const ReadColor c = n.read(text.data(), text.size(), kDefaultTemplate);
      ASSERT_EQ(c.status, kOk) << n.registryName << " \"" << text << '"';
      EXPECT_EQ(written(int(&n - kNotations), c.r, c.g, c.b, kDefaultTemplate), text) << n.registryName;
    }
  }
}

// A dark colour's hue moves by degrees from one component step, so the colour nearest what
// "hsl(52, 100%, 5%)" says, 26, 22, 0, writes hue 51. Tintlet's own form reads back as a colour that
// writes it again; the same colour in CSS's space-separated form stays the nearest one.
TEST(ColorReader, RoundedTextInTintletsFormReadsBackAsAColourThatWritesIt) {
  struct Case { int formatIndex; const char* text; };
  const Case cases[] = {{8, "hsl(52, 100%, 5%)"}, {8, "hsl(0, 100%, 0%)"}, {9, "0, 100%, 0%"}, {9, "120, 100%, 0%"}};
  for (const Case& c : cases) {
    const ReadColor got = read(c.text);
    ASSERT_EQ(got.status, kOk) << c.text;
    EXPECT_EQ(written(c.formatIndex, got.r, got.g, got.b), c.text) << describe(got);
  }
  expectRead("hsl(52 100% 5%)", {kOk, 26, 22, 0});
  expectRead("hsl(0 100% 0%)", {kOk, 0, 0, 0});
}

TEST(ColorReader, CssFormsInEitherCase) {
  struct Case { const char* text; Expected e; };
  const Case cases[] = {
      {"#f00", {kOk, 255, 0, 0}},                     {"#F0A", {kOk, 255, 0, 170}},
      {"#ff0000", {kOk, 255, 0, 0}},                  {"#Ff8000", {kOk, 255, 128, 0}},
      {"#f00f", {kOk, 255, 0, 0}},                    {"#FF0000FF", {kOk, 255, 0, 0}},
      {"rgb(255,0,0)", {kOk, 255, 0, 0}},             {"RGB( 255 , 0 , 0 )", {kOk, 255, 0, 0}},
      {"rgb(255 128 0)", {kOk, 255, 128, 0}},         {"Rgba(255, 128, 0)", {kOk, 255, 128, 0}},
      {"rgb(100%, 50%, 0%)", {kOk, 255, 128, 0}},     {"rgb(100% 50% 0)", {kOk, 255, 128, 0}},
      {"rgb(10.5 20.4 30.6)", {kOk, 11, 20, 31}},     {"rgb(1e2 0 2.55E2)", {kOk, 100, 0, 255}},
      {"rgb(none 0 0)", {kOk, 0, 0, 0}},              {"rgb(+255 -0 0)", {kOk, 255, 0, 0}},
      {"hsl(120, 100%, 25%)", {kOk, 0, 128, 0}},      {"HSL(120DEG 100% 25%)", {kOk, 0, 128, 0}},
      {"hsl(0.5turn 100 50)", {kOk, 0, 255, 255}},    {"hsla(200grad, 100%, 50%)", {kOk, 0, 255, 255}},
      {"hsl(3.14159265rad 100% 50%)", {kOk, 0, 255, 255}},
      {"hsl(-120 100% 50%)", {kOk, 0, 0, 255}},       {"hsl(600 100% 50%)", {kOk, 0, 0, 255}},
      {"hsl(none 0% 50%)", {kOk, 128, 128, 128}},     {"hsl(0 150% 120%)", {kOk, 255, 255, 255}},
      {"hwb(0 0% 0%)", {kOk, 255, 0, 0}},             {"HWB(120 0% 50%)", {kOk, 0, 128, 0}},
      {"hwb(0 60% 60%)", {kOk, 128, 128, 128}},       {"hwb(240 20 20)", {kOk, 51, 51, 204}},
      {"oklab(0.62796 0.22486 0.12585)", {kOk, 255, 0, 0}},
      {"OKLAB(100% 0 0)", {kOk, 255, 255, 255}},      {"oklab(0 0 0)", {kOk, 0, 0, 0}},
      {"oklab(50% 0 0)", {kOk, 99, 99, 99}},          {"oklab(62.796% 56.215% 31.4625%)", {kOk, 255, 0, 0}},
      {"oklch(0.628 0.2577 29.23deg)", {kOk, 255, 0, 0}},
      {"OKLCH(62.8% 64.425% 0.0812turn)", {kOk, 255, 0, 0}},
      {"oklch(120% 0.1 30)", {kOk, 255, 255, 255}},  {"oklch(0% 0.2 30)", {kOk, 0, 0, 0}},
      {"oklch(-10% 0 0)", {kOk, 0, 0, 0}},            {"oklch(50% 0 none)", {kOk, 99, 99, 99}},
      {"red", {kOk, 255, 0, 0}},                      {"RED", {kOk, 255, 0, 0}},
      {"RebeccaPurple", {kOk, 102, 51, 153}},         {"grey", {kOk, 128, 128, 128}},
      {"gray", {kOk, 128, 128, 128}},                 {"aliceblue", {kOk, 240, 248, 255}},
      {"lightgoldenrodyellow", {kOk, 250, 250, 210}}, {"yellowgreen", {kOk, 154, 205, 50}},
      {"darkslategrey", {kOk, 47, 79, 79}},           {"Fuchsia", {kOk, 255, 0, 255}},
      {" \t\r\n#ff0000 \r\n", {kOk, 255, 0, 0}},
  };
  for (const Case& c : cases) expectRead(c.text, c.e);
}

TEST(ColorReader, AlphaOfOneIsOpaqueAndLessIsTransparent) {
  struct Case { const char* text; Expected e; };
  const Case cases[] = {
      {"rgba(255, 0, 0, 1)", {kOk, 255, 0, 0}},       {"rgb(255 0 0 / 100%)", {kOk, 255, 0, 0}},
      {"rgb(255 0 0 / 1.0)", {kOk, 255, 0, 0}},       {"hsl(0 100% 50% / 1)", {kOk, 255, 0, 0}},
      {"rgb(255 0 0 / 2)", {kOk, 255, 0, 0}},         {"oklch(100% 0 0 / 1)", {kOk, 255, 255, 255}},
      {"rgba(255, 0, 0, 0.5)", {kClear, 255, 0, 0}},  {"rgb(255 0 0 / 50%)", {kClear, 255, 0, 0}},
      {"hsla(0, 100%, 50%, .5)", {kClear, 255, 0, 0}}, {"hwb(0 0% 0% / 0.5)", {kClear, 255, 0, 0}},
      {"oklab(1 0 0 / 0.5)", {kClear, 255, 255, 255}}, {"oklch(0 0 0 / 0.999)", {kClear, 0, 0, 0}},
      {"rgb(255 0 0 / none)", {kClear, 255, 0, 0}},   {"#ff000080", {kClear, 255, 0, 0}},
      {"#f008", {kClear, 255, 0, 0}},                 {"transparent", {kClear, 0, 0, 0}},
      {"TRANSPARENT", {kClear, 0, 0, 0}},             {"rgb(255 0 0 / 1deg)", {kNone}},
      {"rgb(300 0 0 / 0.5)", {kNone}},
  };
  for (const Case& c : cases) expectRead(c.text, c.e);
}

TEST(ColorReader, RefusesWhatIsNoColour) {
  const char* const texts[] = {
      "rgb(300, 0, 0)", "rgb(256 0 0)", "rgb(255.5 0 0)", "rgb(-1, 0, 0)", "rgb(101%, 0%, 0%)", "#GG0000",
      "#ff000", "#ff00000", "#", "rgb(10, 20", "rgb(10, 20)", "rgb(10, 20, 30", "rgb(10 20, 30)",
      "rgb(10%, 20, 30)", "rgb(none, 0, 0)", "rgb(1 2 3 4)", "rgb (255, 0, 0)", "rgb(255, 0, 0))",
      "rgb(255, 0, 0) x", "rgb(1e999, 0, 0)", "rgb(1em 0 0)", "rgb(.)", "hsl(0, 100, 50)",
      "hsl(10%, 50%, 50%)", "hwb(0, 0%, 0%)", "oklab(0.5, 0, 0)", "oklch(50% 0.1 30%)", "oklch(50% 0.1deg 30)",
      "rgb(0 0 0deg)", "hsl(0 / 1)", "red;", "redd", "currentcolor", "#ff0000 #00ff00", "color: red", "", " ",
      " \t\r\n ", "\x01", "colour",
  };
  for (const char* text : texts) expectRead(text, {kNone, 0, 0, 0});
}

// Reference colours from a separate Python calculation of the same chroma reduction, converting
// through XYZ with CSS Color 4's own matrices rather than the Oklab paper's direct ones.
TEST(ColorReader, OutOfGamutOklabIsMappedIntoSrgbByReducingChroma) {
  struct Case { const char* text; int rgb[3]; };
  const Case cases[] = {
      {"oklch(70% 0.3 30)", {255, 88, 67}},    {"oklch(90% 0.4 140)", {98, 255, 49}},
      {"oklch(40% 0.35 265)", {15, 0, 227}},   {"oklch(50% 0.3 330)", {169, 0, 164}},
      {"oklch(95% 0.2 100)", {255, 240, 40}},  {"oklab(0.7 0.3 0.1)", {255, 83, 104}},
  };
  for (const Case& c : cases) {
    const ReadColor got = read(c.text);
    ASSERT_EQ(got.status, kOk) << c.text;
    const int channels[3] = {got.r, got.g, got.b};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(channels[i], c.rgb[i], 1) << c.text << " gave " << describe(got);
  }
}

TEST(ColorReader, ReadsAtMost256CharactersAfterLeadingWhiteSpace) {
  const std::string megabyte(1 << 20, ' ');
  expectRead(megabyte + "#ff0000" + megabyte, {kOk, 255, 0, 0});
  expectRead(std::string(1 << 20, 'a'), {kNone});
  expectRead(megabyte + std::string(1 << 20, 'a'), {kNone});
  expectRead("#ff0000" + std::string(300, 'x'), {kNone});
  expectRead(megabyte, {kNone});
  // White space inside a function counts: the text is "rgb(" and its padding up to the given length.
  for (const std::size_t length : {kReadableLength, kReadableLength + 1}) {
    const std::string padded = "\r\n rgb(" + std::string(length - 12, ' ') + "255,0,0)\r\n";
    expectRead(padded, {length <= kReadableLength ? kOk : kNone, 255, 0, 0});
  }
  // The length given is what is read: a colour past it, or a zero before it, is not skipped over.
  const char text[] = "#ff0000\0#00ff00";
  EXPECT_EQ(readColorText(text, 6, nullptr).status, kNone);
  EXPECT_EQ(readColorText(text, sizeof text - 1, nullptr).status, kNone);
  EXPECT_EQ(readColorText("", 0, nullptr).status, kNone);
}

TEST(ColorReader, CustomTemplates) {
  struct Case { const char* templateText; const char* text; Expected e; };
  const Case cases[] = {
      {kDefaultTemplate, "RGB(5,12,255)", {kOk, 5, 12, 255}},
      {"$r$g$b", "050CFF", {kOk, 5, 12, 255}},
      {"$r$g$b", "050cff", {kOk, 5, 12, 255}},
      {"#r#g#b", "512255", {kOk, 5, 12, 255}},
      {"#r#g#b", "000", {kOk, 0, 0, 0}},
      {"#r#g#b", "255255255", {kOk, 255, 255, 255}},
      {"#r$g#b", "50C255", {kOk, 5, 12, 255}},
      {"  <#r #g #b>\n", "<5 12 255>", {kOk, 5, 12, 255}},
      {"##r-$$g-#b", "#5-$0C-255", {kOk, 5, 12, 255}},
      // The user's template comes before the notations whose text it can look like.
      {"#b,#g,#r", "5,12,255", {kOk, 255, 12, 5}},
      {"#$b$g$r", "#FF0C05", {kOk, 5, 12, 255}},
      // Literal text matches exactly.
      {kDefaultTemplate, "rgb(5,12,255)", {kOk, 5, 12, 255}},  // CSS rgb() reads it instead
      {kDefaultTemplate, "RGB(5,12,256)", {kNone}},
      {"C(#r,#g,#b)", "C(05,12,255)", {kNone}},
      {"x#r,#g,#b", "X5,12,255", {kNone}},
      {"x#r,#g,#b", "x5,12,255,", {kNone}},
      {"$r$g$b", "050CF", {kNone}},
      // Each component exactly once, or the template is not read.
      {"#r,#g", "5,12", {kNone}},
      {"A#r,#g,#b,#r", "A5,12,255,5", {kNone}},
      {"A#R,#G,#B", "A5,12,255", {kNone}},
      {"", "", {kNone}},
  };
  for (const Case& c : cases) expectRead(c.text, c.e, c.templateText);
  expectRead("A5,12,255", {kNone}, nullptr);
  // Only the template's first 99 characters count, as when it is written.
  const std::string whole = std::string(93, 'a') + "#r#g#b", cut = 'a' + whole;
  expectRead(std::string(93, 'a') + "512255", {kOk, 5, 12, 255}, whole.c_str());
  expectRead(std::string(94, 'a') + "512#", {kNone}, cut.c_str());
}

TEST(ColorReader, DescribesTheUnreadableText) {
  struct Case { std::string text; std::size_t size; std::string shown; };
  const std::string sixty = std::string(59, 'x') + "y";
  const Case cases[] = {
      {"  \r\n\tnot a colour\r\n", 80, "not a colour"},
      {"tab\there\x01" "and\x7Fthere", 80, "tab here and there"},
      {sixty + "and more", 80, sixty},
      {"   " + sixty + "z", 80, sixty},
      {std::string(1 << 20, 'q'), 80, std::string(60, 'q')},
      {"caf\xE9 au lait", 80, "caf\xE9 au lait"},
      {"abcdef", 4, "abc"},
      {"", 80, ""},
      {" \r\n ", 80, ""},
  };
  for (const Case& c : cases) {
    char out[96];
    std::memset(out, '!', sizeof out);
    describeUnreadable(c.text.data(), c.text.size(), out, c.size);
    EXPECT_EQ(out, c.shown) << '"' << c.text.substr(0, 80) << '"';
    EXPECT_EQ(out[c.size], '!') << "wrote past " << c.size << " bytes";
  }
  char untouched = '!';
  describeUnreadable("abc", 3, &untouched, 0);
  EXPECT_EQ(untouched, '!');
}

namespace {

// The box's texts of any colour, put together from each component's: composeColorTexts writes them
// with snprintf, far too slow for sixteen million colours under the sanitizers.
struct ComponentTexts {
  char hex[256][2];
  char dec[256][3];
  ComponentTexts() {
    for (int v = 0; v < 256; ++v) {
      char h[7], d[12];
      composeColorTexts(static_cast<std::uint32_t>(v * 0x010101), h, d);
      std::memcpy(hex[v], h, 2);
      std::memcpy(dec[v], d, 3);
    }
  }
  void texts(const int rgb[3], char h[7], char d[12]) const {
    for (int i = 0; i < 3; ++i) {
      std::memcpy(h + 2 * i, hex[rgb[i]], 2);
      std::memcpy(d + 4 * i, dec[rgb[i]], 3);
      d[4 * i + 3] = ' ';
    }
    h[6] = d[11] = '\0';
  }
};

// Reads back what notation `formatIndex` writes for each of the given colours; returns how many did
// not give back a colour that writes the same text (or, with `sameColor`, the very same colour).
template <typename NextColor>
long roundTrips(int formatIndex, long count, NextColor next, bool sameColor, const char* customTemplate = "") {
  static const ComponentTexts components;
  const ComposeFn compose = kNotations[formatIndex].compose;
  long failures = 0;
  for (long n = 0; n < count; ++n) {
    int rgb[3];
    next(n, rgb);
    char hex[7], dec[12], text[kClipboardTextSize], again[kClipboardTextSize];
    components.texts(rgb, hex, dec);
    if (n % 65537 == 0) {  // the texts put together are the box's own
      char boxHex[7], boxDec[12];
      composeColorTexts(static_cast<std::uint32_t>(rgb[0] | rgb[1] << 8 | rgb[2] << 16), boxHex, boxDec);
      EXPECT_STREQ(hex, boxHex);
      EXPECT_STREQ(dec, boxDec);
    }
    compose({hex, dec, customTemplate}, text, sizeof text);
    const ReadColor c = readColorText(text, std::strlen(text), customTemplate);
    bool ok = c.status == ReadColor::ok;
    if (ok && sameColor) {
      ok = c.r == rgb[0] && c.g == rgb[1] && c.b == rgb[2];
    } else if (ok) {
      const int back[3] = {c.r, c.g, c.b};
      components.texts(back, hex, dec);
      compose({hex, dec, customTemplate}, again, sizeof again);
      ok = std::strcmp(text, again) == 0;
    }
    if (!ok && ++failures <= 5)
      ADD_FAILURE() << kNotations[formatIndex].registryName << " \"" << text << "\" of " << rgb[0] << ','
                    << rgb[1] << ',' << rgb[2] << " read as " << describe(c);
  }
  return failures;
}

void everyColorRoundTrips(const char* registryName) {
  int formatIndex = 0;
  while (std::strcmp(kNotations[formatIndex].registryName, registryName) != 0) ++formatIndex;
  const auto every = [](long n, int rgb[3]) {
    rgb[0] = int(n >> 16);
    rgb[1] = int(n >> 8 & 0xFF);
    rgb[2] = int(n & 0xFF);
  };
  EXPECT_EQ(roundTrips(formatIndex, 1L << 24, every, true), 0);
}

void sampleRoundTrips(const char* registryName, const char* customTemplate = "") {
  int formatIndex = 0;
  while (std::strcmp(kNotations[formatIndex].registryName, registryName) != 0) ++formatIndex;
  std::mt19937 random(20260416);
  const auto sample = [&random](long, int rgb[3]) {
    const std::uint32_t bits = random();
    for (int i = 0; i < 3; ++i) rgb[i] = int(bits >> (8 * i) & 0xFF);
  };
  EXPECT_EQ(roundTrips(formatIndex, 200000, sample, false, customTemplate), 0) << customTemplate;
}

}  // namespace

// One test per notation, so that ctest runs them side by side.
TEST(ColorReaderEveryColour, Html) { everyColorRoundTrips("html"); }
TEST(ColorReaderEveryColour, Delphi) { everyColorRoundTrips("delphi"); }
TEST(ColorReaderEveryColour, Cpp) { everyColorRoundTrips("c++"); }
TEST(ColorReaderEveryColour, Decimal) { everyColorRoundTrips("rgb"); }
TEST(ColorReaderEveryColour, Java) { everyColorRoundTrips("java"); }
TEST(ColorReaderEveryColour, Vb) { everyColorRoundTrips("vb"); }
TEST(ColorReaderEveryColour, CssRgb) { everyColorRoundTrips("cssrgb"); }
TEST(ColorReaderEveryColour, Float) { everyColorRoundTrips("float"); }

TEST(ColorReaderSample, CssHsl) { sampleRoundTrips("csshsl"); }
TEST(ColorReaderSample, Hsv) { sampleRoundTrips("hsv"); }
TEST(ColorReaderSample, Oklch) { sampleRoundTrips("oklch"); }
TEST(ColorReaderSample, CustomTemplates) {
  for (const char* customTemplate : {kDefaultTemplate, "$r$g$b", "#r#g#b", "#b;$g;#r"})
    sampleRoundTrips("custom", customTemplate);
}
