#include "solver/formula.h"

namespace vantrel::formula {

double interpret(const Program& program, const Operands& x) {
  std::array<double, 4> stack{};
  std::size_t top = 0;
  for (std::size_t i = 0; i < program.size; ++i) {
    const Step step = program.steps[i];
    if (step <= Step::PushD) {
      stack[top++] = x[static_cast<std::size_t>(step)];
      continue;
    }
    const double right = stack[--top];
    double& left = stack[top - 1];
    switch (step) {
      case Step::Add:
        left = left + right;
        break;
      case Step::Subtract:
        left = left - right;
        break;
      case Step::Multiply:
        left = left * right;
        break;
      case Step::Divide:
        left = left / right;
        break;
      default:
        break;
    }
  }
  return stack[0];
}

}  // namespace vantrel::formula
