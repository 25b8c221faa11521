#include "practice/round.h"

#include <array>

namespace vantrel::practice {

namespace {

std::vector<std::string> textsOf(const rating::Hand& hand) {
  std::vector<std::string> texts;
  for (int card : hand) texts.push_back(std::to_string(card));
  return texts;
}

std::vector<std::string_view> viewsOf(const std::vector<std::string>& texts) {
  return {texts.begin(), texts.end()};
}

distinct::FormulaStep::Kind kindOf(formula::Kind kind) {
  switch (kind) {
    case formula::Kind::kNumber:
      return distinct::FormulaStep::Kind::kNumber;
    case formula::Kind::kAdd:
      return distinct::FormulaStep::Kind::kAdd;
    case formula::Kind::kSubtract:
      return distinct::FormulaStep::Kind::kSubtract;
    case formula::Kind::kMultiply:
      return distinct::FormulaStep::Kind::kMultiply;
    case formula::Kind::kDivide:
      return distinct::FormulaStep::Kind::kDivide;
  }
  return distinct::FormulaStep::Kind::kNumber;
}

}  // namespace

Round::Round(const rating::Hand& hand)
    : hand_(hand),
      texts_(textsOf(hand)),
      puzzle_(makePuzzle(viewsOf(texts_))),
      solutions_(viewsOf(texts_), "24") {
  const std::array<std::string_view, 4> cards = {texts_[0], texts_[1], texts_[2], texts_[3]};
  rating_ = rating::rate(cards);
  hint_ = rating::easiestWay(cards);
}

Round::Outcome Round::check(std::string_view answer) const {
  Outcome outcome;
  outcome.verdict = practice::check(answer, puzzle_);
  if (outcome.verdict.kind == VerdictKind::kNoSolutionClaimed) {
    outcome.right = ways().empty();
  } else if (outcome.verdict.kind == VerdictKind::kRight) {
    outcome.right = true;
    std::vector<distinct::FormulaStep> formula;
    for (const Step& step : outcome.verdict.steps)
      formula.push_back({kindOf(step.kind), step.card});
    outcome.way = solutions_.wayOf(formula);
  }
  return outcome;
}

}  // namespace vantrel::practice
