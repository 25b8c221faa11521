// The solve command as the web page calls it from JavaScript.
//
// WebAssembly arithmetic is IEEE 754 with round to nearest, ties to even, and
// never traps: the state the desktop program sets up at start-up is the only
// state there is, so nothing needs setting here.

#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "solver/solve.h"

// Takes the four texts of the boxes (UTF-8) and gives a new text, which the
// caller releases with free(): "1" when a text was empty, else "0", and then
// each line of the result list followed by '\n'. No line holds a '\n'.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_solve(const char* a, const char* b, const char* c,
                                                    const char* d) {
  const vantrel::SolveResult result = vantrel::solve({a, b, c, d});
  std::string text = result.inputMissing ? "1" : "0";
  for (const std::string& line : result.lines) {
    text += line;
    text += '\n';
  }
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}
