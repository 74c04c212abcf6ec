// One stored value of any bytes through every text reader of the store: the text taken from it, and that
// text read as a number, a flag, a notation name and a face name.
#include <cerrno>
#include <cstring>
#include <vector>

#include "app/names.h"
#include "export/notation.h"
#include "fuzz.h"
#include "settings/settings_text.h"

namespace {

constexpr std::size_t kFaceNameSize = 32;  // LF_FACESIZE

// The number values and the default each unusable one is replaced by.
struct NumberValue {
  IntRange range;
  int fallback;
};
constexpr NumberValue kNumberValues[] = {
    {kFontHeightRange, kDefaultFontHeight}, {kFontWidthRange, 0},
    {kFontWeightRange, kDefaultFontWeight}, {kColorRange, static_cast<int>(kDefaultTextColor)},
    {kColorRange, static_cast<int>(kDefaultBaseColor)},
};

// The text the store reads a value as: up to its first zero byte, cut to what one query returns.
void checkTakenText(const char* bytes, std::size_t size, std::vector<char>& text) {
  const std::size_t length = listTextLength(bytes, size);
  require(length <= size);
  require(std::memchr(bytes, '\0', length) == nullptr);
  require(length == size || bytes[length] == '\0');

  const std::size_t taken = takeText(bytes, size, text.data(), text.size());
  require(taken == (length < text.size() - 1 ? length : text.size() - 1));
  require(std::strlen(text.data()) == taken);
  require(std::memcmp(text.data(), bytes, taken) == 0);

  char zeroOnly[1];
  require(takeText(bytes, size, zeroOnly, sizeof zeroOnly) == 0 && zeroOnly[0] == '\0');
}

void checkNumber(const char* text) {
  const int n = leadingInteger(text);
  // The C library's reading agrees, modulo 2^32, wherever it can read the number exactly.
  errno = 0;
  const long long wide = std::strtoll(text, nullptr, 10);
  if (errno == 0) require(n == static_cast<int>(static_cast<std::uint32_t>(wide)));

  char written[12];
  integerText(n, written);
  require(leadingInteger(written) == n);
  for (const NumberValue& v : kNumberValues) {
    const int used = inRange(v.range, n) ? n : v.fallback;
    require(inRange(v.range, used));
  }
}

void checkFlag(const char* text) {
  const int flag = flagOfText(text);
  require(flag >= -1 && flag <= 1);
  if (flag >= 0) require(std::strcmp(flagText(flag == 1), text) == 0);
  else require(std::strcmp(text, flagText(true)) != 0 && std::strcmp(text, flagText(false)) != 0);
}

void checkNotation(const char* text) {
  const int index = notationIndexOf(text);
  require(index >= -1 && index < kNotationCount);
  if (index >= 0) require(std::strcmp(notationNameOf(index), text) == 0);
  for (int i = 0; i < kNotationCount; ++i)
    if (i != index) require(std::strcmp(notationNameOf(i), text) != 0);
}

void checkFaceName(const char* text) {
  bool control = false;
  for (const char* c = text; *c; ++c)
    control |= static_cast<unsigned char>(*c) < 0x20 || *c == '\x7F';
  const bool usable = faceNameUsable(text);
  require(usable == (text[0] != '\0' && !control));
  if (!usable) return;
  // Cut to the font's field, a usable name stays usable.
  std::vector<char> face(kFaceNameSize);
  takeText(text, std::strlen(text) + 1, face.data(), face.size());
  require(faceNameUsable(face.data()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  std::vector<char> text(kValueLimit + 1);  // exactly the store's room, so a write past it is caught
  checkTakenText(bytes, size, text);
  checkNumber(text.data());
  checkFlag(text.data());
  checkNotation(text.data());
  checkFaceName(text.data());
  return 0;
}
