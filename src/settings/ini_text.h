// The text of Tintlet.ini, the portable mode's store of the same values the registry holds. No windows.h.
//
//   [Tintlet]
//   trans=85                      a number, decimal
//   hotchars=4F44515A             bytes, two hex digits each
//   customFormat="RGB(#r,#g,#b)"  a text in double quotes
//
// The reader does not know the kinds: it gives each value's text, unquoted when it was quoted, and the
// settings table, which knows what each value holds, reads it with parseDecimal or parseHexBytes.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

constexpr char kIniFileName[] = "Tintlet.ini";  // beside Tintlet.exe, it turns portable use on
constexpr char kIniSection[] = "Tintlet";
// The longest value kept, as the reader gives it (a hex value counts its digits). The template list
// and the history take a few KB; a longer value is dropped as unusable.
constexpr std::size_t kIniValueMax = 64 * 1024;
constexpr std::size_t kIniNameMax = 255;   // a longer name is no name of ours: its line is ignored
constexpr std::size_t kIniNameCount = 1024;  // different names kept; the lines of further names are ignored

struct IniValue {
  bool quoted;       // it was written in double quotes: a text, escapes undone; it never holds a zero byte
  std::string data;  // otherwise the text after `=` without the blanks around it
};

// The values of the [Tintlet] section of a file.
//
// Lines end in CR LF, LF or CR; a UTF-8 BOM at the start is skipped; blanks (space, tab) around
// names, values and section names are ignored. Lines starting with ';' or '#' are comments. Section
// names and value names are compared ignoring the case of ASCII letters, as the registry compares
// them. The section may appear more than once; other sections are ignored.
//
// The first line of a name whose value can be read wins; later lines of that name are ignored. A
// line whose value cannot be read (an unclosed quote, a bad escape, a zero byte in a quoted text,
// text after the closing quote, more than kIniValueMax bytes) counts as absent.
class IniFile {
 public:
  // Reads `size` bytes of file text, which need no zero byte at the end; earlier values are dropped.
  void parse(const char* text, std::size_t size);
  // The value of `name`, or null when the section has none.
  const IniValue* find(const char* name) const;
  std::size_t size() const { return values_.size(); }

 private:
  std::unordered_map<std::string, IniValue> values_;  // by the name with ASCII letters in lower case
};

// The number `text` holds: an optional sign and decimal digits, nothing else, within long long.
bool parseDecimal(const std::string& text, long long* n);
// The bytes `text` holds: an even count of hex digits of either case, nothing else; empty is no bytes.
bool parseHexBytes(const std::string& text, std::string* bytes);

// Values as the writer spells them.
std::string iniNumber(long long n);
// In double quotes; '"' and '\' escaped with '\', bytes below 0x20 and 0x7F as \xHH. Bytes of 0x80
// and above stay as they are: texts are in the ANSI code page.
std::string iniText(const char* text);
// Two upper-case hex digits a byte.
std::string iniBytes(const void* bytes, std::size_t size);

// The whole file: the section line, then one `name=value` line for each pair, in their order, every
// line ending in CR LF. Names are the settings table's, which need no quoting.
std::string iniDocument(const std::vector<std::pair<std::string, std::string>>& lines);
