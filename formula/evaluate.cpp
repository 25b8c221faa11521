// The exact value of every part of a formula, in the order of its nodes.

#include "formula/formula.h"

namespace vantrel::formula {

Evaluation evaluate(const Formula& formula) {
  Evaluation result;
  std::vector<distinct::BigRational>& values = result.values;
  values.reserve(formula.nodes.size());
  // The nodes whose values no operation has taken yet.
  std::vector<std::size_t> operands;
  for (std::size_t i = 0; i < formula.nodes.size(); ++i) {
    const Node& node = formula.nodes[i];
    if (node.kind == Kind::kNumber) {
      values.push_back(formula.numbers[node.number].value());
      operands.push_back(i);
      continue;
    }
    const distinct::BigRational& right = values[operands.back()];
    operands.pop_back();
    const distinct::BigRational& left = values[operands.back()];
    operands.back() = i;
    switch (node.kind) {
      case Kind::kAdd:
        values.push_back(left + right);
        break;
      case Kind::kSubtract:
        values.push_back(left - right);
        break;
      case Kind::kMultiply:
        values.push_back(left * right);
        break;
      default:
        if (right.is_zero()) {
          result.divisionByZero = i;
          return result;
        }
        values.push_back(left / right);
        break;
    }
  }
  return result;
}

std::string valueText(const distinct::BigRational& value) {
  std::string text = numerator(value).str();
  if (denominator(value) != 1) text += "/" + denominator(value).str();
  return text;
}

}  // namespace vantrel::formula
