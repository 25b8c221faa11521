// The template table checked against the rules it was written from.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "solver/expression_templates.h"
#include "solver/formula.h"
#include "tests/solver/expression_reader.h"

namespace {

using vantrel::kTemplates;
using vantrel::testing::bracketed;
using vantrel::testing::Expression;
using vantrel::testing::readExpression;

bool isAdditive(char op) {
  return op == '+' || op == '-';
}

// The templates as the ordering rules generate them: operator triples with
// o1 slowest, each running + - × / except o3 running - + × / when o1 is
// additive and o2 is ×; then the bracketings for the triple's kinds, with
// 1, 2, 3 standing for o1, o2, o3.
std::vector<std::string> patternsFromRules() {
  const std::vector<std::vector<std::string>> bracketings = {
      {"A1B2C3D"},                                         // + + +
      {"A1B2C3D", "(A1B2C)3D"},                            // + + ×
      {"A1B2C3D", "(A1B)2C3D", "(A1B)2(C3D)"},             // + × +
      {"A1B2C3D", "(A1B)2C3D", "(A1B2C)3D"},               // + × ×
      {"A1B2C3D", "A1(B2C)3D", "A1(B2C3D)"},               // × + +
      {"A1B2C3D", "A1(B2C)3D", "(A1B2C)3D", "A1(B2C3D)"},  // × + ×
      {"A1B2C3D", "A1B2(C3D)", "A1(B2C3D)"},               // × × +
      {"A1B2C3D"},                                         // × × ×
  };
  const std::string ops = "+-*/";
  std::vector<std::string> patterns;
  for (char o1 : ops) {
    for (char o2 : ops) {
      const std::string thirds = isAdditive(o1) && o2 == '*' ? "-+*/" : "+-*/";
      for (char o3 : thirds) {
        const int kinds =
            (isAdditive(o1) ? 0 : 4) + (isAdditive(o2) ? 0 : 2) + (isAdditive(o3) ? 0 : 1);
        const bool tightTimes = isAdditive(o1) && o2 == '+' && o3 == '*';
        for (const std::string& shape : bracketings[static_cast<std::size_t>(kinds)]) {
          std::string pattern;
          for (char c : shape) {
            if (c < '1' || c > '3') {
              pattern += c;
              continue;
            }
            const char op = c == '1' ? o1 : c == '2' ? o2 : o3;
            if (op == '*' && tightTimes) {
              pattern += "×";
            } else {
              pattern += std::string(" ") + (op == '*' ? "×" : std::string(1, op)) + " ";
            }
          }
          patterns.push_back(pattern);
        }
      }
    }
  }
  return patterns;
}

TEST(Templates, AreNumberedInOrderAndFollowTheOrderingRules) {
  const std::vector<std::string> expected = patternsFromRules();
  ASSERT_EQ(expected.size(), kTemplates.size());
  for (std::size_t i = 0; i < kTemplates.size(); ++i) {
    EXPECT_EQ(kTemplates[i].number, static_cast<int>(i + 1));
    EXPECT_EQ(kTemplates[i].pattern, expected[i]) << "template " << i + 1;
  }
}

TEST(Templates, PatternReadWithPrecedenceGroupsLikeTheValue) {
  for (const auto& t : kTemplates) {
    const auto pattern = readExpression(t.pattern);
    const auto value = readExpression(t.value);
    ASSERT_TRUE(pattern && value) << "template " << t.number;
    EXPECT_EQ(bracketed(*pattern), bracketed(*value)) << "template " << t.number;
    // The value is written fully bracketed: reading it back gives it again.
    EXPECT_EQ(bracketed(*value), t.value) << "template " << t.number;
  }
}

std::string postfix(const Expression& e) {
  if (e.op == 0) return e.operand;
  return postfix(*e.left) + postfix(*e.right) + e.op;
}

std::string postfix(const vantrel::formula::Program& program) {
  std::string text;
  for (std::size_t i = 0; i < program.size; ++i)
    text += "ABCD+-*/"[static_cast<int>(program.steps[i])];
  return text;
}

TEST(Templates, CompileToTheirOwnPostfixForm) {
  for (const auto& t : kTemplates) {
    EXPECT_EQ(postfix(vantrel::formula::compile(t.value)), postfix(*readExpression(t.value)))
        << "template " << t.number;
  }
}

// Every divisor of a template that is a bracketed group containing a
// subtraction; the rule says each guarded template has exactly one.
void collectSubtractingDivisors(const Expression& e, std::vector<std::string>& out) {
  if (e.op == 0) return;
  const auto containsMinus = [](const Expression& node, auto& self) -> bool {
    return node.op == '-' || (node.op != 0 && (self(*node.left, self) || self(*node.right, self)));
  };
  if (e.op == '/' && containsMinus(*e.right, containsMinus)) out.push_back(bracketed(*e.right));
  collectSubtractingDivisors(*e.left, out);
  collectSubtractingDivisors(*e.right, out);
}

TEST(Templates, GuardExactlyTheDivisorsThatContainASubtraction) {
  int guarded = 0;
  for (const auto& t : kTemplates) {
    std::vector<std::string> divisors;
    collectSubtractingDivisors(*readExpression(t.value), divisors);
    if (t.guard.empty()) {
      EXPECT_TRUE(divisors.empty()) << "template " << t.number << " needs a guard";
      continue;
    }
    ++guarded;
    ASSERT_EQ(divisors.size(), 1u) << "template " << t.number;
    EXPECT_EQ(divisors[0], bracketed(*readExpression(t.guard))) << "template " << t.number;
  }
  EXPECT_EQ(guarded, 15);
}

TEST(Templates, NoTwoComputeTheSameFunction) {
  std::mt19937 random(160);
  std::uniform_real_distribution<double> operand(0.5, 9.5);
  for (int round = 0; round < 3; ++round) {
    const vantrel::formula::Operands x = {operand(random), operand(random), operand(random),
                                          operand(random)};
    std::set<double> values;
    for (const auto& t : kTemplates) {
      values.insert(vantrel::formula::interpret(vantrel::formula::compile(t.value), x));
    }
    EXPECT_EQ(values.size(), kTemplates.size());
  }
}

}  // namespace
