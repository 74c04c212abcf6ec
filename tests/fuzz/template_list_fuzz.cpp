// A stored template list of any bytes: read, written, and read again. Every entry read is a run of the
// stored text between end bytes, none is lost but for one equal to an earlier entry, and the written
// list reads back the same.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "fuzz.h"
#include "settings/settings_text.h"
#include "settings/template_list.h"

namespace {

// A case-blind order such as the list box's.
int caseBlind(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int x = std::tolower(static_cast<unsigned char>(*a)), y = std::tolower(static_cast<unsigned char>(*b));
    if (x != y || !x) return x - y;
  }
}

// The entry scan itself: each entry is the stored text where the scan stood, and the scan moves on. The
// list holds every entry scanned, in the first spelling the scan met.
void checkScan(const char* bytes, std::size_t length, const TemplateList& list) {
  std::size_t pos = 0;
  char entry[kTemplateEntryMax + 1];
  TemplateList met(caseBlind);
  for (;;) {
    const std::size_t before = pos;
    if (!nextTemplateEntry(bytes, length, &pos, entry)) break;
    const std::size_t n = std::strlen(entry);
    require(n > 0 && n <= kTemplateEntryMax);
    require(pos > before && pos <= length + 1);
    require(pos - n - 1 >= before && std::memcmp(bytes + pos - n - 1, entry, n) == 0);
    const int at = list.find(entry);
    require(at >= 0);
    if (met.add(entry) >= 0) require(list[static_cast<std::size_t>(at)] == entry);
  }
  require(pos >= length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const std::size_t length = listTextLength(bytes, size);
  TemplateList list(caseBlind);
  list.addStored(bytes, size);

  std::size_t storedSize = 1;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& e = list[i];
    require(!e.empty() && e.size() <= kTemplateEntryMax);
    require(e.find(kEntryEnd) == std::string::npos && e.find('\0') == std::string::npos);
    require(std::search(bytes, bytes + length, e.begin(), e.end()) != bytes + length);
    if (i > 0) require(caseBlind(list[i - 1].c_str(), e.c_str()) < 0);
    storedSize += e.size() + 1;
  }
  checkScan(bytes, length, list);

  const std::string stored = list.stored();
  require(stored.size() == storedSize && stored.back() == '\0');
  TemplateList again(caseBlind);
  again.addStored(stored.data(), stored.size());
  require(again.entries() == list.entries());
  require(again.stored() == stored);
  return 0;
}
