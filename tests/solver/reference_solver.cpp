#include "tests/solver/reference_solver.h"

#include <cmath>

#include "platform/number_text.h"
#include "solver/expression_templates.h"
#include "solver/formula.h"
#include "solver/solve.h"

namespace vantrel::testing {

// clang-format off
const std::array<ListedArrangement, 24> kListedArrangements = {{
    {"ABCD", ""},
    {"ABDC", "CD"},
    {"ACBD", "BC"},
    {"ACDB", "BC BD CD"},
    {"ADBC", "BC BD CD"},
    {"ADCB", "BD"},
    {"BACD", "AB"},
    {"BADC", "AB CD"},
    {"BCAD", "AB AC BC"},
    {"BCDA", "AB AD BC CD"},
    {"BDAC", "AB AC BD CD"},
    {"BDCA", "AB AD BD"},
    {"CABD", "AB AC BC"},
    {"CADB", "AB AC BD CD"},
    {"CBAD", "AC"},
    {"CBDA", "AC AD CD"},
    {"CDAB", "AC BD"},
    {"CDBA", "AC AD BC BD"},
    {"DABC", "AB AD BC CD"},
    {"DACB", "AB AD BD"},
    {"DBAC", "AC AD CD"},
    {"DBCA", "AD"},
    {"DCAB", "AC AD BC BD"},
    {"DCBA", "AD BC"},
}};
// clang-format on

namespace {

struct Compiled {
  formula::Program value;
  formula::Program guard;
  bool guarded;
};

const std::vector<Compiled>& compiledTemplates() {
  static const std::vector<Compiled> compiled = [] {
    std::vector<Compiled> all;
    for (const ExpressionTemplate& t : kTemplates) {
      all.push_back({formula::compile(t.value),
                     t.guard.empty() ? formula::Program{} : formula::compile(t.guard),
                     !t.guard.empty()});
    }
    return all;
  }();
  return compiled;
}

}  // namespace

std::vector<int> referenceMatches(const Slots& slots) {
  const formula::Operands x = {slots[0], slots[1], slots[2], slots[3]};
  std::vector<int> numbers;
  int number = 0;
  for (const Compiled& t : compiledTemplates()) {
    ++number;
    if (t.guarded) {
      const double group = formula::interpret(t.guard, x);
      if (!(std::fabs(group) > 1e-07)) continue;
    }
    const auto value = static_cast<float>(formula::interpret(t.value, x));
    if (std::fabs(static_cast<double>(value) - 24.0) <= 1e-07) numbers.push_back(number);
  }
  return numbers;
}

namespace {

bool anyListedPairDiffers(std::string_view pairs, const Slots& slots) {
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 3) {
    if (slots[static_cast<std::size_t>(pairs[i] - 'A')] !=
        slots[static_cast<std::size_t>(pairs[i + 1] - 'A')]) {
      return true;
    }
  }
  return false;
}

}  // namespace

RawLines referenceRawLines(const std::array<std::string_view, 4>& texts) {
  RawLines raw;
  Slots slots{};
  for (std::size_t k = 0; k < kListedArrangements.size(); ++k) {
    const ListedArrangement& arrangement = kListedArrangements[k];
    if (k > 0 && !anyListedPairDiffers(arrangement.pairs, slots)) continue;
    for (std::size_t input = 0; input < 4; ++input) {
      const auto slot = static_cast<std::size_t>(arrangement.slots[input] - 'A');
      slots[slot] = static_cast<float>(textToNumber(texts[input]));
    }
    raw.arrangements.push_back(static_cast<int>(k + 1));
    for (int number : referenceMatches(slots)) {
      const ExpressionTemplate& t = kTemplates[static_cast<std::size_t>(number - 1)];
      std::string line;
      for (char c : t.pattern) {
        if (c >= 'A' && c <= 'D') {
          line += numberToText(slots[static_cast<std::size_t>(c - 'A')]);
        } else {
          line += c;
        }
      }
      raw.lines.push_back(line);
    }
  }
  return raw;
}

void removeRepeatsQuadratic(std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (std::size_t j = i + 1; j < lines.size();) {
      if (lines[j] == lines[i]) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(j));
      } else {
        ++j;
      }
    }
  }
}

std::vector<std::string> referenceSolve(const std::array<std::string_view, 4>& texts) {
  for (std::string_view text : texts) {
    if (text.empty()) return {std::string(kMissingInputLine)};
  }
  std::vector<std::string> lines = referenceRawLines(texts).lines;
  if (lines.empty()) return {std::string(kNoSolutionLine)};
  removeRepeatsQuadratic(lines);
  lines.push_back("共有" + std::to_string(lines.size()) + "种算法！");
  return lines;
}

}  // namespace vantrel::testing
