#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "solver/remove_repeats.h"
#include "solver/solve.h"
#include "tests/solver/expression_reader.h"
#include "tests/solver/reference_solver.h"

namespace {

using vantrel::InputTexts;
using vantrel::solve;
using Lines = std::vector<std::string>;

const std::string kMissing(vantrel::kMissingInputLine);
const std::string kNoSolution(vantrel::kNoSolutionLine);

TEST(Solve, AnEmptyTextAsksForFourNumbers) {
  for (const InputTexts& texts : {InputTexts{"1", "2", "", "4"}, InputTexts{"", "", "", ""},
                                  InputTexts{"", "2", "3", "4"}, InputTexts{"1", "2", "3", ""}}) {
    const auto result = solve(texts);
    EXPECT_TRUE(result.inputMissing);
    EXPECT_EQ(result.lines, Lines{kMissing});
  }
}

TEST(Solve, TextsThatAreNotNumbersPassTheCheckAsZero) {
  const auto result = solve({" ", "x", "3", "8"});
  EXPECT_FALSE(result.inputMissing);
  EXPECT_EQ(result.lines, solve({"0", "0", "3", "8"}).lines);
}

TEST(Solve, NoSolutionGivesOneLine) {
  EXPECT_EQ(solve({"1", "1", "1", "1"}).lines, Lines{kNoSolution});
  EXPECT_EQ(solve({"0", "0", "0", "0"}).lines, Lines{kNoSolution});
  EXPECT_FALSE(solve({"1", "1", "1", "1"}).inputMissing);
}

TEST(Solve, KnownHands) {
  EXPECT_EQ(solve({"6", "6", "6", "6"}).lines,
            (Lines{"6 + 6 + 6 + 6", "6 × 6 - 6 - 6", "共有2种算法！"}));
  EXPECT_EQ(solve({"3", "3", "8", "8"}).lines, (Lines{"8 / (3 - 8 / 3)", "共有1种算法！"}));
  // Arrangement 20, not 7, brings the last line: the order shows which ran.
  EXPECT_EQ(solve({"1", "2", "9", "1"}).lines,
            (Lines{"(1 + 2) × (9 - 1)", "(9 - 1) × (2 + 1)", "(9 - 1) × (1 + 2)",
                   "(2 + 1) × (9 - 1)", "共有4种算法！"}));
  EXPECT_EQ(solve({"2", "2", "2", "3"}).lines.back(), "共有10种算法！");
  EXPECT_EQ(solve({"1", "2", "3", "4"}).lines.size(), 63u);
  EXPECT_EQ(solve({"1", "2", "3", "4"}).lines.front(), "(1 + 2 + 3)×4");
  EXPECT_EQ(solve({"1", "2", "3", "4"}).lines.back(), "共有62种算法！");
  EXPECT_EQ(solve({"1", "1", "1", "24"}).lines.back(), "共有78种算法！");
}

TEST(Solve, RawLineCountsBeforeRepeatsAreRemoved) {
  EXPECT_EQ(vantrel::testing::referenceRawLines({"2", "2", "2", "3"}).lines.size(), 41u);
  EXPECT_EQ(vantrel::testing::referenceRawLines({"1", "1", "1", "24"}).lines.size(), 306u);
  EXPECT_EQ(vantrel::testing::referenceRawLines({"1", "2", "3", "4"}).lines.size(), 62u);
  EXPECT_EQ(vantrel::testing::referenceRawLines({"3", "3", "8", "8"}).lines.size(), 4u);
}

TEST(RemoveRepeats, KeepsFirstCopiesInOrderLikeTheQuadraticMethod) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> word(0, 40);
  for (int round = 0; round < 300; ++round) {
    Lines lines;
    const int count = round % 60;
    for (int i = 0; i < count; ++i) {
      // Short lines stay inside the string's own buffer, long ones do not:
      // moving both kinds must keep the texts intact.
      const int w = word(random);
      lines.push_back(w % 2 == 0 ? std::to_string(w) : std::string(30, 'x') + std::to_string(w));
    }
    Lines expected = lines;
    vantrel::testing::removeRepeatsQuadratic(expected);
    vantrel::removeRepeats(lines);
    ASSERT_EQ(lines, expected);
  }
}

// Inputs of every kind the command accepts, against the plain method.
TEST(Solve, AgreesWithThePlainMethod) {
  std::mt19937 random(99);
  const std::vector<std::string> pool = {"0",  "1",    "2",   "3",   "4",   "6",   "8",  "12",
                                         "24", "-1",   "-3",  "0.5", "1.5", "2e1", "-0", "13",
                                         "99", "1e30", "abc", "7",   "9",   "10",  "5",  ".25"};
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  for (int i = 0; i < 3000; ++i) {
    const InputTexts texts = {pool[pick(random)], pool[pick(random)], pool[pick(random)],
                              pool[pick(random)]};
    ASSERT_EQ(solve(texts).lines, vantrel::testing::referenceSolve(texts))
        << texts[0] << ' ' << texts[1] << ' ' << texts[2] << ' ' << texts[3];
  }
}

// Every line, read back and evaluated with exact fractions, is 24: with whole
// numbers up to 99 no rounding can make a wrong expression pass.
TEST(Solve, EveryLineIsExactly24AndTheSummaryCountsThem) {
  std::mt19937 random(24);
  std::uniform_int_distribution<int> number(0, 99);
  std::uniform_int_distribution<int> card(1, 13);
  int solved = 0;
  for (int i = 0; i < 3000; ++i) {
    auto& draw = i % 2 == 0 ? number : card;
    const std::array<std::string, 4> hand = {
        std::to_string(draw(random)), std::to_string(draw(random)), std::to_string(draw(random)),
        std::to_string(draw(random))};
    const Lines lines = solve({hand[0], hand[1], hand[2], hand[3]}).lines;
    ASSERT_FALSE(lines.empty());
    if (lines == Lines{kNoSolution}) continue;
    ++solved;
    const std::size_t count = lines.size() - 1;
    ASSERT_EQ(lines.back(), "共有" + std::to_string(count) + "种算法！");
    ASSERT_EQ(std::set<std::string>(lines.begin(), lines.end() - 1).size(), count);
    for (std::size_t j = 0; j < count; ++j) {
      const auto expression = vantrel::testing::readExpression(lines[j]);
      ASSERT_TRUE(expression) << lines[j];
      const auto value = vantrel::testing::exactValue(*expression);
      ASSERT_TRUE(value) << lines[j];
      ASSERT_EQ(*value, (vantrel::testing::Fraction{24, 1})) << lines[j];
      // Each of the four numbers is used once.
      std::multiset<std::string> operands;
      const auto collect = [&](const vantrel::testing::Expression& e, auto& self) -> void {
        if (e.op == 0) {
          operands.insert(e.operand);
        } else {
          self(*e.left, self);
          self(*e.right, self);
        }
      };
      collect(*expression, collect);
      ASSERT_EQ(operands, std::multiset<std::string>(hand.begin(), hand.end())) << lines[j];
    }
  }
  EXPECT_GT(solved, 500);
}

}  // namespace
