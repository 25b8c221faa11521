#pragma once

// An independent reader for the expressions the solver writes: it parses a
// line (or a template's pattern) with the usual precedence, and evaluates it
// exactly with fractions. Tests use it to check the solver's output without
// trusting the solver's own tables.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::testing {

struct Expression {
  char op = 0;          // '+', '-', '*', '/'; 0 for an operand
  std::string operand;  // the operand's text when op == 0
  std::unique_ptr<Expression> left;
  std::unique_ptr<Expression> right;
};

// Parses "(1 + 2 + 3)×4", "A / (B - C / D)" or a fully bracketed formula such
// as "A/(B-(C/D))". Returns nothing when the text is not a well-formed
// expression.
std::unique_ptr<Expression> readExpression(std::string_view text);

// Fully bracketed form without spaces, with the outermost brackets dropped:
// "A + B × C" gives "A+(B*C)". Two expressions group the same way exactly when
// these agree.
std::string bracketed(const Expression& expression);

// Exact value, with operands read as decimal integers; nothing when a
// division by zero occurs.
struct Fraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
  bool operator==(const Fraction&) const = default;
};
std::optional<Fraction> exactValue(const Expression& expression);

}  // namespace vantrel::testing
