// The engine of distinct solutions: known hands, every hand of 1..13 and
// random hands against the brute force of reference.cpp, exactness beyond 64
// bits, and what it takes as a number.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "distinct/distinct.h"
#include "tests/distinct/reference.h"

namespace vantrel::distinct {
namespace {

std::vector<std::string> solveHand(const std::vector<std::string>& hand, std::string_view target) {
  const std::vector<std::string_view> numbers(hand.begin(), hand.end());
  return solve(numbers, target);
}

// The lines are the ideas of the brute force, one each, each read back to the
// target and written with the fewest brackets its idea's line may have.
void expectAgreement(const std::vector<std::string>& hand, const std::string& target) {
  SCOPED_TRACE(::testing::PrintToString(hand) + " for " + target);
  const testing::ReferenceHand reference(hand, target);
  const testing::ReferenceIdeas expected = reference.ideas();
  const std::vector<std::string> lines = solveHand(hand, target);
  EXPECT_EQ(lines.size(), expected.brackets.size());
  std::vector<bool> seen(expected.brackets.size(), false);
  for (const std::string& line : lines) {
    const testing::ReferenceHand::Line read = reference.read(line);
    ASSERT_EQ(read.problem, "") << line;
    const auto idea = expected.ideaOf.find(read.print);
    ASSERT_NE(idea, expected.ideaOf.end()) << line << ": not a solution of the brute force";
    ASSERT_FALSE(seen[idea->second]) << line << ": an idea of an earlier line";
    seen[idea->second] = true;
    EXPECT_EQ(read.brackets, expected.brackets[idea->second])
        << line << ": not the fewest brackets";
  }
}

TEST(DistinctSolutions, KnownHands) {
  struct Case {
    std::vector<std::string> hand;
    std::string target;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      // A 1 that multiplies does nothing: struck out, and joined last.
      {{"1", "2", "3", "4"}, "24", {"2 × 3 × 4 × 1", "(1 + 2 + 3) × 4", "(1 + 3) × (2 + 4)"}},
      {{"3", "3", "8", "8"}, "24", {"8 / (3 - 8 / 3)"}},
      // The two 5s agree only once they are taken as one number.
      {{"5", "5", "1", "1"}, "24", {"(5 × 5 - 1) × 1", "(1 + 5) × (5 - 1)"}},
      {{"1", "1", "1", "24"}, "24", {"24 × 1 × 1 × 1"}},
      // Parts worth 0 or 1 that do nothing, wherever they are: one idea.
      {{"12", "12", "13", "13"}, "24", {"12 + 12 + 13 - 13"}},
      {{"1", "2", "11", "13"}, "24", {"(11 + 13) × (2 - 1)"}},
      {{"2", "2", "4", "6"},
       "24",
       {"4 × 6 + 2 - 2", "(2 + 4 + 6) × 2", "(4 / 2 + 2) × 6", "(4 - 2) × 2 × 6",
        "(2 + 4) × (6 - 2)"}},
      {{"2", "2", "2", "12"}, "24", {"2 × 12 + 2 - 2", "(2 × 2 - 2) × 12", "(2 + 2) × 12 / 2"}},
      // 1 / 2 is a reciprocal, not a part worth 1.
      {{"1", "1", "2", "12"}, "24", {"2 × 12 × 1 × 1", "12 / (1 - 1 / 2)"}},
      // For 0 a part worth 0 absorbs what multiplies it, and a solution and
      // its negation (2 + 3 - 1 - 4) are one.
      {{"1", "2", "3", "4"},
       "0",
       {"4 / 2 + 1 - 3", "1 + 4 - 2 - 3", "(1 + 2 - 3) × 4", "(1 + 3 - 4) × 2", "(1 - 3) × 2 + 4",
        "4 / (1 - 3) + 2"}},
      {{"13", "14", "15", "16", "17"},
       "100",
       {"(13 + 15) × (17 - 14) + 16", "(14 + 15) × (17 - 13) - 16"}},
      {{"1", "1", "1", "1"}, "24", {}},
      {{"24"}, "24", {"24"}},
      // Exact: a tenth is a tenth.
      {{"0.1", "0.2"}, "0.3", {"0.1 + 0.2"}},
      {{"-3", "3/4", "+2"},
       "-4.5",
       {"(-3) × (3/4) × (+2)", "(-3) - (3/4) × (+2)", "((-3) + (3/4)) × (+2)"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(solveHand(c.hand, c.target), c.lines) << ::testing::PrintToString(c.hand);
  }
  EXPECT_EQ(solveHand({"2", "3", "6", "12"}, "24").size(), 10u);
  EXPECT_EQ(solveHand({"1", "2", "3", "4", "5"}, "24").size(), 48u);
  EXPECT_EQ(solveHand({"1", "2", "3", "4", "5", "6"}, "24").size(), 746u);
  EXPECT_EQ(solveHand({"3", "5", "8", "13", "21", "34", "55"}, "24").size(), 1153u);
}

TEST(DistinctSolutions, AgreeWithBruteForceOnEveryHandOf1To13) {
  for (int a = 1; a <= 13; ++a) {
    for (int b = a; b <= 13; ++b) {
      for (int c = b; c <= 13; ++c) {
        for (int d = c; d <= 13; ++d) {
          expectAgreement(
              {std::to_string(a), std::to_string(b), std::to_string(c), std::to_string(d)}, "24");
          if (::testing::Test::HasFailure()) return;
        }
      }
    }
  }
}

// Hands of 2 to 6 numbers of every kind the engine reads, for a target that
// some tree over them makes, in any order of the hand.
TEST(DistinctSolutions, AgreeWithBruteForceOnRandomHands) {
  const std::vector<std::string> numbers = {"0",   "1",  "1",    "2",   "3",    "-1",  "-4",
                                            "7",   "12", "0.5",  "1/2", "-2.5", "3/4", "-7/2",
                                            "1e1", "+6", "0.25", "5",   "5",    "9"};
  std::mt19937 random(7);
  for (int round = 0; round < 120; ++round) {
    const std::size_t size = round < 100 ? 2 + round % 4 : 6;
    std::vector<std::string> hand;
    for (std::size_t i = 0; i < size; ++i) hand.push_back(numbers[random() % numbers.size()]);
    // A target some solution reaches: the value of one line of the hand
    // solved for no target at all is not at hand, so take a simple tree.
    const std::vector<std::string> targets = {"24", "0", "1", "-3", "1/2", "10"};
    std::string target = targets[random() % targets.size()];
    expectAgreement(hand, target);
    std::vector<std::string> shuffled = hand;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EXPECT_EQ(solveHand(shuffled, target), solveHand(hand, target));
    if (::testing::Test::HasFailure()) return;
  }
  // x + y - u × v and u × v / (x + y) once had the same shape, and the search
  // kept one of them.
  expectAgreement({"2", "3/2", "3/2", "-2", "0.5"}, "3/4");
}

// Values far beyond 64 bits on the way, and in the numbers themselves.
TEST(DistinctSolutions, StayExactBeyond64Bits) {
  const std::string big = "999999999999999999";
  expectAgreement({big, big, "2", "3"}, "5");
  expectAgreement({big, "1/" + big, "0.000000000000000001", "7"}, "8");
  expectAgreement({"123456789012345678", "987654321098765432", "10"}, "-10");
}

// A formula in postfix: the places of the hand's numbers as given, and + - * /.
std::vector<FormulaStep> postfix(std::string_view text) {
  std::vector<FormulaStep> steps;
  for (char c : text) {
    using enum FormulaStep::Kind;
    if (c >= '0' && c <= '9') steps.push_back({kNumber, static_cast<std::uint8_t>(c - '0')});
    if (c == '+') steps.push_back({kAdd});
    if (c == '-') steps.push_back({kSubtract});
    if (c == '*') steps.push_back({kMultiply});
    if (c == '/') steps.push_back({kDivide});
  }
  return steps;
}

TEST(DistinctSolutions, TellWhichSolutionAFormulaIs) {
  struct Case {
    std::vector<std::string_view> hand;
    std::string_view target;
    std::string_view formula;
    std::string line;  // empty: none
  };
  const std::vector<Case> cases = {
      {{"1", "2", "3", "4"}, "24", "1 2 * 3 * 0 /", "2 × 3 × 4 × 1"},
      {{"4", "3", "2", "1"}, "24", "3 2 + 1 + 0 *", "(1 + 2 + 3) × 4"},
      // Equal numbers exchanged, and written alike or not.
      {{"5", "5", "1", "1"}, "24", "2 0 + 1 3 - *", "(1 + 5) × (5 - 1)"},
      {{"5", "5", "1", "1"}, "24", "3 1 + 0 2 - *", "(1 + 5) × (5 - 1)"},
      {{"5", "5", "1", "1"}, "24", "0 1 2 / * 3 -", "(5 × 5 - 1) × 1"},
      {{"3", "8", "3", "8"}, "24", "3 2 1 0 / - /", "8 / (3 - 8 / 3)"},
      {{"3", "3.0", "8", "8"}, "24", "2 0 3 1 / - /", "8 / (3 - 8 / 3.0)"},
      {{"3", "3.0", "8", "8"}, "24", "3 1 2 0 / - /", "8 / (3 - 8 / 3.0)"},
      // Parts that do nothing, wherever they are.
      {{"0.5", "1/2", "12", "2"}, "24", "2 3 * 1 0 + *", "2 × 12 + 0.5 - (1/2)"},
      {{"1", "2", "11", "13"}, "24", "1 0 - 2 * 3 +", "(11 + 13) × (2 - 1)"},
      {{"1", "2", "11", "13"}, "24", "3 1 0 - / 2 +", "(11 + 13) × (2 - 1)"},
      {{"2", "2", "4", "6"}, "24", "0 2 + 1 - 3 *", "4 × 6 + 2 - 2"},
      {{"2", "6", "2", "4"}, "24", "0 3 * 2 / 1 *", "4 × 6 + 2 - 2"},
      {{"1", "2", "3", "4"}, "0", "1 2 + 0 - 3 -", "1 + 4 - 2 - 3"},
      {{"1", "2", "3", "4"}, "0", "0 1 + 2 - 3 *", "(1 + 2 - 3) × 4"},
      // Not a solution, or no formula over the hand.
      {{"1", "2", "3", "4"}, "24", "0 1 + 2 + 3 +", ""},
      {{"1", "2", "3", "4"}, "24", "0 1 * 2 *", ""},
      {{"1", "2", "3", "4"}, "24", "0 1 * 2 * 2 *", ""},
      {{"1", "2", "3", "4"}, "24", "0 1 * 2 * 4 *", ""},
      {{"1", "2", "3", "4"}, "24", "0 1 2 3 * *", ""},
      {{"1", "2", "3", "4"}, "24", "0 1 * 2 * 3 * *", ""},
  };
  for (const Case& c : cases) {
    const Solutions solutions(c.hand, c.target);
    const std::optional<std::size_t> way = solutions.wayOf(postfix(c.formula));
    EXPECT_EQ(way ? solutions.lines().at(*way) : "", c.line) << c.formula;
  }
}

TEST(DistinctSolutions, TakeNumbersAsWritten) {
  struct Case {
    std::string text;
    NumberProblem problem;
  };
  const std::vector<Case> cases = {
      {"12", NumberProblem::kNone},
      {" -0.5\t", NumberProblem::kNone},
      {".5", NumberProblem::kNone},
      {"2.", NumberProblem::kNone},
      {"1.5E-2", NumberProblem::kNone},
      {"+3/4", NumberProblem::kNone},
      {"999999999999999999", NumberProblem::kNone},
      {"0.000000000000000001", NumberProblem::kNone},
      {"9e17", NumberProblem::kNone},
      {"0.00001e19", NumberProblem::kNone},
      {"", NumberProblem::kEmpty},
      {"  ", NumberProblem::kEmpty},
      {"abc", NumberProblem::kMalformed},
      {"1/2/3", NumberProblem::kMalformed},
      {"3/-4", NumberProblem::kMalformed},
      {"1/2.5", NumberProblem::kMalformed},
      {"1e", NumberProblem::kMalformed},
      {"--1", NumberProblem::kMalformed},
      {"1 2", NumberProblem::kMalformed},
      {"1234567890123456789", NumberProblem::kTooLong},
      {"1e18", NumberProblem::kTooLong},
      {"0.0000000000000000001", NumberProblem::kTooLong},
      {"1/1234567890123456789", NumberProblem::kTooLong},
      {"3/0", NumberProblem::kZeroDenominator},
  };
  for (const Case& c : cases) EXPECT_EQ(checkNumber(c.text), c.problem) << c.text;
  const std::vector<std::string_view> tooMany(kMaxNumbers + 1, "1");
  EXPECT_THROW(solve(tooMany, "24"), std::invalid_argument);
  const std::vector<std::string_view> notANumber = {"1", "x"};
  EXPECT_THROW(solve(notANumber, "24"), std::invalid_argument);
}

}  // namespace
}  // namespace vantrel::distinct
