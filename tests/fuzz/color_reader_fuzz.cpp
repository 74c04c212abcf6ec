// Clipboard text of any bytes through the colour reader: it never reads past the text, a colour it reads
// is written by the exact notations and read back as the same colour, and the message's description of
// the text is one short printable line.
#include <cstring>
#include <vector>

#include "box/box_geometry.h"
#include "export/color_reader.h"
#include "export/notation.h"
#include "fuzz.h"

namespace {

// The first byte picks the user's template; the rest is the clipboard text.
constexpr const char* kTemplates[] = {"RGB(#r,#g,#b)", "$r$g$b", "#b;$g;#r", "", "#r#r"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputBytes input{data, size};
  const char* customTemplate = kTemplates[input.take() % (sizeof kTemplates / sizeof kTemplates[0])];
  const std::vector<char> text(input.data, input.data + input.size);  // exactly its length, no zero after it
  const ReadColor read = readColorText(text.data(), text.size(), customTemplate);
  require(read.status == ReadColor::ok || read.status == ReadColor::noColor || read.status == ReadColor::transparent);
  if (read.status == ReadColor::ok) {
    char hex[7], dec[12], out[kClipboardTextSize];
    composeColorTexts(static_cast<std::uint32_t>(read.r | read.g << 8 | read.b << 16), hex, dec);
    for (int n : {0, 1, 2, 3, 4, 5, 7, 10}) {  // the notations that hold all 24 bits
      composeNotationText(n, hex, dec, customTemplate, out, sizeof out);
      const ReadColor back = readColorText(out, std::strlen(out), customTemplate);
      require(back.status == ReadColor::ok && back.r == read.r && back.g == read.g && back.b == read.b);
    }
  }
  std::vector<char> shown(1 + text.size() % 80);
  describeUnreadable(text.data(), text.size(), shown.data(), shown.size());
  const char* end = static_cast<const char*>(std::memchr(shown.data(), '\0', shown.size()));
  require(end != nullptr && end - shown.data() <= 60);
  for (const char* c = shown.data(); c < end; ++c) require(static_cast<unsigned char>(*c) >= 0x20 && *c != 0x7F);
  return 0;
}
