#include "distinct/distinct.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include "distinct/arithmetic.h"
#include "distinct/exact_number.h"
#include "distinct/exchanges.h"
#include "distinct/fingerprint.h"
#include "distinct/forms.h"
#include "distinct/ideas.h"
#include "distinct/search.h"
#include "solver/solve.h"

namespace vantrel::distinct {

namespace {

// The ideas of the solutions: each solution's fingerprint, best form and
// idea, and each idea's form.
struct Found {
  std::vector<std::uint64_t> prints;
  std::vector<FormId> best;
  IdeaList ideas;
};

template <class Arithmetic>
bool findIdeas(std::span<const SearchCard> cards, const ExactNumber& target,
               const Exchanges& exchanges, Forms& forms, Found& found) {
  typename Arithmetic::Number goal;
  if (!Arithmetic::from(target, goal)) return false;
  Search<Arithmetic> search(cards, forms, Arithmetic::isZero(goal));
  if (!search.run(target)) return false;
  for (ClassId id : search.solutions()) {
    found.prints.push_back(search.formClass(id).print);
    found.best.push_back(search.formClass(id).best(forms));
  }
  const auto before = [&](FormId a, FormId b) {
    return forms.compare(forms.view(a), false, forms.view(b), false) < 0;
  };
  return findIdeas(search, goal, forms, exchanges, exchanges.group(forms, found.best, before),
                   before, found.ideas);
}

ExactNumber read(std::string_view text) {
  ExactNumber number;
  if (readNumber(text, number) != NumberProblem::kNone) {
    throw std::invalid_argument("not a number the engine takes");
  }
  return number;
}

}  // namespace

struct Solutions::Data {
  std::vector<std::string> lines;
  std::vector<std::uint8_t> place;  // of each number as given, among the sorted ones
  Forms forms{{}};
  std::optional<Exchanges> exchanges;
  // The line of each class of solutions the search found, by fingerprint and
  // by best form.
  std::unordered_map<std::uint64_t, std::size_t> lineOfPrint;
  std::vector<FormId> solutionForms;
  std::vector<std::size_t> lineOfSolution;
};

Solutions::Solutions(std::span<const std::string_view> numbers, std::string_view target)
    : data_(std::make_unique<Data>()) {
  if (numbers.empty() || numbers.size() > kMaxNumbers) {
    throw std::invalid_argument("a hand holds 1 to 7 numbers");
  }
  Data& d = *data_;
  std::vector<ExactNumber> given;
  for (std::string_view text : numbers) given.push_back(read(text));
  const ExactNumber goal = read(target);

  // The same hand in any order gives the same lines: numbers by value, equal
  // ones by their text.
  std::vector<std::size_t> order(given.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int byValue = compareValues(given[a], given[b]);
    return byValue != 0 ? byValue < 0 : given[a].text < given[b].text;
  });
  d.place.resize(given.size());
  std::vector<ExactNumber> hand;
  for (std::size_t i = 0; i < order.size(); ++i) {
    d.place[order[i]] = static_cast<std::uint8_t>(i);
    hand.push_back(given[order[i]]);
  }
  modular::RandomPoints random;
  std::vector<SearchCard> cards;
  std::vector<std::string> texts;
  std::vector<std::uint8_t> likeness;
  for (std::size_t i = 0; i < hand.size(); ++i) {
    const ExactNumber& number = hand[i];
    const std::uint64_t print = number.isZero() ? 0 : number.isOne() ? 1 : random.next();
    const bool sameValue = i > 0 && compareValues(number, hand[i - 1]) == 0;
    const bool sameText = sameValue && hand[i - 1].text == number.text;
    cards.push_back(
        {&number, print, sameText ? cards.back().alike : i, sameValue ? cards.back().equal : i});
    likeness.push_back(static_cast<std::uint8_t>(cards.back().alike));
    texts.push_back(number.text);
  }

  d.forms = Forms(likeness);
  d.exchanges.emplace(cards);
  Found found;
  if (!findIdeas<FastArithmetic>(cards, goal, *d.exchanges, d.forms, found)) {
    d.forms = Forms(likeness);
    found = {};
    findIdeas<BigArithmetic>(cards, goal, *d.exchanges, d.forms, found);
  }

  const auto before = [&](FormId a, FormId b) {
    return d.forms.compare(d.forms.view(a), false, d.forms.view(b), false) < 0;
  };
  std::vector<std::size_t> ideas(found.ideas.written.size());
  std::iota(ideas.begin(), ideas.end(), std::size_t{0});
  std::stable_sort(ideas.begin(), ideas.end(), [&](std::size_t a, std::size_t b) {
    return before(found.ideas.written[a], found.ideas.written[b]);
  });
  std::vector<std::size_t> lineOfIdea(ideas.size());
  for (std::size_t line = 0; line < ideas.size(); ++line) {
    lineOfIdea[ideas[line]] = line;
    d.lines.push_back(d.forms.text(found.ideas.written[ideas[line]], texts));
  }
  d.solutionForms = found.best;
  for (std::size_t i = 0; i < found.prints.size(); ++i) {
    d.lineOfSolution.push_back(lineOfIdea[found.ideas.ideaOf[i]]);
    d.lineOfPrint.emplace(found.prints[i], d.lineOfSolution.back());
  }
}

Solutions::~Solutions() = default;
Solutions::Solutions(Solutions&&) noexcept = default;
Solutions& Solutions::operator=(Solutions&&) noexcept = default;

const std::vector<std::string>& Solutions::lines() const {
  return data_->lines;
}

std::optional<std::size_t> Solutions::wayOf(std::span<const FormulaStep> formula) const {
  const Data& d = *data_;
  // The formula as steps over the sorted numbers, each of them once.
  std::vector<Exchanges::Step> steps;
  std::vector<bool> used(d.place.size(), false);
  std::size_t depth = 0;
  for (const FormulaStep& step : formula) {
    if (step.kind == FormulaStep::Kind::kNumber) {
      if (step.number >= d.place.size() || used[step.number]) return std::nullopt;
      used[step.number] = true;
      ++depth;
      steps.push_back({Kind::kNumber, false, d.place[step.number]});
      continue;
    }
    if (depth < 2) return std::nullopt;
    --depth;
    const bool sum =
        step.kind == FormulaStep::Kind::kAdd || step.kind == FormulaStep::Kind::kSubtract;
    const bool negative =
        step.kind == FormulaStep::Kind::kSubtract || step.kind == FormulaStep::Kind::kDivide;
    steps.push_back({sum ? Kind::kSum : Kind::kProduct, negative, 0});
  }
  if (depth != 1 || std::find(used.begin(), used.end(), false) != used.end()) return std::nullopt;

  const std::optional<std::uint64_t> print = d.exchanges->printOf(steps);
  if (!print) return std::nullopt;
  const auto line = d.lineOfPrint.find(*print);
  if (line != d.lineOfPrint.end()) return line->second;
  // An exchange of equal numbers of a solution that the search left out.
  const std::optional<std::size_t> solution =
      Exchanges::Index(*d.exchanges, d.forms, d.solutionForms).find(std::move(steps), false);
  if (!solution) return std::nullopt;
  return d.lineOfSolution[*solution];
}

std::vector<std::string> solve(std::span<const std::string_view> numbers, std::string_view target) {
  return Solutions(numbers, target).lines();
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
