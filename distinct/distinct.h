#pragma once

// The second engine: every genuinely different way to reach a target from a
// hand of one to seven numbers, computed exactly.
//
// A solution uses every number of the hand once, with + - × / and brackets,
// never divides by zero (not even in a part), and its exact value is the
// target. Solutions that are equal as formulas whatever the numbers' values
// (equal as rational functions in which each number is a variable of its
// own, except that a number worth 0 or 1 stands for itself, and numbers of
// equal value may be exchanged) form a class. Solutions are the same idea
// when what is left of them once every part that does nothing is struck out
// (a part worth 0 added or subtracted, or worth 1 multiplying or dividing) is
// the same (see ideas.h). Each idea is written once: as the member of its
// classes with the fewest brackets, or, where parts do nothing, as what is
// left with such a part joined last.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::distinct {

// The largest hand.
inline constexpr std::size_t kMaxNumbers = 7;
// The most digits a number may have before and after its decimal point
// (counting what an exponent adds), or above and below a fraction's slash.
inline constexpr std::size_t kMaxDigits = 18;

// What keeps a text from being a number of a hand or a target.
enum class NumberProblem {
  kNone,
  kEmpty,            // nothing but blanks
  kMalformed,        // not an integer, a decimal or a fraction such as 3/4
  kTooLong,          // more digits than kMaxDigits somewhere
  kZeroDenominator,  // a fraction over zero
};

// Numbers are written as an optional sign, then digits with an optional
// decimal point and an optional exponent ("12", "-0.5", ".5", "2e3",
// "1.5E-2"), or as a fraction of two whole numbers, the sign before it
// ("3/4", "-7/2"). Blanks (space, tab) may stand around them. 0.1 is exactly
// one tenth.
NumberProblem checkNumber(std::string_view text);

// A formula over a hand, as a reader of a player's typed answer makes it: its
// nodes in postfix order; a number is the place of one of the hand's numbers
// as they were given.
struct FormulaStep {
  enum class Kind : std::uint8_t { kNumber, kAdd, kSubtract, kMultiply, kDivide };
  Kind kind;
  std::uint8_t number = 0;  // for kNumber
};

// Every genuinely different solution of a hand, and which of them a formula
// is.
class Solutions {
 public:
  // Takes 1 to kMaxNumbers numbers; every number and the target must pass
  // checkNumber, or std::invalid_argument is thrown.
  Solutions(std::span<const std::string_view> numbers, std::string_view target);
  ~Solutions();
  Solutions(Solutions&&) noexcept;
  Solutions& operator=(Solutions&&) noexcept;

  // One line for each solution, in a fixed order, written like the solve
  // command's: spaces around the operators, × and /, each number as it was
  // written (without the blanks around it), and a negative number or a
  // fraction in brackets.
  const std::vector<std::string>& lines() const;

  // The place in lines() of the solution that formula is the same as.
  // formula must be a solution of the hand (each number once, no division by
  // zero, its value the target): nullopt when it matches none, and for
  // anything that is no formula over the hand.
  std::optional<std::size_t> wayOf(std::span<const FormulaStep> formula) const;

  struct Data;

 private:
  std::unique_ptr<Data> data_;
};

// Solutions(numbers, target).lines().
std::vector<std::string> solve(std::span<const std::string_view> numbers, std::string_view target);

// The line that ends a list of count solutions: "共有N种不同的算法！".
std::string summaryLine(std::size_t count);

// The lines a front end shows for the solutions: each of them and then the
// summary line, or the no-solution line alone when there are none.
std::vector<std::string> resultLines(std::vector<std::string> solutions);

}  // namespace vantrel::distinct
