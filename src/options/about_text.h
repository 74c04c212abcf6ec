// The About page's texts and web addresses, and the help document fed to its view in pieces.
#pragma once
#include <cstddef>
#include <cstdint>

// The maker has no web page yet: this address under the reserved .example domain is the one to set at release.
constexpr char kMakerAddress[] = "https://quillon.example/";
// The project page of the compiler that builds Tintlet; its label shows the compiler's name and version instead.
constexpr char kToolAddress[] = "https://www.mingw-w64.org/";
// Who wrote and who tested Tintlet.
constexpr char kTeamName[] = "Tintlet team";

constexpr int kMakerLinkId = 21;
constexpr int kToolLinkId = 22;

// The address the command of a link label opens; null for any other command id.
const char* linkAddress(int commandId);

// The About text: title, "freeware", year and the two name lines, broken by a single CR each.
// `out` is always zero-terminated, cut to `size`.
void composeAboutLines(char* out, std::size_t size);
// The development tool's name with the compiler's own version, which the build reads from the compiler.
void composeToolName(const char* compilerVersion, char* out, std::size_t size);
// The three lines beside "packed with:". No packer is used, so they name what does assemble the executable:
// the linker and the resource compiler, with the versions the build read from them.
void composeCreditLines(const char* linkerVersion, const char* resourceCompilerVersion, char* out, std::size_t size);

// The next piece of a document streamed into a control that asks for `requested` bytes at a time: copies what
// is asked for, but no more than is left after *offset, into `dest`, and advances *offset. Returns 0 to go on
// (a piece of 0 bytes ends the stream) or 1 when there is no document, which stops the reader at once.
int streamPiece(const char* data, std::uint32_t size, std::uint32_t* offset, unsigned char* dest, long requested,
                long* delivered);
