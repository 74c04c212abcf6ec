// Arbitrary templates of 0 to 99 bytes, expanded for random colours in buffers of random size, some
// too small to hold even the template's zero. Each buffer is a heap block of exactly its size, so
// AddressSanitizer stops at any read or write past it; no text may exceed 148 characters.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "box/box_geometry.h"
#include "export/notation.h"

namespace {

constexpr int kRounds = 200000;

// Template bytes biased toward the token characters, so tokens and near-tokens are common.
char templateByte(std::mt19937& random) {
  static const char kTokenish[] = "#$rgbRGB@";
  if (random() % 2) return kTokenish[random() % (sizeof kTokenish - 1)];
  return static_cast<char>(random() % 255 + 1);
}

}  // namespace

int main() {
  std::mt19937 random(20261210);
  int failures = 0;
  for (int round = 0; round < kRounds && failures < 10; ++round) {
    const std::size_t length = random() % 100;
    const std::size_t size = round % 2 ? kClipboardTextSize : 1 + random() % kClipboardTextSize;
    char templateText[100];
    for (std::size_t i = 0; i < length; ++i) templateText[i] = templateByte(random);
    templateText[length] = '\0';
    char* buffer = new char[size];
    std::memcpy(buffer, templateText, std::min(length + 1, size));  // unterminated when it does not fit

    char hex[7], dec[12];
    composeColorTexts(random() & 0xFFFFFF, hex, dec);
    expandCustomFormat(buffer, size, hex, dec);

    const char* end = static_cast<const char*>(std::memchr(buffer, '\0', size));
    const std::size_t written = end ? static_cast<std::size_t>(end - buffer) : size;
    bool ok = end != nullptr && written <= kLongestCustomText;
    if (ok && size == kClipboardTextSize) {
      // Nothing is cut in the full block: each token letter gives at least one character, every
      // other byte gives itself.
      const std::size_t marks = std::count(templateText, templateText + length, '#') +
                                std::count(templateText, templateText + length, '$');
      if (written < length - marks) ok = false;
    }
    if (!ok) {
      ++failures;
      std::fprintf(stderr, "round %d: template of %zu bytes in %zu bytes gave %zu characters%s\n", round, length,
                   size, written, end ? "" : " and no zero");
    }
    delete[] buffer;
  }
  std::printf("%d rounds, %d failures\n", kRounds, failures);
  return failures == 0 ? 0 : 1;
}
