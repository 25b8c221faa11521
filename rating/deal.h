#pragma once

// Hands dealt for practice: different hands of cards 1..10 or 1..13 whose
// rating falls in the levels asked for, in a random order that a seed fixes
// on every machine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "rating/rating.h"

namespace vantrel::rating {

// Four card values, ascending.
using Hand = std::array<int, 4>;

class Dealer {
 public:
  // levels: those the hands may have (kNoSolution deals hands without a
  // solution); highestCard: 10 or 13.
  Dealer(std::span<const Level> levels, int highestCard, std::uint64_t seed);

  // The next hand, never one dealt before; none once every hand of the
  // levels has been dealt.
  std::optional<Hand> next();

 private:
  std::vector<Level> levels_;
  std::vector<Hand> order_;  // every hand of the cards, shuffled
  std::size_t position_ = 0;
};

// The first count hands a Dealer gives: every hand of the levels, shuffled,
// when they hold fewer.
std::vector<Hand> deal(std::size_t count, std::span<const Level> levels, int highestCard,
                       std::uint64_t seed);

// A seed that differs from run to run.
std::uint64_t randomSeed();

}  // namespace vantrel::rating
