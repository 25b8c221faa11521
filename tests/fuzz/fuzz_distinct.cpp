// libFuzzer target: the distinct solver and its reading of numbers.
//
// The fuzz input holds a target and then the numbers of a hand, separated by
// '\n'; a '\\' takes the byte after it as it stands. The hand holds at most
// five numbers (what follows the fifth is part of it), so that no input takes
// seconds: six or seven numbers can, even without the sanitizers.
//
// The sanitizers watch the reading and the arithmetic, in machine words and
// beyond. The solver must throw std::invalid_argument exactly when the hand is
// empty or it refuses a text, read each number the same as a hand and as a
// target, and never give a line twice. What the lines say is for the tests
// that hold the solver against the reference solver.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"

namespace {

constexpr std::size_t kMaxFuzzedNumbers = 5;

// libFuzzer keeps the input that failed; this says which rule it broke.
[[noreturn]] void fail(const char* rule, std::string_view detail) {
  std::fprintf(stderr, "\nthe distinct solver broke a rule: %s\n%.*s\n", rule,
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> texts(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\\' && i + 1 < size) {
      texts.back() += static_cast<char>(data[++i]);
    } else if (c == '\n' && texts.size() <= kMaxFuzzedNumbers) {
      texts.emplace_back();
    } else {
      texts.back() += c;
    }
  }
  const std::vector<std::string_view> hand(texts.begin() + 1, texts.end());
  const bool taken = !hand.empty() && std::ranges::all_of(texts, [](std::string_view text) {
    return vantrel::distinct::checkNumber(text) == vantrel::distinct::NumberProblem::kNone;
  });

  std::vector<std::string> lines;
  try {
    lines = vantrel::distinct::solve(hand, texts[0]);
  } catch (const std::invalid_argument&) {
    if (taken) fail("threw on a hand it takes", texts[0]);
    return 0;
  }
  if (!taken) fail("solved a hand it refuses", texts[0]);
  for (std::string_view number : hand) {
    if (vantrel::distinct::solve({&number, 1}, number).size() != 1) {
      fail("a number that does not make itself", number);
    }
  }
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    if (!seen.insert(line).second) fail("a line twice", line);
  }
  return 0;
}
