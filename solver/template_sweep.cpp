#include "template_sweep.h"

#include <cmath>
#include <utility>

#include "formula.h"
#include "number_text.h"

namespace vantrel {

namespace {

constexpr double kGuardLimit = 1e-07;

template <std::size_t N>
inline void tryTemplate(const formula::Operands& x, Matches& matches) {
  constexpr ExpressionTemplate expression = kTemplates[N];
  if constexpr (!expression.guard.empty()) {
    constexpr formula::Program guard = formula::compile(expression.guard);
    // Written so that a NaN group skips the template too.
    if (!(std::fabs(formula::evaluate<guard>(x)) > kGuardLimit)) return;
  }
  constexpr formula::Program value = formula::compile(expression.value);
  if (isTwentyFour(formula::evaluate<value>(x))) matches.push_back(N);
}

template <std::size_t... N>
inline void tryAll(const formula::Operands& x, Matches& matches, std::index_sequence<N...>) {
  (tryTemplate<N>(x, matches), ...);
}

} // namespace

bool isTwentyFour(double value) {
  const auto templateValue = static_cast<float>(value);
  return std::fabs(static_cast<double>(templateValue) - 24.0) <= 1e-07;
}

Matches findMatches(const Slots& slots) {
  const formula::Operands x = {slots[0], slots[1], slots[2], slots[3]};
  Matches matches;
  tryAll(x, matches, std::make_index_sequence<kTemplates.size()>{});
  return matches;
}

std::string displayLine(const ExpressionTemplate& expression,
                        const std::array<std::string_view, 4>& operandTexts) {
  std::size_t length = expression.pattern.size();
  for (std::string_view text : operandTexts) length += text.size();
  std::string line;
  line.reserve(length);
  for (char c : expression.pattern) {
    if (c >= 'A' && c <= 'D') {
      line += operandTexts[static_cast<std::size_t>(c - 'A')];
    } else {
      line += c;
    }
  }
  return line;
}

void sweep(const Slots& slots, std::vector<std::string>& lines) {
  const Matches matches = findMatches(slots);
  if (matches.empty()) return;
  const std::array<std::string, 4> texts = {numberToText(slots[0]), numberToText(slots[1]),
                                            numberToText(slots[2]), numberToText(slots[3])};
  const std::array<std::string_view, 4> views = {texts[0], texts[1], texts[2], texts[3]};
  for (std::size_t index : matches) lines.push_back(displayLine(kTemplates[index], views));
}

} // namespace vantrel
