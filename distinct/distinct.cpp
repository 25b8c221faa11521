#include "distinct/distinct.h"

#include <algorithm>
#include <stdexcept>

#include "distinct/arithmetic.h"
#include "distinct/exact_number.h"
#include "distinct/exchanges.h"
#include "distinct/fingerprint.h"
#include "distinct/forms.h"
#include "distinct/search.h"
#include "solver/solve.h"

namespace vantrel::distinct {

namespace {

template <class Arithmetic>
bool findBest(std::span<const SearchCard> cards, const BigRational& target, Forms& forms,
              std::vector<FormId>& best) {
  Search<Arithmetic> search(cards, forms);
  if (!search.run(target)) return false;
  for (ClassId id : search.solutions()) best.push_back(search.formClass(id).best(forms));
  return true;
}

ExactNumber read(std::string_view text) {
  ExactNumber number;
  if (readNumber(text, number) != NumberProblem::kNone) {
    throw std::invalid_argument("not a number the engine takes");
  }
  return number;
}

}  // namespace

std::vector<std::string> solve(std::span<const std::string_view> numbers, std::string_view target) {
  if (numbers.empty() || numbers.size() > kMaxNumbers) {
    throw std::invalid_argument("a hand holds 1 to 7 numbers");
  }
  std::vector<ExactNumber> hand;
  for (std::string_view text : numbers) hand.push_back(read(text));
  const ExactNumber goal = read(target);

  // The same hand in any order gives the same lines: numbers by value, equal
  // ones by their text.
  std::stable_sort(hand.begin(), hand.end(), [](const ExactNumber& a, const ExactNumber& b) {
    return a.value != b.value ? a.value < b.value : a.text < b.text;
  });
  modular::RandomPoints random;
  std::vector<SearchCard> cards;
  std::vector<std::uint64_t> point;
  std::vector<std::string> texts;
  std::vector<std::uint8_t> likeness;
  for (std::size_t i = 0; i < hand.size(); ++i) {
    const BigRational& value = hand[i].value;
    const std::uint64_t print = value == 0 ? 0 : value == 1 ? 1 : random.next();
    const int sameText = i > 0 && hand[i - 1].text == hand[i].text ? static_cast<int>(i) - 1 : -1;
    cards.push_back({value, print, sameText});
    likeness.push_back(sameText < 0 ? static_cast<std::uint8_t>(i) : likeness.back());
    point.push_back(print);
    texts.push_back(hand[i].text);
  }

  Forms forms(likeness);
  std::vector<FormId> best;
  if (!findBest<FastArithmetic>(cards, goal.value, forms, best)) {
    forms = Forms(likeness);
    best.clear();
    findBest<BigArithmetic>(cards, goal.value, forms, best);
  }

  const auto before = [&](FormId a, FormId b) {
    return forms.compare(forms.view(a), false, forms.view(b), false) < 0;
  };
  best = Exchanges(hand, point).merge(forms, best, before);
  std::sort(best.begin(), best.end(), before);

  std::vector<std::string> lines;
  lines.reserve(best.size());
  for (FormId form : best) lines.push_back(forms.text(form, texts));
  return lines;
}

std::string summaryLine(std::size_t count) {
  return "共有" + std::to_string(count) + "种不同的算法！";
}

std::vector<std::string> resultLines(std::vector<std::string> solutions) {
  if (solutions.empty()) return {std::string(kNoSolutionLine)};
  const std::size_t count = solutions.size();
  solutions.push_back(summaryLine(count));
  return solutions;
}

}  // namespace vantrel::distinct
