// A stored colour history of any bytes, read as the store reads it (up to its first zero byte), written,
// and read again.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz.h"
#include "history/history.h"
#include "settings/settings_text.h"

namespace {

char upper(char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const std::size_t length = listTextLength(text, size);
  ColorHistory h;
  std::memset(&h, 0xA5, sizeof h);  // what the member held before must not matter
  const bool clean = readHistoryText(text, length, &h);

  require(h.count >= 0 && h.count <= kHistoryMax);
  for (int i = 0; i < h.count; ++i) {
    require(h.colors[i] <= 0xFFFFFFu);
    for (int j = 0; j < i; ++j) require(h.colors[i] != h.colors[j]);
  }
  // A first entry of six hexadecimal digits is always kept, first.
  const char* comma = static_cast<const char*>(std::memchr(text, ',', length));
  const std::size_t firstLength = comma ? static_cast<std::size_t>(comma - text) : length;
  std::uint32_t first;
  if (colorOfHexText(text, firstLength, &first)) require(h.count > 0 && h.colors[0] == first);

  std::vector<char> written(kHistoryTextSize);  // exactly the room, so a write past it is caught
  historyText(h, written.data());
  const std::size_t n = strnlen(written.data(), written.size());
  require(n < written.size());
  require(n == (h.count > 0 ? 7 * static_cast<std::size_t>(h.count) - 1 : 0));
  if (clean) {
    require(n == length);
    for (std::size_t i = 0; i < n; ++i) require(written[i] == upper(text[i]));
  }
  ColorHistory back;
  require(readHistoryText(written.data(), n, &back));
  require(back.count == h.count && std::memcmp(back.colors, h.colors, sizeof h.colors[0] * h.count) == 0);
  return 0;
}
