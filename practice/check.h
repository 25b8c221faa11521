#pragma once

// Checking a player's answer to a hand, exactly: whether it is right, and if
// not, what precisely is wrong. Kinds and data only; the front ends word
// them in the player's language.
//
// An answer is a formula (see formula/formula.h) or the claim that the hand
// has no solution: "无解", "無解" or "no solution" (any case, any blanks
// around and between the words). The checks run in the order a player finds
// most useful, and the first that fails is the verdict:
// 1. the claim of no solution, which the caller holds against hasSolution();
// 2. reading: where the text cannot be read as a formula;
// 3. the numbers, in the order of the text: each must be a card of the hand
//    (by value: K is 13, ".5" is 0.5), and no more often than the hand holds
//    it. A card that is a fraction cannot be named: "(3/4)" is 3 divided by 4;
// 4. every card used: the cards left out;
// 5. no division by zero, in any part;
// 6. the value, exactly;
// 7. the player's note "= n" at the end, where it is not the target.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/exact_number.h"
#include "formula/formula.h"

namespace vantrel::practice {

// A hand and the value its answers must reach.
struct Puzzle {
  std::vector<distinct::ExactNumber> cards;
  distinct::ExactNumber target;
};

// A hand of 1 to distinct::kMaxNumbers numbers and a target, as
// distinct::solve takes them; std::invalid_argument otherwise.
Puzzle makePuzzle(std::span<const std::string_view> cards, std::string_view target = "24");

// Whether any formula of the hand makes the target (asks the exact engine).
bool hasSolution(const Puzzle& puzzle);

// Whether the answer is the claim that the hand has no solution.
bool claimsNoSolution(std::string_view answer);

// One step of a formula in postfix order, over the hand's cards: a number is
// the card it uses, by its place in the hand (equal cards taken in the
// hand's order as the text uses them).
struct Step {
  formula::Kind kind = formula::Kind::kNumber;
  std::uint8_t card = 0;  // a number's card
  bool operator==(const Step&) const = default;
};

enum class VerdictKind : std::uint8_t {
  kRight,              // steps
  kNoSolutionClaimed,  // right exactly when hasSolution() is false
  kUnreadable,         // problem, where
  kNotInHand,          // number, where: a number that no card of the hand is worth
  kUsedTooOften,       // number, where: the use for which no such card is left
  kCardLeftOut,        // cardsLeftOut
  kDivisionByZero,     // where: the part worth zero that is divided by
  kWrongValue,         // number: the formula's value, exactly ("47/2")
  kWrongNote,          // number, where: the "= n" that is not the target
};

struct Verdict {
  VerdictKind kind = VerdictKind::kRight;
  formula::Problem problem = formula::Problem::kNone;
  formula::Range where;
  std::string number;
  std::vector<std::uint8_t> cardsLeftOut;  // places in the hand, in order
  std::vector<Step> steps;
};

// Checks a UTF-8 answer; places are in UTF-16 code units.
Verdict check(std::string_view answer, const Puzzle& puzzle);

}  // namespace vantrel::practice
