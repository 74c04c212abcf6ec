#include "settings/ini_text.h"

#include <climits>
#include <cstring>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

const char* skipBlanks(const char* p, const char* end) {
  while (p < end && isBlank(*p)) ++p;
  return p;
}

const char* trimBlanks(const char* begin, const char* end) {
  while (end > begin && isBlank(end[-1])) --end;
  return end;
}

// The text between a section line's brackets names [Tintlet].
bool isOurSection(const char* begin, const char* end) {
  begin = skipBlanks(begin, end);
  end = trimBlanks(begin, end);
  if (static_cast<std::size_t>(end - begin) != std::strlen(kIniSection)) return false;
  for (std::size_t i = 0; begin + i < end; ++i)
    if (lowerAscii(begin[i]) != lowerAscii(kIniSection[i])) return false;
  return true;
}

// The text of a quoted value from its opening quote on, escapes undone, into *out. Only blanks may
// follow the closing quote.
bool unquote(const char* p, const char* end, std::string* out) {
  out->clear();
  for (++p; p < end;) {
    char c = *p++;
    if (c == '"') return skipBlanks(p, end) == end;
    if (c == '\\') {
      if (p == end) return false;
      const char e = *p++;
      if (e == 'x') {
        if (end - p < 2) return false;
        const int high = hexDigit(p[0]), low = hexDigit(p[1]);
        if (high < 0 || low < 0) return false;
        c = static_cast<char>(high * 16 + low);
        p += 2;
      } else if (e == '"' || e == '\\') {
        c = e;
      } else {
        return false;
      }
    }
    // The program's texts are zero-terminated: a zero byte would cut them where the file did not.
    if (c == '\0' || out->size() == kIniValueMax) return false;
    out->push_back(c);
  }
  return false;
}

bool readValue(const char* p, const char* end, IniValue* value) {
  p = skipBlanks(p, end);
  value->quoted = p < end && *p == '"';
  if (value->quoted) return unquote(p, end, &value->data);
  end = trimBlanks(p, end);
  if (static_cast<std::size_t>(end - p) > kIniValueMax) return false;
  value->data.assign(p, end);
  return true;
}

}  // namespace

void IniFile::parse(const char* text, std::size_t size) {
  values_.clear();
  const char* p = text;
  const char* const end = text + size;
  if (size >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;
  bool inSection = false;
  std::string key;
  IniValue value;
  while (p < end) {
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
    const char* const line = skipBlanks(p, lineEnd);
    p = lineEnd;
    if (p < end && *p == '\r') ++p;
    if (p < end && *p == '\n') ++p;

    if (line == lineEnd || *line == ';' || *line == '#') continue;
    if (*line == '[') {
      // Any other line starting with '[' ends the section too.
      const char* last = trimBlanks(line, lineEnd) - 1;
      inSection = last > line && *last == ']' && isOurSection(line + 1, last);
      continue;
    }
    if (!inSection) continue;
    const char* equals = static_cast<const char*>(std::memchr(line, '=', static_cast<std::size_t>(lineEnd - line)));
    if (!equals) continue;
    const char* nameEnd = trimBlanks(line, equals);
    const std::size_t nameSize = static_cast<std::size_t>(nameEnd - line);
    if (nameSize == 0 || nameSize > kIniNameMax) continue;
    key.assign(line, nameEnd);
    for (char& c : key) c = lowerAscii(c);
    if (values_.size() == kIniNameCount || values_.count(key)) continue;
    if (readValue(equals + 1, lineEnd, &value)) values_.emplace(key, std::move(value));
  }
}

const IniValue* IniFile::find(const char* name) const {
  std::string key(name);
  for (char& c : key) c = lowerAscii(c);
  const auto found = values_.find(key);
  return found == values_.end() ? nullptr : &found->second;
}

bool parseDecimal(const std::string& text, long long* n) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  if (i == text.size()) return false;
  // Gathered as a negative number, whose range holds the positive one's and LLONG_MIN too.
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    const int digit = text[i] - '0';
    if (value < (LLONG_MIN + digit) / 10) return false;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == LLONG_MIN) return false;
    value = -value;
  }
  *n = value;
  return true;
}

bool parseHexBytes(const std::string& text, std::string* bytes) {
  if (text.size() % 2) return false;
  std::string out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<char>(high * 16 + low));
  }
  *bytes = std::move(out);
  return true;
}

std::string iniNumber(long long n) { return std::to_string(n); }

std::string iniText(const char* text) {
  std::string out = "\"";
  for (; *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  return out;
}

std::string iniBytes(const void* bytes, std::size_t size) {
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  std::string out;
  out.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out += kHexDigits[b[i] >> 4];
    out += kHexDigits[b[i] & 15];
  }
  return out;
}

std::string iniDocument(const std::vector<std::pair<std::string, std::string>>& lines) {
  std::string out = std::string("[") + kIniSection + "]\r\n";
  for (const auto& line : lines) out += line.first + "=" + line.second + "\r\n";
  return out;
}
