#pragma once

// Compile-time translation of a fully bracketed formula such as "A/(B-(C/D))"
// into a postfix program, and an evaluator that unrolls such a program into
// straight-line double-precision arithmetic.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace vantrel::formula {

enum class Step : std::uint8_t { PushA, PushB, PushC, PushD, Add, Subtract, Multiply, Divide };

// A postfix program: at most four operands and three operators.
struct Program {
  std::array<Step, 7> steps{};
  std::size_t size = 0;

  constexpr void append(Step step) {
    if (size == steps.size()) throw "formula too long";
    steps[size++] = step;
  }
};

namespace detail {

// formula := term [operator term]
// term    := 'A' | 'B' | 'C' | 'D' | '(' formula ')'
// A formula that breaks these rules fails to compile (the throw is not a
// constant expression).
class Parser {
 public:
  constexpr explicit Parser(std::string_view text) : text_(text) {}

  constexpr Program parse() {
    Program program;
    formula(program);
    if (pos_ != text_.size()) throw "unexpected text after formula";
    return program;
  }

 private:
  constexpr void formula(Program& program) {
    term(program);
    if (pos_ == text_.size() || text_[pos_] == ')') return;
    const Step op = operatorStep(text_[pos_++]);
    term(program);
    program.append(op);
  }

  constexpr void term(Program& program) {
    if (pos_ == text_.size()) throw "formula ends early";
    const char c = text_[pos_++];
    if (c == '(') {
      formula(program);
      if (pos_ == text_.size() || text_[pos_++] != ')') throw "missing ')'";
      return;
    }
    if (c < 'A' || c > 'D') throw "expected an operand";
    program.append(static_cast<Step>(c - 'A'));
  }

  static constexpr Step operatorStep(char c) {
    switch (c) {
      case '+':
        return Step::Add;
      case '-':
        return Step::Subtract;
      case '*':
        return Step::Multiply;
      case '/':
        return Step::Divide;
      default:
        throw "expected an operator";
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace detail

constexpr Program compile(std::string_view text) {
  return detail::Parser(text).parse();
}

// The four operands, already widened to double.
using Operands = std::array<double, 4>;

// Runs a program fixed at compile time. Every step is resolved while
// compiling, so the optimiser sees plain arithmetic on named values and shares
// common subexpressions between templates. T is double, or a vector of
// doubles to run several fillings of the operands side by side: vector
// arithmetic rounds each lane exactly as the scalar operation would.
template <Program P, typename T>
inline T evaluate(const std::array<T, 4>& x) {
  std::array<T, 4> stack{};
  std::size_t top = 0;
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (
        [&] {
          constexpr Step step = P.steps[I];
          if constexpr (step <= Step::PushD) {
            stack[top++] = x[static_cast<std::size_t>(step)];
          } else {
            const T right = stack[--top];
            T& left = stack[top - 1];
            if constexpr (step == Step::Add) left = left + right;
            if constexpr (step == Step::Subtract) left = left - right;
            if constexpr (step == Step::Multiply) left = left * right;
            if constexpr (step == Step::Divide) left = left / right;
          }
        }(),
        ...);
  }
  (std::make_index_sequence<P.size>{});
  return stack[0];
}

// Runs any program step by step; slower, for checks and tools.
double interpret(const Program& program, const Operands& x);

}  // namespace vantrel::formula
