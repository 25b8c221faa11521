// Checking answers: one table of right, wrong and unreadable answers, and
// every line the exact engine lists for every hand of 1..13 checked as right.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "distinct/distinct.h"
#include "practice/check.h"
#include "practice/round.h"

namespace vantrel::practice {
namespace {

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> result;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    result.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return result;
}

// A verdict in a few words: its kind, its details, where ("@begin-end").
std::string describe(const Verdict& verdict) {
  constexpr const char* kKinds[] = {
      "right",    "no solution",      "unreadable", "not in hand", "used too often",
      "left out", "division by zero", "value",      "note"};
  constexpr const char* kProblems[] = {
      "",          "empty",           "too long",       "too deep",         "unexpected",
      "malformed", "number too long", "missing number", "missing operator", "sign",
      "unclosed",  "unopened",        "mismatched",     "misplaced ="};
  std::ostringstream out;
  out << kKinds[static_cast<int>(verdict.kind)];
  if (verdict.kind == VerdictKind::kUnreadable) out << ' ' << kProblems[int(verdict.problem)];
  if (!verdict.number.empty()) out << ' ' << verdict.number;
  for (int card : verdict.cardsLeftOut) out << " #" << card;
  for (const Step& step : verdict.steps) {
    if (step.kind == formula::Kind::kNumber) {
      out << ' ' << int{step.card};
    } else {
      out << ' ' << "+-*/"[static_cast<int>(step.kind) - 1];
    }
  }
  if (verdict.where != formula::Range{})
    out << " @" << verdict.where.begin << '-' << verdict.where.end;
  return out.str();
}

// The value of a right answer's steps over the hand's cards.
distinct::BigRational valueOf(const std::vector<Step>& steps, const Puzzle& puzzle) {
  std::vector<distinct::BigRational> stack;
  for (const Step& step : steps) {
    if (step.kind == formula::Kind::kNumber) {
      stack.push_back(puzzle.cards.at(step.card).value());
      continue;
    }
    const distinct::BigRational right = stack.back();
    stack.pop_back();
    distinct::BigRational& left = stack.back();
    switch (step.kind) {
      case formula::Kind::kAdd:
        left += right;
        break;
      case formula::Kind::kSubtract:
        left -= right;
        break;
      case formula::Kind::kMultiply:
        left *= right;
        break;
      default:
        left /= right;
        break;
    }
  }
  EXPECT_EQ(stack.size(), 1u);
  return stack.back();
}

struct Case {
  std::string hand;
  std::string answer;
  std::string verdict;
};

TEST(Check, Answers) {
  const std::string deep = std::string(formula::kMaxDepth + 1, '(') + "3";
  const Case cases[] = {
      // Right, with the cards each number takes, equal ones in turn.
      {"3 3 8 8", "8 / (3 - 8 / 3)", "right 2 0 3 1 / - /"},
      {"3 3 8 8", "８÷（３−８／３）＝２４", "right 2 0 3 1 / - /"},
      {"3 3 8 8", "[8 / (3 - 8 / 3)] = 24.0", "right 2 0 3 1 / - /"},
      {"13 11 1 12", "(k - J) × q × a", "right 0 1 - 3 * 2 *"},
      {"-3 2 5 1", "(1 - 5) × (-3) × 2", "right 3 2 - 0 * 1 *"},
      {"1 1 1 1", " 无解\u3000", "no solution"},
      {"1 1 1 1", "No \tSolution", "no solution"},
      {"1 1 1 1", "no solutions", "unreadable unexpected @0-1"},
      // Unreadable, at the first thing that cannot be read.
      {"3 3 8 8", "", "unreadable empty"},
      {"3 3 8 8", " \t\u3000", "unreadable empty @0-3"},
      {"3 3 8 8", std::string(formula::kMaxLength + 2, '8'), "unreadable too long @1000-1002"},
      {"3 3 8 8", deep, "unreadable too deep @100-101"},
      {"3 3 8 8", "3 x 8", "unreadable unexpected @2-3"},
      {"3 3 8 8", "😀 + 3", "unreadable unexpected @0-2"},
      {"3 3 8 8", "８ + \xE2\x82 3", "unreadable unexpected @4-5"},
      {"3 3 8 8", "3 + \xC0\xAF", "unreadable unexpected @4-5"},
      {"3 3 8 8", "8 * 2e", "unreadable unexpected @5-6"},
      {"3 3 8 8", "1.2.3 * 8", "unreadable malformed @0-5"},
      {"3 3 8 8", "1234567890123456789 - 8", "unreadable number too long @0-19"},
      {"3 3 8 8", "3 * / 8", "unreadable missing number @4-5"},
      {"3 3 8 8", "()", "unreadable missing number @1-2"},
      {"3 3 8 8", "3 * 8 +", "unreadable missing number @7-7"},
      {"3 3 8 8", "3 * 8 =", "unreadable missing number @7-7"},
      {"3 3 8 8", "3 (8)", "unreadable missing operator @2-3"},
      {"3 3 8 8", "-3 + 27", "unreadable sign @0-1"},
      {"3 3 8 8", "(-3 + 27)", "unreadable sign @1-2"},
      {"3 3 8 8", "8 / (3 - 8 / 3", "unreadable unclosed @4-5"},
      {"3 3 8 8", "(3 + 3) * 8)", "unreadable unopened @11-12"},
      {"3 3 8 8", "[3 + 3) * 8", "unreadable mismatched @6-7"},
      {"3 3 8 8", "24 = 3 * 8", "unreadable misplaced = @3-4"},
      // Then the numbers in the order of the text, the cards left out, a
      // division by zero, the value and the note.
      {"3 3 8 8", "4 * 6 / 0", "not in hand 4 @0-1"},
      {"1 2 3 4", "K + 11", "not in hand 13 @0-1"},
      {"3 3 8 8", "8 / (3 - (-8) / 3)", "not in hand -8 @10-12"},
      {"3 3 8 8", "8 * 3 * (8 / 8)", "used too often 8 @13-14"},
      {"3 3 8 8", "3 × 8", "left out #1 #3"},
      {"3 3 8 8", "8 / (3 - 3) * 8", "division by zero @4-11"},
      {"1 2 3 4", "(1 + 2) * 3 + 4 = 24", "value 13"},
      {"1 2 3 4", "1 / 2 + 3 * 4", "value 25/2"},
      {"1 2 3 4", "1 / 2 - 3 * 4", "value -23/2"},
      {"3 3 8 8", "8 / (3 - 8 / 3) = 25", "note 25 @18-20"},
  };
  for (const Case& c : cases) {
    const Puzzle puzzle = makePuzzle(words(c.hand));
    const Verdict verdict = check(c.answer, puzzle);
    EXPECT_EQ(describe(verdict), c.verdict) << c.answer << " for " << c.hand;
    if (verdict.kind == VerdictKind::kRight) {
      EXPECT_EQ(valueOf(verdict.steps, puzzle), 24) << c.answer;
    }
  }
}

// The engine's lines for every hand of 1..13 are right answers, each the way
// of its own line, and so is the hint's formula; hands without any are the
// ones to answer "no solution".
TEST(Check, EveryLineOfTheEngine) {
  for (int a = 1; a <= 13; ++a) {
    for (int b = a; b <= 13; ++b) {
      for (int c = b; c <= 13; ++c) {
        for (int d = c; d <= 13; ++d) {
          const Round round({a, b, c, d});
          const std::vector<std::string>& lines = round.ways();
          const std::string texts[] = {std::to_string(d), std::to_string(b), std::to_string(c),
                                       std::to_string(a)};
          const Puzzle shuffled =
              makePuzzle(std::vector<std::string_view>(std::begin(texts), std::end(texts)));
          EXPECT_EQ(hasSolution(shuffled), !lines.empty());
          for (std::size_t i = 0; i < lines.size(); ++i) {
            const Verdict verdict = check(lines[i], shuffled);
            ASSERT_EQ(verdict.kind, VerdictKind::kRight) << lines[i] << ": " << describe(verdict);
            ASSERT_EQ(valueOf(verdict.steps, shuffled), 24) << lines[i];
            EXPECT_EQ(round.check(lines[i]).way, i) << lines[i];
          }
          EXPECT_EQ(round.check("无解").right, lines.empty());
          EXPECT_EQ(round.hint().has_value(), !lines.empty());
          if (round.hint()) {
            const Round::Outcome hinted = round.check(round.hint()->formula);
            EXPECT_TRUE(hinted.right && hinted.way) << round.hint()->formula;
          }
        }
      }
    }
  }
}

// Other writings of a way are that way; a wrong answer is no way at all.
TEST(Round, TellsWhichWayAnAnswerIs) {
  const Round round({1, 2, 3, 4});
  const auto wayOf = [&](std::string_view answer) { return round.check(answer).way; };
  EXPECT_EQ(wayOf("4 * (3 + 2 + 1)"), wayOf("(1 + 2 + 3) × 4"));
  EXPECT_EQ(wayOf("(4 + 2) * (3 + 1)"), wayOf("(1 + 3) × (2 + 4)"));
  EXPECT_NE(wayOf("(4 + 2) * (3 + 1)"), wayOf("(1 + 2 + 3) × 4"));
  EXPECT_FALSE(round.check("1 + 2 + 3 + 4").right);
  EXPECT_FALSE(wayOf("1 + 2 + 3 + 4"));
  EXPECT_FALSE(round.check("无解").right);
  const Round eights({3, 3, 8, 8});
  EXPECT_EQ(eights.check("8 ÷ (３ − 8 ÷ 3)").way, 0u);
  EXPECT_EQ(eights.hint()->formula, "8 / (3 - 8 / 3)");
  // A hint does not go below zero where another way does not.
  EXPECT_FALSE(Round({1, 3, 11, 11}).hint()->traits.negative);
}

}  // namespace
}  // namespace vantrel::practice
