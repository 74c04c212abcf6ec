// The copy's text in every notation, for any template and any colour, into buffers of any size. Each
// buffer is a heap block of exactly its size, so a write past it is caught; every text is zero-terminated
// within its buffer, at most 148 characters long, and a buffer too small gets the full text cut, not
// another text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/names.h"
#include "box/box_geometry.h"
#include "export/notation.h"
#include "fuzz.h"

namespace {

// The text in `out`, which must end within it.
std::string textIn(const std::vector<char>& out) {
  const char* end = static_cast<const char*>(std::memchr(out.data(), '\0', out.size()));
  require(end != nullptr);
  return std::string(out.data(), end);
}

bool hasToken(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if ((text[i] == '#' || text[i] == '$') && (text[i + 1] == 'r' || text[i + 1] == 'g' || text[i + 1] == 'b'))
      return true;
  return false;
}

// The template expanded in place, in a buffer of `size` bytes that holds as much of it as fits.
std::string expanded(const std::string& templateText, std::size_t size, const char* hexText, const char* decText) {
  std::vector<char> buffer(size);
  std::memcpy(buffer.data(), templateText.c_str(), std::min(templateText.size() + 1, size));
  expandCustomFormat(buffer.data(), size, hexText, decText);
  return textIn(buffer);
}

std::string composed(int notation, std::size_t size, const char* hexText, const char* decText,
                     const std::string& templateText) {
  std::vector<char> out(size);
  composeNotationText(notation, hexText, decText, templateText.c_str(), out.data(), size);
  return textIn(out);
}

}  // namespace

// Input: red, green, blue, the buffer size, 1 when no colour is shown yet, then the template.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputBytes in = {data, size};
  const std::uint32_t red = in.take(), green = in.take(), blue = in.take();
  const std::uint32_t colorRef = red | green << 8 | blue << 16;
  const std::size_t room = 1 + in.take() % kClipboardTextSize;
  const bool noColor = in.take() == 1;
  const std::string templateText(reinterpret_cast<const char*>(in.data),
                                 strnlen(reinterpret_cast<const char*>(in.data), in.size));

  char hexText[7] = "", decText[12] = "";
  if (!noColor) composeColorTexts(colorRef, hexText, decText);
  const std::string used = templateText.substr(0, kTemplateSize - 1);  // the field's characters

  const std::string full = expanded(templateText, kClipboardTextSize, hexText, decText);
  require(full.size() <= kLongestCustomText);
  if (!hasToken(used)) require(full == used);
  const std::string cut = expanded(templateText, room, hexText, decText);
  require(cut.size() < room && cut.size() <= kLongestCustomText);
  if (room > used.size()) require(full.compare(0, cut.size(), cut) == 0 && cut.size() == std::min(full.size(), room - 1));

  for (int n = 0; n < kNotationCount; ++n) {
    const std::string whole = composed(n, kClipboardTextSize, hexText, decText, templateText);
    require(whole.size() <= kLongestCustomText);
    if (n == kCustomNotation) require(whole == full);
    else if (noColor && n > kCustomNotation) require(whole.empty());  // written from the components alone
    const std::string part = composed(n, room, hexText, decText, templateText);
    require(part.size() < room);
    if (n != kCustomNotation || room > used.size())
      require(whole.compare(0, part.size(), part) == 0 && part.size() == std::min(whole.size(), room - 1));
  }
  require(composed(kNotationCount, room, hexText, decText, templateText).empty());
  require(composed(-1, room, hexText, decText, templateText).empty());
  return 0;
}
