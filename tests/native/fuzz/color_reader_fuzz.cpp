// Clipboard texts through the colour reader under the sanitizers: notation texts of random colours,
// cut and with bytes changed, and random bytes biased toward what CSS colours are made of. Each text
// is a heap block of exactly its length, with no zero after it, so a read past its end stops the run.
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "box/box_geometry.h"
#include "export/color_reader.h"
#include "export/notation.h"

namespace {

constexpr int kRounds = 100000;

char likelyByte(std::mt19937& random) {
  static const char kColorish[] = "#$&xXhH(),%/. -+eE0123456789abcdefABCDEFrgbhslwkoncaRGBCpd\t\r\n";
  if (random() % 4) return kColorish[random() % (sizeof kColorish - 1)];
  return static_cast<char>(random() % 256);
}

// Templates, and whether each holds every component once, so that its text is read.
struct Template { const char* text; bool readable; };
const Template kTemplates[] = {{"RGB(#r,#g,#b)", true}, {"#r#g#b", true},  {"$r$g$b", true}, {"#b;$g;#r", true},
                               {"(#r $g #b)", true},    {"", false},       {"#r#r", false}};

}  // namespace

int main() {
  std::mt19937 random(20260417);
  int failures = 0;
  for (int round = 0; round < kRounds && failures < 10; ++round) {
    const Template& pattern = kTemplates[random() % std::size(kTemplates)];
    std::string text;
    bool mustRead = false;  // a notation's own text of a colour, untouched
    if (round % 2) {
      char hex[7], dec[12], out[kClipboardTextSize];
      composeColorTexts(random() & 0xFFFFFF, hex, dec);
      const int notation = static_cast<int>(random() % kNotationCount);
      composeNotationText(notation, hex, dec, pattern.text, out, sizeof out);
      text = out;
      const bool untouched = random() % 4 == 0;
      mustRead = untouched && (notation != kCustomNotation || pattern.readable);
      for (int edits = untouched ? 0 : 1 + random() % 3; edits > 0 && !text.empty(); --edits) {
        const std::size_t at = random() % text.size();
        switch (random() % 3) {
          case 0: text[at] = likelyByte(random); break;
          case 1: text.erase(at, 1 + random() % 4); break;
          default: text.insert(at, 1, likelyByte(random)); break;
        }
      }
    } else {
      for (std::size_t n = random() % 40; n > 0; --n) text += likelyByte(random);
    }
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    const ReadColor read = readColorText(block, text.size(), pattern.text);
    const bool known = read.status == ReadColor::ok || read.status == ReadColor::noColor ||
                       read.status == ReadColor::transparent;
    if (!known || (mustRead && read.status != ReadColor::ok)) {
      ++failures;
      std::fprintf(stderr, "round %d: \"%s\" read as status %d\n", round, text.c_str(), static_cast<int>(read.status));
    }
    const std::size_t size = 1 + random() % 80;
    char* out = new char[size];
    describeUnreadable(block, text.size(), out, size);
    const char* end = static_cast<const char*>(std::memchr(out, '\0', size));
    bool shown = end != nullptr && end - out <= 60;
    for (const char* c = out; shown && c < end; ++c) shown = static_cast<unsigned char>(*c) >= 0x20 && *c != 0x7F;
    if (!shown) {
      ++failures;
      std::fprintf(stderr, "round %d: the description of \"%s\" in %zu bytes is not a short line\n", round,
                   text.c_str(), size);
    }
    delete[] out;
    delete[] block;
  }
  std::printf("%d rounds, %d failures\n", kRounds, failures);
  return failures == 0 ? 0 : 1;
}
