// Random stored lists, number texts and colour histories through the settings text rules, under the sanitizers.
// Every buffer is allocated at exactly its size, so a read past its end stops the run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "history/history.h"
#include "settings/settings_text.h"

namespace {

std::uint64_t state = 0x7A6B5C4D3E2F1001ull;

std::uint32_t next() {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return static_cast<std::uint32_t>(state >> 11);
}

int failures = 0;

void fail(const char* what, int round) {
  if (++failures <= 10) std::fprintf(stderr, "round %d: %s\n", round, what);
}

// Bytes that matter to the list format more often than the others.
char listByte() {
  switch (next() % 8) {
    case 0: return '\xFF';
    case 1: return '\0';
    case 2: return 'a';
    default: return static_cast<char>(next() & 0xFF);
  }
}

char* exactCopy(const std::string& bytes) {
  char* block = static_cast<char*>(std::malloc(bytes.size() ? bytes.size() : 1));
  if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
  return block;
}

// Any bytes: every entry must be a non-empty run of the list without end or zero bytes, at most
// 101 long, found where the scan stood, and the scan must move forward every time.
void randomList(int round) {
  std::string bytes;
  const std::size_t size = next() % 400;
  for (std::size_t i = 0; i < size; ++i) bytes += listByte();
  char* block = exactCopy(bytes);
  const std::size_t length = listTextLength(block, bytes.size());
  if (length > bytes.size() || (length < bytes.size() && block[length] != '\0')) fail("list length", round);
  std::size_t pos = 0;
  char entry[kTemplateEntryMax + 1];
  for (;;) {
    const std::size_t before = pos;
    if (!nextTemplateEntry(block, length, &pos, entry)) break;
    const std::size_t n = std::strlen(entry);
    if (n == 0 || n > kTemplateEntryMax) fail("entry length", round);
    if (std::memchr(entry, '\xFF', n)) fail("entry holds an end byte", round);
    if (pos <= before || pos > length + 1) fail("scan position", round);
    const std::size_t start = pos - n - 1;
    if (start < before || std::memcmp(block + start, entry, n) != 0) fail("entry is not the list's text", round);
  }
  std::free(block);
}

// Entries without end bytes pack and read back unchanged; entries with one are left out.
void packAndRead(int round) {
  std::vector<std::string> entries, kept;
  const int count = static_cast<int>(next() % 12);
  std::size_t room = 1;
  for (int i = 0; i < count; ++i) {
    std::string e;
    const std::size_t n = next() % (kTemplateEntryMax + 1);
    for (std::size_t j = 0; j < n; ++j) {
      char c = listByte();
      if (c == '\0') c = 'z';
      e += c;
    }
    room += e.size() + 1;
    entries.push_back(e);
    if (!e.empty() && e.find('\xFF') == std::string::npos) kept.push_back(e);
  }
  char* block = static_cast<char*>(std::malloc(room));
  PackedList list = {block, room, 0};
  beginTemplateList(&list);
  for (const std::string& e : entries) addTemplateEntry(&list, e.c_str());
  if (packedSize(list) > room || block[list.used] != '\0') fail("packed size", round);
  std::vector<std::string> read;
  std::size_t pos = 0;
  char entry[kTemplateEntryMax + 1];
  const std::size_t length = listTextLength(block, packedSize(list));
  while (nextTemplateEntry(block, length, &pos, entry)) read.push_back(entry);
  if (read != kept) fail("list does not read back", round);
  std::free(block);
}

// Any text parses without fault; a built number text gives the number it was built from.
void integers(int round) {
  std::string junk;
  const std::size_t size = next() % 40;
  for (std::size_t i = 0; i < size; ++i) {
    static const char kPool[] = " \t\r\n+-0123456789xX9\xFF";
    char c = kPool[next() % (sizeof kPool - 1)];
    if (next() % 5 == 0) c = static_cast<char>(next() % 255 + 1);
    junk += c;
  }
  char* text = exactCopy(junk + '\0');
  leadingInteger(text);
  std::free(text);

  const int value = static_cast<int>(next() ^ (next() << 16));
  char digits[12];
  integerText(value, digits);
  const std::string blanks(next() % 4, ' ');
  const std::string tail = next() % 2 ? "" : "x7";
  char* built = exactCopy(blanks + digits + tail + '\0');
  if (leadingInteger(built) != value) fail("number does not read back", round);
  std::free(built);
}

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Any text reads into at most twelve different colours; what is written reads back unchanged and clean,
// and a text that read clean is written back as it was, in capitals.
void histories(int round) {
  // Entries joined by commas: mostly six hexadecimal digits, now and then a colour of a few repeated
  // ones, or a few bytes of anything.
  static const char kHex[] = "0123456789ABCDEFabcdef";
  static const char kJunk[] = "0123456789abcdefG #,\xFF";
  std::string text;
  const int entries = static_cast<int>(next() % 16);
  for (int i = 0; i < entries; ++i) {
    if (i > 0) text += ',';
    const std::uint32_t kind = next() % 10;
    if (kind < 6) {
      for (int d = 0; d < 6; ++d) text += kHex[next() % (sizeof kHex - 1)];
    } else if (kind < 8) {
      text += "A0A0" + std::to_string(10 + next() % 4);
    } else {
      for (std::uint32_t n = next() % 9; n > 0; --n) text += kJunk[next() % (sizeof kJunk - 1)];
    }
  }
  char* block = exactCopy(text);
  ColorHistory h = {};
  const bool clean = readHistoryText(block, text.size(), &h);
  std::free(block);
  if (h.count < 0 || h.count > kHistoryMax) fail("history count", round);
  for (int i = 0; i < h.count; ++i)
    for (int j = 0; j < i; ++j)
      if (h.colors[i] == h.colors[j]) fail("a colour twice in the history", round);
  char written[kHistoryTextSize];
  historyText(h, written);
  if (clean && written != upper(text)) fail("a clean text is not written back as it was", round);
  ColorHistory back = {};
  if (!readHistoryText(written, std::strlen(written), &back) || back.count != h.count ||
      std::memcmp(back.colors, h.colors, sizeof h.colors[0] * h.count) != 0)
    fail("a written history does not read back", round);
}

}  // namespace

int main() {
  constexpr int kRounds = 20000;
  for (int round = 0; round < kRounds; ++round) {
    randomList(round);
    packAndRead(round);
    integers(round);
    histories(round);
  }
  std::printf("%d rounds, %d failures\n", kRounds, failures);
  return failures == 0 ? 0 : 1;
}
