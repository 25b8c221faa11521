#pragma once

// One sweep: every expression template evaluated on one filling of the four
// operand slots.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/expression_templates.h"

namespace vantrel {

// The operand slots A, B, C, D.
using Slots = std::array<float, 4>;

// The match test: the value, rounded to float, is within 1e-07 of 24.
// Only a float of exactly 24 passes; NaNs and infinities never do.
bool isTwentyFour(double value);

// The templates that give 24, as positions in kTemplates, in template order.
class Matches {
 public:
  void push_back(std::size_t index) { items_[size_++] = static_cast<std::uint8_t>(index); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const std::uint8_t* begin() const { return items_.data(); }
  const std::uint8_t* end() const { return items_.data() + size_; }

 private:
  // Only the first size_ entries are ever read; leaving the rest
  // uninitialised keeps each sweep from clearing 160 bytes it never uses.
  std::array<std::uint8_t, kTemplates.size()> items_;
  std::size_t size_ = 0;
};

Matches findMatches(const Slots& slots);

// Two sweeps for the price of one: the matches for each filling.
std::array<Matches, 2> findMatches(const Slots& first, const Slots& second);

// The line of a template: its pattern with A to D replaced by the texts.
std::string displayLine(const ExpressionTemplate& expression,
                        const std::array<std::string_view, 4>& operandTexts);

// Appends the line of every matching template to lines, in template order.
void sweep(const Slots& slots, std::vector<std::string>& lines);

}  // namespace vantrel
