// One sweep over fixed slot values: which templates match and what they show.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "solver/template_sweep.h"
#include "tests/solver/reference_solver.h"

namespace {

using vantrel::Slots;

std::vector<int> matchNumbers(const vantrel::Matches& matches) {
  std::vector<int> numbers;
  for (std::size_t index : matches) numbers.push_back(static_cast<int>(index) + 1);
  return numbers;
}

struct SweepCase {
  const char* name;
  Slots slots;
  std::vector<int> templates;
  std::vector<std::string> firstLines;  // the lines of the first matches
};

void PrintTo(const SweepCase& c, std::ostream* os) {
  *os << c.name;
}

class Sweep : public testing::TestWithParam<SweepCase> {};

TEST_P(Sweep, MatchesTheExpectedTemplatesAndLines) {
  const SweepCase& c = GetParam();
  EXPECT_EQ(matchNumbers(vantrel::findMatches(c.slots)), c.templates);
  // The scalar, step-by-step evaluation agrees.
  EXPECT_EQ(vantrel::testing::referenceMatches(c.slots), c.templates);

  std::vector<std::string> lines;
  vantrel::sweep(c.slots, lines);
  ASSERT_EQ(lines.size(), c.templates.size());
  for (std::size_t i = 0; i < c.firstLines.size(); ++i) EXPECT_EQ(lines[i], c.firstLines[i]);
}

const float kTiny = std::ldexp(3.0f, -21);
const float kJustAbove24 = std::nextafter(24.0f, 100.0f);  // 24 + 2^-19
const float kHalfStep = std::ldexp(1.0f, -20);

INSTANTIATE_TEST_SUITE_P(
    Cases, Sweep,
    testing::Values(
        // 8 / (3 - 8 / 3) is 24 - 3 * 2^-48 in double and rounds to 24.
        SweepCase{"EightThreeEightThree", {8, 3, 8, 3}, {144}, {"8 / (3 - 8 / 3)"}},
        SweepCase{"FiveOneFiveFive", {5, 1, 5, 5}, {69}, {"(5 - 1 / 5) × 5"}},
        SweepCase{"FourSixOneOne",
                  {4, 6, 1, 1},
                  {76, 78, 87, 89, 107, 108, 115, 116},
                  {"4 × 6 + 1 - 1", "4 × (6 + 1 - 1)"}},
        SweepCase{"OneTwoThreeFour", {1, 2, 3, 4}, {4, 107}, {"(1 + 2 + 3)×4", "1 × 2 × 3 × 4"}},
        // 0 / 0 gives NaN in templates such as 117 and must not match.
        SweepCase{"ZeroZeroThreeEight", {0, 0, 3, 8}, {3, 4, 39, 40, 79, 81}, {"0 + 0 + 3×8"}},
        SweepCase{"AllZero", {0, 0, 0, 0}, {}, {}},
        // (A + B) / (C - D) would be exactly 24, but C - D = 2^-24 fails the guard.
        SweepCase{"GuardSkips", {kTiny, 0, 0.5f + std::ldexp(1.0f, -24), 0.5f}, {}, {}},
        // The product 1e60 only exists in double precision.
        SweepCase{"HugeIntermediate",
                  {1e30f, 1e30f, 1e30f, static_cast<float>(1e30 / 24)},
                  {12, 36, 41, 42, 72, 116, 129, 133, 152, 155},
                  {}},
        SweepCase{"NextFloatAbove24", {kJustAbove24, 0, 0, 0}, {}, {}},
        // 24 + 2^-20 in double lies half-way to the next float and rounds to
        // 24 (ties to even): A + B + C + D and its relatives match.
        SweepCase{"HalfStepAbove24RoundsTo24",
                  {24, kHalfStep, 0, 0},
                  vantrel::testing::referenceMatches({24, kHalfStep, 0, 0}),
                  {}},
        SweepCase{"Infinities", {std::numeric_limits<float>::infinity(), 1, 2, 3}, {}, {}}));

TEST(Sweep, HalfStepBoundaryIsInclusiveAndNothingBeyondMatches) {
  const auto templateOneMatches = [](float a, float b) {
    const auto numbers = matchNumbers(vantrel::findMatches({a, b, 0, 0}));
    return !numbers.empty() && numbers.front() == 1;
  };
  EXPECT_TRUE(templateOneMatches(24, kHalfStep));
  EXPECT_TRUE(templateOneMatches(24, -kHalfStep));
  const float beyond = kHalfStep + std::ldexp(1.0f, -40);
  EXPECT_FALSE(templateOneMatches(24, beyond));
  EXPECT_FALSE(templateOneMatches(24, -beyond));
}

TEST(MatchTest, AcceptsOnlyTheFloat24) {
  EXPECT_TRUE(vantrel::isTwentyFour(24.0));
  EXPECT_TRUE(vantrel::isTwentyFour(24.0 + std::ldexp(1.0, -20)));
  EXPECT_TRUE(vantrel::isTwentyFour(24.0 - std::ldexp(1.0, -20)));
  EXPECT_FALSE(vantrel::isTwentyFour(std::nextafter(24.0 + std::ldexp(1.0, -20), 25.0)));
  EXPECT_FALSE(vantrel::isTwentyFour(std::nextafter(24.0 - std::ldexp(1.0, -20), 23.0)));
  EXPECT_FALSE(vantrel::isTwentyFour(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(vantrel::isTwentyFour(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(vantrel::isTwentyFour(-24.0));
}

TEST(Sweep, AppendsWithoutLookingAtTheList) {
  std::vector<std::string> lines = {"keep me"};
  vantrel::sweep({6, 6, 6, 6}, lines);
  vantrel::sweep({6, 6, 6, 6}, lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"keep me", "6 + 6 + 6 + 6", "6 × 6 - 6 - 6",
                                             "6 + 6 + 6 + 6", "6 × 6 - 6 - 6"}));
}

// Two different fillings swept side by side must each match exactly what a
// plain one-at-a-time evaluation finds, whatever the other lane holds.
TEST(Sweep, PairedSweepsAgreeWithPlainEvaluation) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> small(0, 13);
  std::uniform_int_distribution<int> kind(0, 9);
  const auto pick = [&]() -> float {
    switch (kind(random)) {
      case 0:
        return -static_cast<float>(small(random));
      case 1:
        return static_cast<float>(small(random)) / 4.0f;
      case 2:
        return 0.0f;
      case 3:
        return 24.0f;
      default:
        return static_cast<float>(small(random));
    }
  };
  int matched = 0;
  for (int i = 0; i < 20000; ++i) {
    const Slots first = {pick(), pick(), pick(), pick()};
    const Slots second = {pick(), pick(), pick(), pick()};
    const auto both = vantrel::findMatches(first, second);
    ASSERT_EQ(matchNumbers(both[0]), vantrel::testing::referenceMatches(first));
    ASSERT_EQ(matchNumbers(both[1]), vantrel::testing::referenceMatches(second));
    matched += static_cast<int>(both[0].size() + both[1].size());
  }
  EXPECT_GT(matched, 10000);  // the inputs really exercise the match path
}

}  // namespace
