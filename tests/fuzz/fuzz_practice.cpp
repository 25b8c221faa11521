// libFuzzer target: reading a formula, valuing it, and checking it as an
// answer to a hand.
//
// The fuzz input is a hand, its numbers separated by spaces, then '\n' and
// the answer; a hand the engine does not take is 3 3 8 8. The sanitizers
// watch the reading of UTF-8 and the arithmetic. Every place reported must
// lie in the text, a formula read must be a well-formed postfix whose parts
// cover their operands, a division by zero must be by a part worth zero, and
// a right answer must use each card once and be worth the target.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "formula/formula.h"
#include "formula/tokenizer.h"
#include "practice/check.h"

namespace {

using vantrel::distinct::BigRational;
namespace formula = vantrel::formula;
namespace practice = vantrel::practice;

[[noreturn]] void fail(const char* rule) {
  std::fprintf(stderr, "\nthe answer check broke a rule: %s\n", rule);
  std::abort();
}

void expect(bool holds, const char* rule) {
  if (!holds) fail(rule);
}

bool within(formula::Range inner, formula::Range outer) {
  return outer.begin <= inner.begin && inner.begin <= inner.end && inner.end <= outer.end;
}

practice::Puzzle puzzleOf(std::string_view text) {
  std::vector<std::string_view> cards;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    cards.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  try {
    return practice::makePuzzle(cards);
  } catch (const std::invalid_argument&) {
    return practice::makePuzzle(std::vector<std::string_view>{"3", "3", "8", "8"});
  }
}

// The formula's parts as postfix over the answer's text; the value of a
// right answer's steps over the hand.
void checkFormula(const formula::Formula& formula, formula::Range text) {
  std::vector<formula::Range> operands;
  std::uint32_t numbers = 0;
  for (const formula::Node& node : formula.nodes) {
    expect(within(node.token, node.range) && within(node.range, text), "a part outside the text");
    if (node.kind == formula::Kind::kNumber) {
      expect(node.number == numbers++, "numbers out of order");
    } else {
      expect(operands.size() >= 2, "an operation without operands");
      const formula::Range right = operands.back();
      operands.pop_back();
      expect(within(operands.back(), node.range) && within(right, node.range) &&
                 operands.back().end <= node.token.begin && node.token.end <= right.begin,
             "an operation that does not cover its operands");
      operands.pop_back();
    }
    operands.push_back(node.range);
  }
  expect(operands.size() == 1 && numbers == formula.numbers.size(), "not one formula");
}

BigRational valueOf(const std::vector<practice::Step>& steps, const practice::Puzzle& puzzle) {
  std::vector<BigRational> stack;
  std::vector<bool> used(puzzle.cards.size());
  for (const practice::Step& step : steps) {
    if (step.kind == formula::Kind::kNumber) {
      expect(step.card < used.size() && !used[step.card], "a card used twice");
      used[step.card] = true;
      stack.push_back(puzzle.cards[step.card].value());
      continue;
    }
    const BigRational right = stack.back();
    stack.pop_back();
    BigRational& left = stack.back();
    if (step.kind == formula::Kind::kAdd) left += right;
    if (step.kind == formula::Kind::kSubtract) left -= right;
    if (step.kind == formula::Kind::kMultiply) left *= right;
    if (step.kind == formula::Kind::kDivide) left /= right;
  }
  for (bool card : used) expect(card, "a right answer that leaves a card out");
  return stack.back();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string_view answer =
      newline == std::string_view::npos ? input : input.substr(newline + 1);
  const practice::Puzzle puzzle =
      puzzleOf(input.substr(0, newline == std::string_view::npos ? 0 : newline));

  const formula::Reading reading = formula::read(answer);
  const auto length = static_cast<std::uint32_t>(formula::utf16Length(answer));
  if (reading.problem != formula::Problem::kNone) {
    expect(within(reading.where, {0, length}), "a problem outside the text");
  } else {
    checkFormula(reading.formula, {0, length});
    const formula::Evaluation evaluation = formula::evaluate(reading.formula);
    if (evaluation.divisionByZero) {
      const std::size_t division = *evaluation.divisionByZero;
      expect(evaluation.values.size() == division && evaluation.values.back().is_zero(),
             "a division by zero that is not");
    } else {
      expect(evaluation.values.size() == reading.formula.nodes.size(), "parts without a value");
    }
  }

  const practice::Verdict verdict = practice::check(answer, puzzle);
  if (practice::claimsNoSolution(answer)) {
    expect(verdict.kind == practice::VerdictKind::kNoSolutionClaimed, "a claim not seen");
  } else {
    expect((verdict.kind == practice::VerdictKind::kUnreadable) ==
               (reading.problem != formula::Problem::kNone),
           "read one way and checked another");
    expect(within(verdict.where, {0, length}), "a verdict outside the text");
  }
  if (verdict.kind == practice::VerdictKind::kRight) {
    expect(valueOf(verdict.steps, puzzle) == puzzle.target.value(),
           "a right answer of another value");
  }
  return 0;
}
