#include "distinct/distinct.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "distinct/arithmetic.h"
#include "distinct/exact_number.h"
#include "distinct/fingerprint.h"
#include "distinct/forms.h"
#include "distinct/search.h"
#include "solver/solve.h"

namespace vantrel::distinct {

namespace {

// A fingerprint as a fraction, so that it takes no inverse on the way.
struct Ratio {
  std::uint64_t num;
  std::uint64_t den;
};

Ratio evaluate(const Forms& forms, FormId id, std::span<const std::uint64_t> point) {
  const FormView form = forms.view(id);
  if (form.kind == Kind::kNumber) return {point[form.card], 1};
  Ratio total{0, 1};
  for (std::size_t i = 0; i < form.partCount; ++i) {
    const Ratio part = evaluate(forms, form.parts[i].form, point);
    const bool negative = form.parts[i].negative;
    if (i == 0) {
      total = part;
    } else if (form.kind == Kind::kSum) {
      const std::uint64_t left = modular::multiply(total.num, part.den);
      const std::uint64_t right = modular::multiply(part.num, total.den);
      total = {negative ? modular::subtract(left, right) : modular::add(left, right),
               modular::multiply(total.den, part.den)};
    } else if (negative) {
      total = {modular::multiply(total.num, part.den), modular::multiply(total.den, part.num)};
    } else {
      total = {modular::multiply(total.num, part.num), modular::multiply(total.den, part.den)};
    }
  }
  return total;
}

// Numbers of equal value may change places: the fingerprint of a form is
// then the least it takes over every such exchange.
class Exchanges {
 public:
  Exchanges(std::span<const ExactNumber> hand, std::span<const std::uint64_t> point)
      : point_(point.begin(), point.end()) {
    for (std::size_t i = 0; i < hand.size();) {
      std::size_t end = i + 1;
      while (end < hand.size() && hand[end].value == hand[i].value) ++end;
      if (end - i > 1 && hand[i].value != 0 && hand[i].value != 1) groups_.push_back({i, end});
      i = end;
    }
  }

  bool any() const { return !groups_.empty(); }

  std::uint64_t print(const Forms& forms, FormId id) const {
    std::vector<std::uint64_t> point = point_;
    std::vector<Ratio> ratios;
    visit(0, point, [&] { ratios.push_back(evaluate(forms, id, point)); });
    // One inverse for all of them (Montgomery's trick).
    std::vector<std::uint64_t> prefix(ratios.size() + 1, 1);
    for (std::size_t i = 0; i < ratios.size(); ++i) {
      prefix[i + 1] = modular::multiply(prefix[i], ratios[i].den);
    }
    std::uint64_t inverse = prefix.back() == 0 ? 0 : modular::inverse(prefix.back());
    std::uint64_t least = modular::kPrime;
    for (std::size_t i = ratios.size(); i-- > 0;) {
      const std::uint64_t denInverse = modular::multiply(inverse, prefix[i]);
      inverse = modular::multiply(inverse, ratios[i].den);
      least = std::min(least, modular::multiply(ratios[i].num, denInverse));
    }
    return least;
  }

 private:
  struct Group {
    std::size_t begin;
    std::size_t end;
  };

  template <class Visit>
  void visit(std::size_t group, std::vector<std::uint64_t>& point, Visit&& each) const {
    if (group == groups_.size()) {
      each();
      return;
    }
    const auto begin = point.begin() + static_cast<std::ptrdiff_t>(groups_[group].begin);
    const auto end = point.begin() + static_cast<std::ptrdiff_t>(groups_[group].end);
    std::sort(begin, end);
    do {
      visit(group + 1, point, each);
    } while (std::next_permutation(begin, end));
  }

  std::vector<std::uint64_t> point_;
  std::vector<Group> groups_;
};

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
  for (std::size_t i = 0; i < hand.size(); ++i) {
    const BigRational& value = hand[i].value;
    const std::uint64_t print = value == 0 ? 0 : value == 1 ? 1 : random.next();
    const int sameText = i > 0 && hand[i - 1].text == hand[i].text ? static_cast<int>(i) - 1 : -1;
    cards.push_back({value, print, sameText});
    point.push_back(print);
    texts.push_back(hand[i].text);
  }

  Forms forms(hand.size());
  std::vector<FormId> best;
  if (!findBest<FastArithmetic>(cards, goal.value, forms, best)) {
    forms = Forms(hand.size());
    best.clear();
    findBest<BigArithmetic>(cards, goal.value, forms, best);
  }

  const auto before = [&](FormId a, FormId b) {
    return forms.compare(forms.view(a), false, forms.view(b), false) < 0;
  };
  const Exchanges exchanges(hand, point);
  if (exchanges.any()) {
    std::map<std::uint64_t, FormId> merged;
    for (FormId form : best) {
      auto [slot, fresh] = merged.try_emplace(exchanges.print(forms, form), form);
      if (!fresh && before(form, slot->second)) slot->second = form;
    }
    best.clear();
    for (const auto& entry : merged) best.push_back(entry.second);
  }
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
