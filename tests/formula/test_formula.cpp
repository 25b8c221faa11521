// Reading the engine's lines back for hands of signed numbers, fractions,
// decimals and exponents: each reads and is worth the target exactly.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "distinct/distinct.h"
#include "formula/formula.h"

namespace vantrel::formula {
namespace {

TEST(Formula, EngineLinesReadBackToTheTarget) {
  const std::vector<std::vector<std::string_view>> hands = {
      {"24", "-3", "3/4", "0.5", "+2"},
      {"-47/2", "1e1", "-0.5", "2", "7/2"},
      {"2.5E-1", "-1/2", "-1/2", "0", "3"},
      {"10", "-7/3", "+1.25", "-2e-1", "6"},
  };
  for (const std::vector<std::string_view>& hand : hands) {
    distinct::ExactNumber target;
    ASSERT_EQ(distinct::readNumber(hand[0], target), distinct::NumberProblem::kNone);
    const std::vector<std::string> lines = distinct::solve({hand.begin() + 1, hand.end()}, hand[0]);
    EXPECT_FALSE(lines.empty()) << hand[0];
    for (const std::string& line : lines) {
      const Reading reading = read(line);
      ASSERT_EQ(reading.problem, Problem::kNone) << line << " at " << reading.where.begin;
      const Evaluation evaluation = evaluate(reading.formula);
      ASSERT_FALSE(evaluation.divisionByZero) << line;
      EXPECT_EQ(valueText(evaluation.values.back()), valueText(target.value())) << line;
    }
  }
}

}  // namespace
}  // namespace vantrel::formula
