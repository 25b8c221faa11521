#pragma once

// What the rating looks at in a hand: its genuinely different solutions, the
// ways a person can take to 24, and the cards themselves.

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "rating/ways.h"

namespace vantrel::rating {

struct Features {
  std::size_t ideas = 0;  // genuinely different solutions
  std::vector<WayTraits> ways;
  int ones = 0;       // cards worth 1
  int different = 0;  // different values among the cards
  double sum = 0;     // the cards' values added up
};

// Throws std::invalid_argument for numbers the distinct engine does not take.
Features featuresOf(std::span<const std::string_view, 4> hand);

}  // namespace vantrel::rating
