#pragma once

// One hand of practice: what the player is shown and told about it, and the
// check of each answer, with which of the hand's genuinely different ways a
// right one is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"
#include "practice/check.h"
#include "rating/deal.h"
#include "rating/rating.h"
#include "rating/ways.h"

namespace vantrel::practice {

class Round {
 public:
  explicit Round(const rating::Hand& hand);

  const rating::Hand& hand() const { return hand_; }
  const rating::Rating& rating() const { return rating_; }
  // The genuinely different ways, one line each, as the engine writes them.
  const std::vector<std::string>& ways() const { return solutions_.lines(); }
  // What a hint shows: the way a player most likely sees first, step by step
  // and as one formula; none when the hand has no solution.
  const std::optional<rating::Way>& hint() const { return hint_; }

  struct Outcome {
    Verdict verdict;
    // A formula that makes 24, or the claim of no solution for a hand without one.
    bool right = false;
    // For a right formula, its place in ways().
    std::optional<std::size_t> way;
  };
  Outcome check(std::string_view answer) const;

 private:
  rating::Hand hand_;
  std::vector<std::string> texts_;
  Puzzle puzzle_;
  distinct::Solutions solutions_;
  rating::Rating rating_;
  std::optional<rating::Way> hint_;
};

}  // namespace vantrel::practice
