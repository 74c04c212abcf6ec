// What every fuzz target shares. A target is one file, <name>_fuzz.cpp, defining LLVMFuzzerTestOneInput,
// with its seeds in corpus/<name>/; libFuzzer drives it (make fuzz) and replay_main.cpp runs it over
// its seeds (make test).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// A broken promise stops the run like a fault the sanitizers find: libFuzzer keeps the input as a
// finding, and the replay fails.
[[noreturn]] inline void fuzzCheckFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
  std::abort();
}
#define require(cond) ((cond) ? static_cast<void>(0) : fuzzCheckFailed(#cond, __FILE__, __LINE__))

// The input taken a byte at a time; past its end every byte is 0.
struct InputBytes {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t take() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
};
