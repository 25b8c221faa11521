// The two engines as the web page calls them from JavaScript: the solve
// command of the window, and every distinct solution for any target.
//
// WebAssembly arithmetic is IEEE 754 with round to nearest, ties to even, and
// never traps: the state the desktop program sets up at start-up is the only
// state there is, so nothing needs setting here.

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"
#include "solver/solve.h"
#include "web/block.h"

using vantrel::web::makeBlock;

// Takes the four texts of the boxes (UTF-8) and gives a block (web/block.h) whose
// head is '1' when a text was empty, else '0', and whose lines are those of
// the result list.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_solve(const char* a, const char* b, const char* c,
                                                    const char* d) {
  const vantrel::SolveResult result = vantrel::solve({a, b, c, d});
  return makeBlock(result.inputMissing ? '1' : '0', result.lines);
}

// What keeps text from being a number of a hand or a target: a
// vantrel::distinct::NumberProblem, 0 when nothing does.
extern "C" EMSCRIPTEN_KEEPALIVE int vantrel_check_number(const char* text) {
  return static_cast<int>(vantrel::distinct::checkNumber(text));
}

// The most digits a number may have before and after its decimal point, or
// above and below a fraction's slash.
extern "C" EMSCRIPTEN_KEEPALIVE int vantrel_max_digits() {
  return static_cast<int>(vantrel::distinct::kMaxDigits);
}

// Every distinct solution for target from numbers, the hand's texts each
// followed by '\n'. Gives a block with the head '0' and the
// solutions' lines, without the summary; or, when the hand is not one the
// engine takes (which the page checks beforehand), the head '!' and no lines.
extern "C" EMSCRIPTEN_KEEPALIVE char* vantrel_solve_distinct(const char* numbers,
                                                             const char* target) {
  namespace distinct = vantrel::distinct;
  std::vector<std::string_view> hand;
  for (std::string_view rest = numbers; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) return makeBlock('!', {});
    hand.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  // The engine throws on what it does not take, and a throw here would end
  // the module: nothing reaches it unchecked.
  bool valid = !hand.empty() && hand.size() <= distinct::kMaxNumbers &&
               distinct::checkNumber(target) == distinct::NumberProblem::kNone;
  for (std::string_view number : hand) {
    valid = valid && distinct::checkNumber(number) == distinct::NumberProblem::kNone;
  }
  if (!valid) return makeBlock('!', {});
  return makeBlock('0', distinct::solve(hand, target));
}
