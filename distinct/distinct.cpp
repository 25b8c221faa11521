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
#include "distinct/search.h"
#include "solver/solve.h"

namespace vantrel::distinct {

namespace {

// A class of solutions: its fingerprint and its best form.
struct Found {
  std::uint64_t print;
  FormId best;
};

template <class Arithmetic>
bool findBest(std::span<const SearchCard> cards, const ExactNumber& target, Forms& forms,
              std::vector<Found>& found) {
  Search<Arithmetic> search(cards, forms);
  if (!search.run(target)) return false;
  for (ClassId id : search.solutions()) {
    found.push_back({search.formClass(id).print, search.formClass(id).best(forms)});
  }
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

struct Solutions::Data {
  std::vector<std::string> lines;
  std::vector<std::uint8_t> place;  // of each number as given, among the sorted ones
  std::vector<SearchCard> cards;
  std::vector<ExactNumber> hand;  // sorted
  Forms forms{{}};
  std::vector<FormId> lineForms;
  std::optional<Exchanges> exchanges;
  std::unordered_map<std::uint64_t, std::size_t> lineOfPrint;
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
  for (std::size_t i = 0; i < order.size(); ++i) {
    d.place[order[i]] = static_cast<std::uint8_t>(i);
    d.hand.push_back(given[order[i]]);
  }
  modular::RandomPoints random;
  std::vector<std::string> texts;
  std::vector<std::uint8_t> likeness;
  for (std::size_t i = 0; i < d.hand.size(); ++i) {
    const ExactNumber& number = d.hand[i];
    const std::uint64_t print = number.isZero() ? 0 : number.isOne() ? 1 : random.next();
    const bool sameValue = i > 0 && compareValues(number, d.hand[i - 1]) == 0;
    const bool sameText = sameValue && d.hand[i - 1].text == number.text;
    d.cards.push_back({&number, print, sameText ? d.cards.back().alike : i,
                       sameValue ? d.cards.back().equal : i});
    likeness.push_back(static_cast<std::uint8_t>(d.cards.back().alike));
    texts.push_back(number.text);
  }

  d.forms = Forms(likeness);
  std::vector<Found> found;
  if (!findBest<FastArithmetic>(d.cards, goal, d.forms, found)) {
    d.forms = Forms(likeness);
    found.clear();
    findBest<BigArithmetic>(d.cards, goal, d.forms, found);
  }

  const auto before = [&](FormId a, FormId b) {
    return d.forms.compare(d.forms.view(a), false, d.forms.view(b), false) < 0;
  };
  d.exchanges.emplace(d.cards);
  std::vector<FormId> best;
  for (const Found& solution : found) best.push_back(solution.best);
  const std::vector<std::size_t> kept = d.exchanges->group(d.forms, best, before);
  for (std::size_t i = 0; i < best.size(); ++i) {
    if (kept[i] == i) d.lineForms.push_back(best[i]);
  }
  std::sort(d.lineForms.begin(), d.lineForms.end(), before);

  std::unordered_map<FormId, std::size_t> lineOfForm;
  for (FormId form : d.lineForms) {
    lineOfForm.emplace(form, d.lines.size());
    d.lines.push_back(d.forms.text(form, texts));
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    d.lineOfPrint.emplace(found[i].print, lineOfForm.at(best[kept[i]]));
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
  if (const auto index = d.exchanges->find(std::move(steps), d.forms, d.lineForms)) return *index;
  return std::nullopt;
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
