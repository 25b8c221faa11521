#include "distinct/exchanges.h"

#include <algorithm>
#include <array>
#include <map>

#include "distinct/fingerprint.h"

namespace vantrel::distinct {

namespace {

// A form as steps for a stack, to be evaluated at many points.
struct Step {
  Kind kind;          // kNumber: push a number; else combine the two on top
  bool negative;      // subtract or divide
  std::uint8_t card;  // for a number
};

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
  std::uint64_t print;
  std::vector<std::vector<std::uint64_t>> moved;  // per group: [i * size + j]
  std::uint64_t sketch;                           // the same for every exchange
};

Exchanges::Exchanges(std::span<const ExactNumber> hand, std::span<const std::uint64_t> point)
    : point_(point.begin(), point.end()), diagonal_(point_) {
  for (std::size_t i = 0; i < hand.size();) {
    std::size_t end = i + 1;
    while (end < hand.size() && hand[end].value == hand[i].value) ++end;
    if (end - i > 1 && hand[i].value != 0 && hand[i].value != 1) {
      groups_.push_back({i, end});
      std::fill(diagonal_.begin() + static_cast<std::ptrdiff_t>(i),
                diagonal_.begin() + static_cast<std::ptrdiff_t>(end), point_[i]);
    }
    i = end;
  }
}

Exchanges::Seen Exchanges::look(const Forms& forms, FormId form) const {
  Seen seen{form, {}, 0, {}, 0};
  compile(forms, form, seen.steps);
  seen.print = valueAt(seen.steps, point_);
  seen.sketch = valueAt(seen.steps, diagonal_);
  std::vector<std::uint64_t> point = diagonal_;
  for (const Group& group : groups_) {
    const std::size_t size = group.end - group.begin;
    std::vector<std::uint64_t>& moved = seen.moved.emplace_back(size * size);
    for (std::size_t i = 0; i < size; ++i) {
      for (std::size_t j = 0; j < size; ++j) {
        point[group.begin + j] = point_[group.begin + 1] ^ 1;
        point[group.begin + i] = point_[group.begin + 1];
        moved[i * size + j] = valueAt(seen.steps, point);
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
  return seen;
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

std::vector<FormId> Exchanges::merge(const Forms& forms, const std::vector<FormId>& list,
                                     const std::function<bool(FormId, FormId)>& before) const {
  if (groups_.empty()) return list;
  std::map<std::uint64_t, std::vector<Seen>> bySketch;
  for (FormId form : list) {
    Seen seen = look(forms, form);
    bySketch[seen.sketch].push_back(std::move(seen));
  }
  std::vector<FormId> merged;
  for (auto& [sketch, alike] : bySketch) {
    std::sort(alike.begin(), alike.end(),
              [&](const Seen& a, const Seen& b) { return before(a.form, b.form); });
    std::vector<bool> done(alike.size(), false);
    for (std::size_t i = 0; i < alike.size(); ++i) {
      if (done[i]) continue;
      merged.push_back(alike[i].form);
      for (std::size_t j = i + 1; j < alike.size(); ++j) {
        if (!done[j] && exchanged(alike[i], alike[j])) done[j] = true;
      }
    }
  }
  return merged;
}

}  // namespace vantrel::distinct
