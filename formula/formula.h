#pragma once

// Formulas as people type them and as the engines write them: read from
// UTF-8 text, and valued exactly.
//
// What a formula may hold:
// - numbers written as distinct::readNumber takes them, without a sign or a
//   slash: digits with an optional decimal point and exponent ("12", "0.5",
//   ".5", "2e3", "1.5E-2"), the digits ASCII or full-width (０-９);
// - the face cards A J Q K, in either case, ASCII or full-width: 1, 11, 12
//   and 13;
// - the operators + - * / × ÷, the full-width ＋ － ＊ ／ and the minus sign
//   U+2212, with × and / before + and -, and each group from the left;
// - round brackets ( ) and （ ）, either width closing either, and square
//   ones [ ];
// - blanks (space, tab, the ideographic space U+3000) anywhere between those;
// - a negative number written the engine's way: a sign right after an
//   opening bracket, before a number, the bracket closed right after the
//   number or after the number divided by another: "(-3)", "(+2.5)",
//   "(-3/4)". Nowhere else is a sign read: the game has no negation;
// - at the end, "= n" (or "＝ n", n a number, optionally signed): the
//   player's note of the value, kept as Formula::claim for the caller to hold
//   against the target.
// A fraction the engine writes as "(3/4)" reads as 3 / 4, which has its
// value.
//
// Nothing the text holds can make the reader recurse, overflow or take more
// than time in proportion to its length: the text and the depth of brackets
// have firm limits, and the reader works with explicit stacks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/exact_number.h"

namespace vantrel::formula {

// A stretch of the text, [begin, end), counted in UTF-16 code units as
// QString and JavaScript count. A byte that does not belong to valid UTF-8
// counts as one unit (as U+FFFD), as does each maximal run of bytes that
// starts a character but breaks off.
struct Range {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  bool operator==(const Range&) const = default;
};

// The longest text read, in UTF-16 code units, and the most brackets one
// part of a formula may stand in.
inline constexpr std::uint32_t kMaxLength = 1000;
inline constexpr std::uint32_t kMaxDepth = 100;

// What keeps a text from being a formula; Reading::where says where.
enum class Problem : std::uint8_t {
  kNone,
  kEmpty,                // nothing but blanks
  kTooLong,              // more than kMaxLength units: where is what lies beyond
  kTooDeep,              // where: the first bracket more than kMaxDepth deep
  kUnexpectedCharacter,  // a character no formula holds, or bytes that are not UTF-8
  kMalformedNumber,      // digits, points and an exponent that make no number: "1.2.3"
  kNumberTooLong,        // more digits than distinct::kMaxDigits
  kMissingNumber,        // an operator, a closing bracket, "=" or the end (an empty
                         // where at the end) where a number should be
  kMissingOperator,      // a number or an opening bracket right after a number or a
                         // closing bracket
  kSign,                 // a sign before a number other than as a negative number above
  kUnclosedBracket,      // where: the innermost opening bracket left open
  kUnopenedBracket,      // a closing bracket with none open
  kMismatchedBracket,    // a bracket closed by one of the other kind: "(3 + 4]"
  kMisplacedEquals,      // "=" followed by anything but one number that ends the text
};

enum class Kind : std::uint8_t { kNumber, kAdd, kSubtract, kMultiply, kDivide };

struct Node {
  Kind kind = Kind::kNumber;
  std::uint32_t number = 0;  // a number: its place in Formula::numbers
  Range range;               // the part of the formula, with the brackets around it
  Range token;               // the operator, or the number with its sign
};

struct Formula {
  // In postfix order: each operation after its two operands; the last node
  // is the whole formula.
  std::vector<Node> nodes;
  // In the order of the text. A number's text is ASCII: "13" for a K, "12"
  // for "１２", "-3" for "(−3)"; otherwise as typed.
  std::vector<distinct::ExactNumber> numbers;
  // The trailing "= n", where given, and where n stands.
  std::optional<distinct::ExactNumber> claim;
  Range claimRange;
};

struct Reading {
  Problem problem = Problem::kNone;
  Range where;
  Formula formula;  // complete when there is no problem
};

// Reads UTF-8 text; the first problem in the order of the text, if any.
Reading read(std::string_view text);

struct Evaluation {
  // Each node's value, in the order of the nodes; after a division by zero,
  // only those of the nodes before it.
  std::vector<distinct::BigRational> values;
  // The first division (in the order of evaluation) by a part worth zero.
  std::optional<std::size_t> divisionByZero;
};

// The exact value of every part of a formula that read without a problem.
Evaluation evaluate(const Formula& formula);

// A value exactly, in lowest terms: "24", "47/2", "-3/2".
std::string valueText(const distinct::BigRational& value);

// The text without the blanks a formula may hold at either end.
std::string_view trimBlanks(std::string_view text);

}  // namespace vantrel::formula
