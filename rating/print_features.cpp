// Prints what the rating looks at in each hand of standard input (four
// numbers a line), for script/fit-rating to fit the model on:
//   hand  IDEAS  ONES  DIFFERENT  SUM
//   way   FRACTION  ADDITIONS  SUBTRACTIONS  MULTIPLICATIONS  LARGEST  FAMILIAR_LAST
// a line for the hand, then a line for each of its ways, fields separated by tabs.

#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "rating/features.h"

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream fields(line);
    std::array<std::string, 4> texts;
    if (!(fields >> texts[0] >> texts[1] >> texts[2] >> texts[3])) continue;
    const std::array<std::string_view, 4> hand = {texts[0], texts[1], texts[2], texts[3]};
    const vantrel::rating::Features features = vantrel::rating::featuresOf(hand);
    std::cout << "hand\t" << features.ideas << '\t' << features.ones << '\t' << features.different
              << '\t' << features.sum << '\n';
    for (const vantrel::rating::WayTraits& way : features.ways) {
      std::cout << "way\t" << way.fraction << '\t' << way.additions << '\t' << way.subtractions
                << '\t' << way.multiplications << '\t' << way.largest << '\t' << way.familiarLast
                << '\n';
    }
  }
}
