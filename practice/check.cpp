#include "practice/check.h"

#include <algorithm>
#include <stdexcept>

#include "distinct/distinct.h"

namespace vantrel::practice {

namespace {

distinct::ExactNumber readCard(std::string_view text) {
  distinct::ExactNumber number;
  if (distinct::readNumber(text, number) != distinct::NumberProblem::kNone) {
    throw std::invalid_argument("not a number the engine takes");
  }
  return number;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lower) {
  // std::equal, not std::ranges::equal: Emscripten's libc++ has no such range
  // algorithm yet.
  return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

bool sameValue(const distinct::ExactNumber& a, const distinct::ExactNumber& b) {
  return distinct::compareValues(a, b) == 0;
}

// Which card each number of the formula uses, in the order of the text;
// false, with the verdict, when a number has none.
bool matchCards(const formula::Formula& formula, const Puzzle& puzzle, Verdict& verdict,
                std::vector<std::uint8_t>& cardOf) {
  const std::vector<distinct::ExactNumber>& cards = puzzle.cards;
  std::vector<bool> used(cards.size());
  cardOf.resize(formula.numbers.size());
  for (const formula::Node& node : formula.nodes) {
    if (node.kind != formula::Kind::kNumber) continue;
    const distinct::ExactNumber& number = formula.numbers[node.number];
    bool held = false;
    std::size_t card = 0;
    for (; card < cards.size(); ++card) {
      if (!sameValue(cards[card], number)) continue;
      held = true;
      if (!used[card]) break;
    }
    if (card == cards.size()) {
      verdict.kind = held ? VerdictKind::kUsedTooOften : VerdictKind::kNotInHand;
      verdict.number = number.text;
      verdict.where = node.token;
      return false;
    }
    used[card] = true;
    cardOf[node.number] = static_cast<std::uint8_t>(card);
  }
  for (std::size_t card = 0; card < cards.size(); ++card) {
    if (!used[card]) verdict.cardsLeftOut.push_back(static_cast<std::uint8_t>(card));
  }
  if (verdict.cardsLeftOut.empty()) return true;
  verdict.kind = VerdictKind::kCardLeftOut;
  return false;
}

}  // namespace

Puzzle makePuzzle(std::span<const std::string_view> cards, std::string_view target) {
  if (cards.empty() || cards.size() > distinct::kMaxNumbers) {
    throw std::invalid_argument("a hand holds 1 to 7 numbers");
  }
  Puzzle puzzle;
  for (std::string_view card : cards) puzzle.cards.push_back(readCard(card));
  puzzle.target = readCard(target);
  return puzzle;
}

bool hasSolution(const Puzzle& puzzle) {
  std::vector<std::string_view> cards;
  for (const distinct::ExactNumber& card : puzzle.cards) cards.push_back(card.text);
  return !distinct::solve(cards, puzzle.target.text).empty();
}

bool claimsNoSolution(std::string_view answer) {
  answer = formula::trimBlanks(answer);
  if (answer == "无解" || answer == "無解") return true;
  if (answer.size() < 2 || !equalsIgnoringCase(answer.substr(0, 2), "no")) return false;
  const std::string_view rest = formula::trimBlanks(answer.substr(2));
  return rest.size() < answer.size() - 2 && equalsIgnoringCase(rest, "solution");
}

Verdict check(std::string_view answer, const Puzzle& puzzle) {
  Verdict verdict;
  if (claimsNoSolution(answer)) {
    verdict.kind = VerdictKind::kNoSolutionClaimed;
    return verdict;
  }
  const formula::Reading reading = formula::read(answer);
  if (reading.problem != formula::Problem::kNone) {
    verdict.kind = VerdictKind::kUnreadable;
    verdict.problem = reading.problem;
    verdict.where = reading.where;
    return verdict;
  }
  const formula::Formula& formula = reading.formula;
  std::vector<std::uint8_t> cardOf;
  if (!matchCards(formula, puzzle, verdict, cardOf)) return verdict;

  const formula::Evaluation evaluation = formula::evaluate(formula);
  if (evaluation.divisionByZero) {
    verdict.kind = VerdictKind::kDivisionByZero;
    // In postfix order the divisor ends right before its division.
    verdict.where = formula.nodes[*evaluation.divisionByZero - 1].range;
    return verdict;
  }
  const distinct::BigRational& value = evaluation.values.back();
  if (value != puzzle.target.value()) {
    verdict.kind = VerdictKind::kWrongValue;
    verdict.number = formula::valueText(value);
    return verdict;
  }
  if (formula.claim && !sameValue(*formula.claim, puzzle.target)) {
    verdict.kind = VerdictKind::kWrongNote;
    verdict.number = formula.claim->text;
    verdict.where = formula.claimRange;
    return verdict;
  }
  verdict.steps.reserve(formula.nodes.size());
  for (const formula::Node& node : formula.nodes) {
    const bool number = node.kind == formula::Kind::kNumber;
    verdict.steps.push_back({node.kind, number ? cardOf[node.number] : std::uint8_t{0}});
  }
  return verdict;
}

}  // namespace vantrel::practice
