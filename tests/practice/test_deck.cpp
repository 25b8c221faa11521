// Dealing for practice: the same seed the same hands, hands of the level
// chosen, about one in four without a solution when asked, and more hands
// than the level holds.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "practice/deck.h"

namespace vantrel::practice {
namespace {

rating::Level levelOf(const rating::Hand& hand) {
  const std::array<std::string, 4> texts = {std::to_string(hand[0]), std::to_string(hand[1]),
                                            std::to_string(hand[2]), std::to_string(hand[3])};
  const std::array<std::string_view, 4> numbers = {texts[0], texts[1], texts[2], texts[3]};
  return rating::rate(numbers).level;
}

TEST(Deck, DealsTheLevelAndSometimesAHandWithoutSolution) {
  Deck deck(rating::Level::kExpert, 10, true, 42);
  Deck again(rating::Level::kExpert, 10, true, 42);
  int without = 0;
  const int draws = 400;  // more than the level holds of cards 1..10
  for (int i = 0; i < draws; ++i) {
    const rating::Hand hand = deck.next();
    EXPECT_EQ(again.next(), hand);
    EXPECT_LE(hand[3], 10);
    const rating::Level level = levelOf(hand);
    EXPECT_TRUE(level == rating::Level::kExpert || level == rating::Level::kNoSolution);
    without += level == rating::Level::kNoSolution ? 1 : 0;
  }
  EXPECT_GT(without, draws / 8);
  EXPECT_LT(without, draws * 3 / 8);

  Deck solvable(rating::Level::kEasy, 13, false, 42);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(levelOf(solvable.next()), rating::Level::kEasy);
}

}  // namespace
}  // namespace vantrel::practice
