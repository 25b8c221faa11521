#include "rating/features.h"

#include <algorithm>
#include <array>

#include "distinct/distinct.h"
#include "distinct/exact_number.h"

namespace vantrel::rating {

Features featuresOf(std::span<const std::string_view, 4> hand) {
  Features features;
  features.ideas = distinct::solve(hand, "24").size();
  forEachWay(hand, "24", [&](const WayView& way) { features.ways.push_back(way.traits()); });

  std::array<distinct::ExactNumber, 4> cards;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    distinct::readNumber(hand[i], cards[i]);  // the engine took them above
    features.ones += cards[i].isOne() ? 1 : 0;
    features.sum += cards[i].value().convert_to<double>();
    const bool seen = std::any_of(cards.begin(), cards.begin() + static_cast<std::ptrdiff_t>(i),
                                  [&](const distinct::ExactNumber& card) {
                                    return distinct::compareValues(card, cards[i]) == 0;
                                  });
    features.different += seen ? 0 : 1;
  }
  return features;
}

}  // namespace vantrel::rating
