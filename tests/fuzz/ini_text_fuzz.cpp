// A Tintlet.ini of any bytes: what the reader keeps stays within its limits, and values written by the
// writer read back exactly, whatever bytes they hold.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz.h"
#include "settings/ini_text.h"

namespace {

constexpr const char* kNames[] = {"platform", "trans", "customFormat", "combo", "history", "hotchars", "nudgekey"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  IniFile file;
  file.parse(text, size);
  for (const char* name : kNames) {
    const IniValue* v = file.find(name);
    if (!v) continue;
    require(v->data.size() <= kIniValueMax);
    if (v->quoted) require(v->data.find('\0') == std::string::npos);
    long long n;
    long long again;
    if (parseDecimal(v->data, &n)) require(parseDecimal(iniNumber(n), &again) && again == n);
    std::string bytes;
    if (parseHexBytes(v->data, &bytes)) require(bytes.size() * 2 == v->data.size());
  }

  // The same bytes as a text (up to the first zero), as binary and as a number, written and read back.
  const std::string asText(text, strnlen(text, size));
  const std::string asBytes(text, size);
  long long number = 0;
  std::memcpy(&number, data, size < sizeof number ? size : sizeof number);
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"customFormat", iniText(asText.c_str())}, {"hotchars", iniBytes(asBytes.data(), asBytes.size())},
      {"trans", iniNumber(number)}};
  IniFile back;
  const std::string document = iniDocument(lines);
  back.parse(document.data(), document.size());
  const IniValue* t = back.find("customformat");
  if (asText.size() <= kIniValueMax) {
    require(t && t->quoted && t->data == asText);
  }
  const IniValue* b = back.find("HOTCHARS");
  std::string bytes;
  if (2 * asBytes.size() <= kIniValueMax) require(b && !b->quoted && parseHexBytes(b->data, &bytes) && bytes == asBytes);
  const IniValue* n = back.find("trans");
  long long read = 0;
  require(n && parseDecimal(n->data, &read) && read == number);
  return 0;
}
