#include "practice/deck.h"

#include <array>

namespace vantrel::practice {

namespace {

// The share of hands without a solution among all hands of four cards,
// which a real deck deals: 458 of the 1,820 hands of 1..13.
constexpr std::uint64_t kWithoutSolutionInFour = 4;

std::uint64_t mix(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
  return x ^ (x >> 31);
}

}  // namespace

Deck::Deck(rating::Level level, int highestCard, bool withoutSolution, std::uint64_t seed)
    : level_(level), highestCard_(highestCard), withoutSolution_(withoutSolution), seed_(seed) {}

rating::Hand Deck::next() {
  const std::uint64_t draw = mix(seed_ ^ (0x9E3779B97F4A7C15u * ++draws_));
  if (withoutSolution_ && draw % kWithoutSolutionInFour == 0) {
    return from(unsolvable_, rating::Level::kNoSolution);
  }
  return from(solvable_, level_);
}

rating::Hand Deck::from(std::optional<rating::Dealer>& dealer, rating::Level level) {
  for (int round = 0;; ++round) {
    if (!dealer) {
      const std::array levels = {level};
      dealer.emplace(levels, highestCard_, mix(seed_ + draws_ + static_cast<std::uint64_t>(level)));
    }
    if (const std::optional<rating::Hand> hand = dealer->next()) return *hand;
    dealer.reset();            // every hand has come: shuffle them again
    if (round > 0) return {};  // a level without any hand: cannot happen for 10 or 13 cards
  }
}

}  // namespace vantrel::practice
