// The solve command as the web page calls it from JavaScript.
//
// WebAssembly arithmetic is IEEE 754 with round to nearest, ties to even, and
// never traps: the state the desktop program sets up at start-up is the only
// state there is, so nothing needs setting here.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "solver/solve.h"

// Takes the four texts of the boxes (UTF-8) and gives a new block, which the
// caller releases with free(): the length of the text that follows, as a
// 32-bit number, then the text: "1" when a text was empty, else "0", and each
// line of the result list followed by '\n' (no line holds one). With the
// length the caller decodes the text at once, without looking for its end.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_solve(const char* a, const char* b, const char* c,
                                                    const char* d) {
  const vantrel::SolveResult result = vantrel::solve({a, b, c, d});
  std::size_t length = 1;
  for (const std::string& line : result.lines) length += line.size() + 1;
  const auto size = static_cast<std::uint32_t>(length);
  auto* block = static_cast<char*>(std::malloc(sizeof size + length));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &size, sizeof size);
  char* out = block + sizeof size;
  *out++ = result.inputMissing ? '1' : '0';
  for (const std::string& line : result.lines) {
    std::memcpy(out, line.data(), line.size());
    out += line.size();
    *out++ = '\n';
  }
  return block;
}
