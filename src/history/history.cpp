#include "history/history.h"

#include <cstdio>

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int indexOf(const ColorHistory& history, std::uint32_t colorRef) {
  for (int i = 0; i < history.count; ++i)
    if (history.colors[i] == colorRef) return i;
  return -1;
}

}  // namespace

bool rememberColor(ColorHistory* history, std::uint32_t colorRef) {
  int from = indexOf(*history, colorRef);
  if (from == 0) return false;
  if (from < 0) from = history->count < kHistoryMax ? history->count++ : kHistoryMax - 1;
  for (int i = from; i > 0; --i) history->colors[i] = history->colors[i - 1];
  history->colors[0] = colorRef;
  return true;
}

bool colorOfHexText(const char* text, std::size_t length, std::uint32_t* colorRef) {
  if (length != 6) return false;
  std::uint32_t rgb = 0;
  for (std::size_t i = 0; i < 6; ++i) {
    const int d = hexDigit(text[i]);
    if (d < 0) return false;
    rgb = rgb * 16u + static_cast<std::uint32_t>(d);
  }
  *colorRef = (rgb >> 16) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
  return true;
}

bool readHistoryText(const char* text, std::size_t length, ColorHistory* history) {
  history->count = 0;
  bool clean = true;
  std::size_t start = 0;
  while (length > 0 && start <= length) {
    std::size_t end = start;
    while (end < length && text[end] != ',') ++end;
    std::uint32_t c;
    if (!colorOfHexText(text + start, end - start, &c) || indexOf(*history, c) >= 0 ||
        history->count == kHistoryMax)
      clean = false;
    else
      history->colors[history->count++] = c;
    start = end + 1;
  }
  return clean;
}

void historyText(const ColorHistory& history, char out[kHistoryTextSize]) {
  std::size_t used = 0;
  out[0] = '\0';
  for (int i = 0; i < history.count && i < kHistoryMax; ++i) {
    const std::uint32_t c = history.colors[i];
    if (i > 0) out[used++] = ',';
    std::snprintf(out + used, kHistoryTextSize - used, "%02X%02X%02X", static_cast<unsigned>(c & 0xFF),
                  static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
    used += 6;
  }
}
