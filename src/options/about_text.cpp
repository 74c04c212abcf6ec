#include "options/about_text.h"

#include <cstring>
#include <initializer_list>

#include "app/names.h"

namespace {

void append(char* out, std::size_t size, const char* piece) {
  const std::size_t used = std::strlen(out);
  if (used + 1 >= size) return;
  std::strncat(out, piece, size - used - 1);
}

void appendAll(char* out, std::size_t size, std::initializer_list<const char*> pieces) {
  if (size == 0) return;
  out[0] = '\0';
  for (const char* piece : pieces) append(out, size, piece);
}

// "name version", or only the name when the build could not read the version: never a made-up number.
void appendNamed(char* out, std::size_t size, const char* name, const char* version) {
  append(out, size, name);
  if (version && version[0]) {
    append(out, size, " ");
    append(out, size, version);
  }
}

}  // namespace

const char* linkAddress(int commandId) {
  switch (commandId) {
    case kMakerLinkId: return kMakerAddress;
    case kToolLinkId: return kToolAddress;
    default: return nullptr;
  }
}

void composeAboutLines(char* out, std::size_t size) {
  appendAll(out, size, {kProgramTitle, "\r", "freeware", "\r", "2005", "\r", "\r", "programming:", "\r", kTeamName,
                        "\r", "\r", "testing,documentation:", "\r", kTeamName});
}

void composeToolName(const char* compilerVersion, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  appendNamed(out, size, "MinGW-w64 GCC", compilerVersion);
}

void composeCreditLines(const char* linkerVersion, const char* resourceCompilerVersion, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  appendNamed(out, size, "GNU ld", linkerVersion);
  append(out, size, " (linker)\r");
  appendNamed(out, size, "GNU windres", resourceCompilerVersion);
  append(out, size, " (resources)\r");
  append(out, size, "of GNU Binutils; no packer");
}

int streamPiece(const char* data, std::uint32_t size, std::uint32_t* offset, unsigned char* dest, long requested,
                long* delivered) {
  *delivered = 0;
  if (!data) return 1;
  // A negative request would pass an unsigned comparison as a huge one and overrun the reader's buffer.
  if (requested <= 0 || *offset >= size) return 0;
  const std::uint32_t left = size - *offset;
  const std::uint32_t n = static_cast<unsigned long>(requested) < left ? static_cast<std::uint32_t>(requested) : left;
  std::memcpy(dest, data + *offset, n);
  *offset += n;
  *delivered = static_cast<long>(n);
  return 0;
}
