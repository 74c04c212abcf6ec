#include "settings/settings_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "export/notation.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

int notationIndexOf(const char* text) {
  for (int i = 0; i < kNotationCount; ++i)
    if (std::strcmp(text, kNotations[i].registryName) == 0) return i;
  return -1;
}

const char* notationNameOf(int index) {
  return index >= 0 && index < kNotationCount ? kNotations[index].registryName : "";
}

int flagOfText(const char* text) {
  if (std::strcmp(text, "true") == 0) return 1;
  if (std::strcmp(text, "false") == 0) return 0;
  return -1;
}

const char* flagText(bool flag) { return flag ? "true" : "false"; }

int leadingInteger(const char* text) {
  while (isBlank(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  std::uint32_t n = 0;  // unsigned, so that long digit runs wrap instead of overflowing
  for (; *text >= '0' && *text <= '9'; ++text) n = n * 10u + static_cast<std::uint32_t>(*text - '0');
  if (negative) n = 0u - n;
  std::int32_t value;
  std::memcpy(&value, &n, sizeof value);
  return value;
}

void integerText(int value, char out[12]) { std::snprintf(out, 12, "%d", value); }

bool faceNameUsable(const char* text) {
  if (!*text) return false;
  for (; *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

std::size_t takeText(const char* bytes, std::size_t size, char* out, std::size_t room) {
  std::size_t n = listTextLength(bytes, size);
  if (n > room - 1) n = room - 1;
  if (n > 0) std::memcpy(out, bytes, n);
  out[n] = '\0';
  return n;
}

std::size_t listTextLength(const char* data, std::size_t size) {
  if (size == 0) return 0;
  const void* zero = std::memchr(data, '\0', size);
  return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : size;
}

bool nextTemplateEntry(const char* data, std::size_t length, std::size_t* pos, char entry[kTemplateEntryMax + 1]) {
  while (*pos < length) {
    std::size_t n = 0;
    while (n < kTemplateEntryMax && *pos + n < length && data[*pos + n] != kEntryEnd) ++n;
    std::memcpy(entry, data + *pos, n);
    entry[n] = '\0';
    *pos += n + 1;  // past the end byte, or past the one character a too-long run loses
    if (n > 0) return true;
  }
  return false;
}

void beginTemplateList(PackedList* list) {
  list->used = 0;
  list->data[0] = '\0';
}

bool addTemplateEntry(PackedList* list, const char* entry) {
  const std::size_t n = std::strlen(entry);
  if (n == 0 || std::memchr(entry, kEntryEnd, n)) return false;
  if (list->used + n + 2 > list->room) return false;
  std::memcpy(list->data + list->used, entry, n);
  list->used += n;
  list->data[list->used++] = kEntryEnd;
  list->data[list->used] = '\0';
  return true;
}
