#include "options/about_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(AboutText, AboutLinesAreExactWithCarriageReturnsOnly) {
  char out[128];
  composeAboutLines(out, sizeof out);
  EXPECT_STREQ(out,
               "Tintlet 2.51\rfreeware\r2005\r\rprogramming:\rTintlet team\r\r"
               "testing,documentation:\rTintlet team");
  EXPECT_EQ(std::strchr(out, '\n'), nullptr);
}

TEST(AboutText, NamesTheRealToolsWithTheVersionsGiven) {
  struct Case { const char* compiler; const char* linker; const char* rc; const char* tool; const char* credits; };
  const Case cases[] = {
      {"12-posix", "2.40", "2.40", "MinGW-w64 GCC 12-posix",
       "GNU ld 2.40 (linker)\rGNU windres 2.40 (resources)\rof GNU Binutils; no packer"},
      {"13.2.0", "2.41", "2.42", "MinGW-w64 GCC 13.2.0",
       "GNU ld 2.41 (linker)\rGNU windres 2.42 (resources)\rof GNU Binutils; no packer"},
      // A version the build could not read is left out, not replaced by a guess.
      {"", "", nullptr, "MinGW-w64 GCC",
       "GNU ld (linker)\rGNU windres (resources)\rof GNU Binutils; no packer"},
  };
  for (const Case& c : cases) {
    char tool[64], credits[256];
    composeToolName(c.compiler, tool, sizeof tool);
    composeCreditLines(c.linker, c.rc, credits, sizeof credits);
    EXPECT_STREQ(tool, c.tool);
    EXPECT_STREQ(credits, c.credits);
  }
}

TEST(AboutText, NeverWritesPastTheBuffer) {
  char out[12];
  std::memset(out, 'x', sizeof out);
  composeAboutLines(out, 8);
  EXPECT_STREQ(out, "Tintlet");
  EXPECT_EQ(out[8], 'x');
  composeCreditLines("2.40", "2.40", out, 5);
  EXPECT_STREQ(out, "GNU ");
  composeToolName("12", out, 1);
  EXPECT_STREQ(out, "");
}

TEST(AboutText, LinksOpenTheirAddresses) {
  EXPECT_STREQ(linkAddress(21), "https://quillon.example/");
  EXPECT_STREQ(linkAddress(22), "https://www.mingw-w64.org/");
  EXPECT_EQ(linkAddress(20), nullptr);
  EXPECT_EQ(linkAddress(23), nullptr);
  EXPECT_EQ(linkAddress(0), nullptr);
}

TEST(HelpStream, DeliversRequestedPiecesThenTheRestThenNothing) {
  const std::string doc = "{\\rtf1 0123456789abcdefghij}";  // 28 bytes
  std::uint32_t offset = 0;
  std::vector<unsigned char> got;
  struct Step { long requested; long delivered; std::uint32_t offsetAfter; };
  const Step steps[] = {{10, 10, 10}, {10, 10, 20}, {10, 8, 28}, {10, 0, 28}, {10, 0, 28}};
  for (const Step& s : steps) {
    unsigned char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    long delivered = -1;
    EXPECT_EQ(streamPiece(doc.data(), doc.size(), &offset, buffer, s.requested, &delivered), 0);
    EXPECT_EQ(delivered, s.delivered);
    EXPECT_EQ(offset, s.offsetAfter);
    EXPECT_EQ(buffer[delivered], '#') << "wrote past the piece";
    got.insert(got.end(), buffer, buffer + delivered);
  }
  EXPECT_EQ(std::string(got.begin(), got.end()), doc);
}

TEST(HelpStream, OddRequestsAndAMissingDocument) {
  const char doc[] = "abcdef";
  struct Case { const char* data; long requested; int result; long delivered; std::uint32_t offsetAfter; };
  const Case cases[] = {
      {doc, 100, 0, 6, 6},      // one request larger than the whole document
      {doc, 0, 0, 0, 0},        // nothing asked, nothing given
      {doc, -5, 0, 0, 0},       // a negative request must not turn into a huge one
      {nullptr, 100, 1, 0, 0},  // no document: an error at once
  };
  for (const Case& c : cases) {
    std::uint32_t offset = 0;
    unsigned char buffer[128] = {};
    long delivered = -1;
    EXPECT_EQ(streamPiece(c.data, 6, &offset, buffer, c.requested, &delivered), c.result) << c.requested;
    EXPECT_EQ(delivered, c.delivered) << c.requested;
    EXPECT_EQ(offset, c.offsetAfter) << c.requested;
  }
}
