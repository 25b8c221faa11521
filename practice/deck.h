#pragma once

// The hands a player is dealt, one after another: hands of one level, and
// when asked, hands without a solution among them as a real deck deals them,
// about one in four. A seed fixes the order on every machine.

#include <cstdint>
#include <optional>

#include "rating/deal.h"
#include "rating/rating.h"

namespace vantrel::practice {

class Deck {
 public:
  // level: the level of the solvable hands; highestCard: 10 or 13.
  Deck(rating::Level level, int highestCard, bool withoutSolution, std::uint64_t seed);

  // The next hand. Once every hand of the level has come, they come again in
  // another order.
  rating::Hand next();

 private:
  rating::Hand from(std::optional<rating::Dealer>& dealer, rating::Level level);

  rating::Level level_;
  int highestCard_;
  bool withoutSolution_;
  std::uint64_t seed_;
  std::uint64_t draws_ = 0;
  std::optional<rating::Dealer> solvable_;
  std::optional<rating::Dealer> unsolvable_;
};

}  // namespace vantrel::practice
