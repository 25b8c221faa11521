#include "distinct/exchanges.h"

#include <algorithm>
#include <array>
#include <map>

#include "distinct/fingerprint.h"

namespace vantrel::distinct {

namespace {

using Step = Exchanges::Step;

// A form as steps for a stack, to be evaluated at many points.
void compile(const Forms& forms, FormId id, std::vector<Step>& steps) {
  const FormView form = forms.view(id);
  if (form.kind == Kind::kNumber) {
    steps.push_back({Kind::kNumber, false, form.card});
    return;
  }
  for (std::size_t i = 0; i < form.partCount; ++i) {
    compile(forms, form.parts[i].form, steps);
    if (i > 0) steps.push_back({form.kind, form.parts[i].negative, 0});
  }
}

struct Ratio {
  std::uint64_t num;
  std::uint64_t den;
};

// The value at point, as a fraction so that no step takes an inverse.
Ratio ratioAt(const std::vector<Step>& steps, std::span<const std::uint64_t> point) {
  std::array<Ratio, 8> stack{};
  std::size_t top = 0;
  for (const Step& step : steps) {
    if (step.kind == Kind::kNumber) {
      stack[top++] = {point[step.card], 1};
      continue;
    }
    const Ratio b = stack[--top];
    Ratio& a = stack[top - 1];
    if (step.kind == Kind::kSum) {
      const std::uint64_t left = modular::multiply(a.num, b.den);
      const std::uint64_t right = modular::multiply(b.num, a.den);
      a.num = step.negative ? modular::subtract(left, right) : modular::add(left, right);
      a.den = modular::multiply(a.den, b.den);
    } else if (step.negative) {
      a = {modular::multiply(a.num, b.den), modular::multiply(a.den, b.num)};
    } else {
      a = {modular::multiply(a.num, b.num), modular::multiply(a.den, b.den)};
    }
  }
  return stack[0];
}

std::uint64_t valueAt(const std::vector<Step>& steps, std::span<const std::uint64_t> point) {
  const Ratio value = ratioAt(steps, point);
  return value.den == 0 ? 0 : modular::multiply(value.num, modular::inverse(value.den));
}

}  // namespace

// A form as the merge sees it: its value at the point, and for each group of
// equal numbers, its values where two numbers of the group move off the value
// the rest share, to two values of their own (or one number, to the first).
// An exchange of a class moves these values with the numbers it exchanges.
struct Exchanges::Seen {
  FormId form;
  std::vector<Step> steps;
  bool negated;  // every value of the form's taken negated
  std::uint64_t print;
  std::vector<std::vector<std::uint64_t>> moved;  // per group: [i * size + j]
  std::uint64_t sketch;                           // the same for every exchange
};

Exchanges::Exchanges(std::span<const SearchCard> cards) {
  for (const SearchCard& card : cards) point_.push_back(card.print);
  diagonal_ = point_;
  for (std::size_t i = 0; i < cards.size();) {
    std::size_t end = i + 1;
    while (end < cards.size() && cards[end].equal == cards[i].equal) ++end;
    // Numbers worth 0 or 1 stand for themselves, so exchange nothing.
    if (end - i > 1 && point_[i] > 1) {
      groups_.push_back({i, end});
      std::fill(diagonal_.begin() + static_cast<std::ptrdiff_t>(i),
                diagonal_.begin() + static_cast<std::ptrdiff_t>(end), point_[i]);
    }
    i = end;
  }
}

// First the value where each group's numbers share one value: exchanges of a
// class always agree on it, and most classes differ in it.
Exchanges::Seen Exchanges::glance(std::vector<Step> steps, FormId form, bool negated) const {
  Seen seen{form, std::move(steps), negated, 0, {}, 0};
  seen.sketch = valueOf(seen, diagonal_);
  return seen;
}

std::uint64_t Exchanges::valueOf(const Seen& seen, std::span<const std::uint64_t> point) const {
  const std::uint64_t value = valueAt(seen.steps, point);
  return seen.negated ? modular::subtract(0, value) : value;
}

// Then, for those that agree, what it takes to tell them apart.
void Exchanges::look(Seen& seen) const {
  seen.print = valueOf(seen, point_);
  std::vector<std::uint64_t> point = diagonal_;
  for (const Group& group : groups_) {
    const std::size_t size = group.end - group.begin;
    std::vector<std::uint64_t>& moved = seen.moved.emplace_back(size * size);
    for (std::size_t i = 0; i < size; ++i) {
      for (std::size_t j = 0; j < size; ++j) {
        point[group.begin + j] = point_[group.begin + 1] ^ 1;
        point[group.begin + i] = point_[group.begin + 1];
        moved[i * size + j] = valueOf(seen, point);
        point[group.begin + i] = diagonal_[group.begin];
        point[group.begin + j] = diagonal_[group.begin];
      }
    }
    std::vector<std::uint64_t> sorted = moved;
    std::sort(sorted.begin(), sorted.end());
    for (std::uint64_t value : sorted) {
      seen.sketch = modular::multiply(seen.sketch ^ value, 0x1E3779B97F4A7C15u) + 1;
    }
  }
}

// Whether b's class is a's after some exchange: one that takes each number of
// b to one of a's, such that the values where numbers move off agree.
bool Exchanges::exchanged(const Seen& a, const Seen& b) const {
  std::vector<std::uint64_t> point = point_;
  std::vector<std::size_t> to(point_.size());  // b's number i is a's number to[i]
  std::vector<bool> taken(point_.size(), false);
  std::function<bool(std::size_t, std::size_t)> fit = [&](std::size_t g, std::size_t i) {
    if (g == groups_.size()) {
      const Ratio value = ratioAt(a.steps, point);
      return value.num == modular::multiply(b.print, value.den);
    }
    const Group& group = groups_[g];
    const std::size_t size = group.end - group.begin;
    if (i == size) return fit(g + 1, 0);
    const std::vector<std::uint64_t>& movedA = a.moved[g];
    const std::vector<std::uint64_t>& movedB = b.moved[g];
    for (std::size_t t = 0; t < size; ++t) {
      if (taken[group.begin + t]) continue;
      bool agrees = movedA[t * size + t] == movedB[i * size + i];
      for (std::size_t k = 0; k < i && agrees; ++k) {
        agrees = movedA[t * size + to[k]] == movedB[i * size + k] &&
                 movedA[to[k] * size + t] == movedB[k * size + i];
      }
      if (!agrees) continue;
      taken[group.begin + t] = true;
      to[i] = t;
      point[group.begin + t] = point_[group.begin + i];
      if (fit(g, i + 1)) return true;
      taken[group.begin + t] = false;
    }
    return false;
  };
  return fit(0, 0);
}

std::vector<std::size_t> Exchanges::group(const Forms& forms, const std::vector<FormId>& list,
                                          const std::function<bool(FormId, FormId)>& before) const {
  std::vector<std::size_t> kept(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) kept[i] = i;
  if (groups_.empty() || list.size() < 2) return kept;
  // Forms by their place in list, so that a set's first is found by place.
  std::map<std::uint64_t, std::vector<std::size_t>> glanced;
  std::vector<Seen> seen;
  seen.reserve(list.size());
  for (FormId form : list) {
    std::vector<Step> steps;
    compile(forms, form, steps);
    seen.push_back(glance(std::move(steps), form));
    glanced[seen.back().sketch].push_back(seen.size() - 1);
  }
  for (auto& [diagonal, alike] : glanced) {
    if (alike.size() == 1) continue;
    std::map<std::uint64_t, std::vector<std::size_t>> looked;
    for (std::size_t i : alike) {
      look(seen[i]);
      looked[seen[i].sketch].push_back(i);
    }
    for (auto& [sketch, same] : looked) {
      std::sort(same.begin(), same.end(),
                [&](std::size_t a, std::size_t b) { return before(list[a], list[b]); });
      std::vector<bool> done(same.size(), false);
      for (std::size_t i = 0; i < same.size(); ++i) {
        if (done[i]) continue;
        kept[same[i]] = same[i];
        for (std::size_t j = i + 1; j < same.size(); ++j) {
          if (!done[j] && exchanged(seen[same[i]], seen[same[j]])) {
            done[j] = true;
            kept[same[j]] = same[i];
          }
        }
      }
    }
  }
  return kept;
}

std::optional<std::uint64_t> Exchanges::printOf(const std::vector<Step>& formula) const {
  const Ratio value = ratioAt(formula, point_);
  if (value.den == 0) return std::nullopt;
  return modular::multiply(value.num, modular::inverse(value.den));
}

std::vector<Step> Exchanges::stepsOf(const Forms& forms, FormId form) {
  std::vector<Step> steps;
  compile(forms, form, steps);
  return steps;
}

Exchanges::Index::Index(const Exchanges& exchanges, const Forms& forms,
                        std::span<const FormId> list)
    : exchanges_(&exchanges) {
  seen_.reserve(list.size());
  for (FormId form : list) {
    seen_.push_back(exchanges.glance(stepsOf(forms, form), form));
    byDiagonal_[seen_.back().sketch].push_back(seen_.size() - 1);
  }
}

Exchanges::Index::~Index() = default;
Exchanges::Index::Index(Index&&) noexcept = default;
Exchanges::Index& Exchanges::Index::operator=(Index&&) noexcept = default;

std::optional<std::size_t> Exchanges::Index::find(std::vector<Step> formula, bool negated) {
  Seen wanted = exchanges_->glance(std::move(formula), kNoForm, negated);
  const std::uint64_t diagonal = wanted.sketch;
  const auto alike = byDiagonal_.find(diagonal);
  if (alike == byDiagonal_.end()) return std::nullopt;
  const auto [looked, fresh] = bySketch_.try_emplace(diagonal);
  if (fresh) {
    for (std::size_t i : alike->second) {
      exchanges_->look(seen_[i]);
      looked->second[seen_[i].sketch].push_back(i);
    }
  }
  exchanges_->look(wanted);
  const auto same = looked->second.find(wanted.sketch);
  if (same == looked->second.end()) return std::nullopt;
  for (std::size_t i : same->second) {
    if (exchanges_->exchanged(seen_[i], wanted)) return i;
  }
  return std::nullopt;
}

}  // namespace vantrel::distinct
