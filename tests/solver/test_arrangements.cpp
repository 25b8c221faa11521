#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "solver/arrangements.h"
#include "tests/solver/reference_solver.h"

namespace {

using vantrel::kArrangements;
using vantrel::testing::kListedArrangements;

std::string slotLetters(const vantrel::Arrangement& arrangement) {
  std::string letters;
  for (std::size_t slot : arrangement) letters += static_cast<char>('A' + slot);
  return letters;
}

TEST(Arrangements, RunInTheListedOrder) {
  for (std::size_t k = 0; k < kArrangements.size(); ++k) {
    EXPECT_EQ(slotLetters(kArrangements[k]), kListedArrangements[k].slots)
        << "arrangement " << k + 1;
  }
}

// The slot pairs that the repeat test joins: each slot and the slot its value
// moves to. They must be the pairs of the hand-written list.
TEST(Arrangements, RepeatTestComparesTheListedPairs) {
  for (std::size_t k = 1; k < kArrangements.size(); ++k) {
    std::set<std::string> derived;
    for (std::size_t input = 0; input < 4; ++input) {
      const std::size_t to = kArrangements[k][input];
      if (to == input) continue;
      std::string pair = {static_cast<char>('A' + std::min(input, to)),
                          static_cast<char>('A' + std::max(input, to))};
      derived.insert(pair);
    }
    std::set<std::string> listed;
    const std::string_view pairs = kListedArrangements[k].pairs;
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 3)
      listed.insert(std::string(pairs.substr(i, 2)));
    EXPECT_EQ(derived, listed) << "arrangement " << k + 1;
  }
}

std::vector<int> numbersThatRun(const vantrel::Slots& values) {
  std::vector<int> numbers;
  for (std::size_t k : vantrel::arrangementsToRun(values))
    numbers.push_back(static_cast<int>(k + 1));
  return numbers;
}

TEST(Arrangements, RepeatTestLooksAtTheSlotsAsTheyStand) {
  EXPECT_EQ(numbersThatRun({1, 1, 1, 1}), std::vector<int>{1});
  EXPECT_EQ(numbersThatRun({1, 2, 3, 4}).size(), 24u);
  EXPECT_EQ(numbersThatRun({2, 2, 2, 3}),
            (std::vector<int>{1, 2, 3, 4, 5, 8, 9, 10, 11, 13, 14, 17, 18, 19, 21, 23, 24}));
  const std::vector<int> threeThreeEightEight = numbersThatRun({3, 3, 8, 8});
  EXPECT_EQ(threeThreeEightEight.size(), 21u);
  for (int skipped : {2, 8, 15}) {
    EXPECT_EQ(std::count(threeThreeEightEight.begin(), threeThreeEightEight.end(), skipped), 0);
  }
  // a equals d: arrangement 7 is skipped although its order is new; 20 runs it later.
  const std::vector<int> oneTwoNineOne = numbersThatRun({1, 2, 9, 1});
  EXPECT_EQ(std::count(oneTwoNineOne.begin(), oneTwoNineOne.end(), 7), 0);
  EXPECT_EQ(std::count(oneTwoNineOne.begin(), oneTwoNineOne.end(), 20), 1);
  // The two zeros compare equal.
  EXPECT_EQ(numbersThatRun({0.0f, -0.0f, 0.0f, -0.0f}), std::vector<int>{1});
}

TEST(Arrangements, AgreeWithTheListedPairsOnRandomValues) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> value(1, 3);
  for (int i = 0; i < 2000; ++i) {
    const std::array<std::string, 4> texts = {
        std::to_string(value(random)), std::to_string(value(random)), std::to_string(value(random)),
        std::to_string(value(random))};
    const vantrel::Slots values = {std::stof(texts[0]), std::stof(texts[1]), std::stof(texts[2]),
                                   std::stof(texts[3])};
    const auto reference =
        vantrel::testing::referenceRawLines({texts[0], texts[1], texts[2], texts[3]});
    ASSERT_EQ(numbersThatRun(values), reference.arrangements);
  }
}

}  // namespace
