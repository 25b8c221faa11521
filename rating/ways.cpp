#include "rating/ways.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "distinct/exact_number.h"

namespace vantrel::rating {

namespace {

using distinct::BigRational;
using distinct::ExactNumber;

__extension__ using Wide = __int128;

// Fractions left unreduced, for hands of small numbers: with numerators and
// denominators of the cards below 2^14, three steps stay below 2^59, so that
// no step overflows and cross-multiplying two of them fits 128 bits. No step
// needs a greatest common divisor.
struct SmallArithmetic {
  struct Number {
    std::int64_t num = 0;
    std::int64_t den = 1;  // above 0
  };
  static constexpr std::uint64_t kLimit = 1u << 14;

  static bool takes(const ExactNumber& x) { return x.numerator < kLimit && x.denominator < kLimit; }
  static Number from(const ExactNumber& x) {
    const auto num = static_cast<std::int64_t>(x.numerator);
    return {x.negative ? -num : num, static_cast<std::int64_t>(x.denominator)};
  }
  static Number add(Number a, Number b) { return {a.num * b.den + b.num * a.den, a.den * b.den}; }
  static Number subtract(Number a, Number b) {
    return {a.num * b.den - b.num * a.den, a.den * b.den};
  }
  static Number multiply(Number a, Number b) { return {a.num * b.num, a.den * b.den}; }
  static Number divide(Number a, Number b) {  // b is not zero
    return b.num < 0 ? Number{-a.num * b.den, -a.den * b.num}
                     : Number{a.num * b.den, a.den * b.num};
  }
  static bool equal(Number a, Number b) { return Wide{a.num} * b.den == Wide{b.num} * a.den; }
  static bool isZero(Number a) { return a.num == 0; }
  static bool isWhole(Number a) { return a.num % a.den == 0; }
  static bool isNegative(Number a) { return a.num < 0; }
  static bool is(Number a, std::int64_t n) { return a.num == n * a.den; }
  static double magnitude(Number a) {
    return std::fabs(static_cast<double>(a.num) / static_cast<double>(a.den));
  }
  // Which of a + b, a × b, a - b, b - a, a / b and b / a come to target, as
  // bits 0 to 5; by cross-multiplying, without making the six numbers.
  static unsigned lastSteps(Number a, Number b, Number target) {
    // a and b come from four cards together, so these stay below 2^58.
    const std::int64_t p = a.num * b.den;
    const std::int64_t q = b.num * a.den;
    const std::int64_t d = a.den * b.den;
    const auto is = [&](std::int64_t num, std::int64_t den) {
      return Wide{num} * target.den == Wide{target.num} * den;
    };
    return unsigned{is(p + q, d)} | unsigned{is(a.num * b.num, d)} << 1 |
           unsigned{is(p - q, d)} << 2 | unsigned{is(q - p, d)} << 3 |
           unsigned{q != 0 && is(p, q)} << 4 | unsigned{p != 0 && is(q, p)} << 5;
  }
  static std::string text(Number a) {
    const std::int64_t g = std::gcd(a.num, a.den);
    std::string out = std::to_string(a.num / g);
    if (a.den != g) out += '/' + std::to_string(a.den / g);
    return out;
  }
};

// Any numbers the engine takes, exactly.
struct BigArithmetic {
  using Number = BigRational;

  static Number from(const ExactNumber& x) { return x.value(); }
  static Number add(const Number& a, const Number& b) { return a + b; }
  static Number subtract(const Number& a, const Number& b) { return a - b; }
  static Number multiply(const Number& a, const Number& b) { return a * b; }
  static Number divide(const Number& a, const Number& b) { return a / b; }
  static bool equal(const Number& a, const Number& b) { return a == b; }
  static bool isZero(const Number& a) { return a.is_zero(); }
  static bool isWhole(const Number& a) { return boost::multiprecision::denominator(a) == 1; }
  static bool isNegative(const Number& a) { return a.sign() < 0; }
  static bool is(const Number& a, std::int64_t n) { return a == n; }
  static double magnitude(const Number& a) { return std::fabs(a.convert_to<double>()); }
  static std::string text(const Number& a) { return a.str(); }
  static unsigned lastSteps(const Number& a, const Number& b, const Number& target) {
    return unsigned{a + b == target} | unsigned{a * b == target} << 1 |
           unsigned{a - b == target} << 2 | unsigned{b - a == target} << 3 |
           unsigned{!b.is_zero() && a / b == target} << 4 |
           unsigned{!a.is_zero() && b / a == target} << 5;
  }
};

// A node of the formula a way builds: a card, or a step on two nodes.
struct Node {
  bool card;
  Operation operation;
  std::uint8_t left;  // a node, or the card's position in the hand
  std::uint8_t right;
};

constexpr std::size_t kMaxNodes = 2 * kMaxWayNumbers - 1;

int precedence(Operation operation) {
  return operation == Operation::kAdd || operation == Operation::kSubtract ? 1 : 2;
}

const char* sign(Operation operation) {
  switch (operation) {
    case Operation::kAdd:
      return " + ";
    case Operation::kSubtract:
      return " - ";
    case Operation::kMultiply:
      return " × ";
    case Operation::kDivide:
      return " / ";
  }
  return "";
}

void writeNode(std::span<const Node> nodes, std::size_t id, std::span<const std::string> cards,
               std::string& out) {
  const Node& node = nodes[id];
  if (node.card) {
    const std::string& number = cards[node.left];
    const bool bracketed =
        number.front() == '-' || number.front() == '+' || number.find('/') != std::string::npos;
    out += bracketed ? "(" + number + ")" : number;
    return;
  }
  const int level = precedence(node.operation);
  const auto operand = [&](std::size_t child, bool right) {
    const Node& inner = nodes[child];
    const int innerLevel = inner.card ? 3 : precedence(inner.operation);
    // a - (b + c), a / (b × c) keep their brackets; a + (b - c) does not need them.
    const bool bracketed =
        innerLevel < level || (right && innerLevel == level && node.operation != Operation::kAdd &&
                               node.operation != Operation::kMultiply);
    if (bracketed) out += '(';
    writeNode(nodes, child, cards, out);
    if (bracketed) out += ')';
  };
  operand(node.left, false);
  out += sign(node.operation);
  operand(node.right, true);
}

template <class Arithmetic>
class WaySearch final : public WayView {
 public:
  using Number = typename Arithmetic::Number;

  WaySearch(std::span<const ExactNumber> cards, const ExactNumber& target,
            const std::function<void(const WayView&)>& visit)
      : cards_(cards), target_(Arithmetic::from(target)), visit_(visit) {}

  void run() {
    Held held;
    for (std::size_t i = 0; i < cards_.size(); ++i) {
      held.values[i] = Arithmetic::from(cards_[i]);
      nodes_[i] = {true, Operation::kAdd, static_cast<std::uint8_t>(i), 0};
      held.nodes[i] = static_cast<std::uint8_t>(i);
    }
    nodeCount_ = cards_.size();
    if (cards_.size() == 1) {
      if (Arithmetic::equal(held.values[0], target_)) visit_(*this);
      return;
    }
    search(held, cards_.size());
  }

  const WayTraits& traits() const override { return traits_; }

  Way write() const override {
    Way way;
    way.traits = traits_;
    for (std::size_t i = 0; i < stepCount_; ++i) {
      const Taken& taken = steps_[i];
      way.steps.push_back({taken.operation, Arithmetic::text(taken.left),
                           Arithmetic::text(taken.right), Arithmetic::text(taken.result)});
    }
    std::vector<std::string> cardTexts;
    for (const ExactNumber& card : cards_) cardTexts.push_back(card.text);
    writeNode({nodes_.data(), nodeCount_}, nodeCount_ - 1, cardTexts, way.formula);
    return way;
  }

 private:
  // The numbers at hand, and the node that made each.
  struct Held {
    std::array<Number, kMaxWayNumbers> values{};
    std::array<std::uint8_t, kMaxWayNumbers> nodes{};
  };
  struct Taken {
    Operation operation;
    Number left;
    Number right;
    Number result;
  };

  void search(const Held& held, std::size_t count) {
    // Each pair of values once: equal cards give the same steps.
    std::array<std::pair<std::size_t, std::size_t>, 6> tried{};
    std::size_t triedCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t j = i + 1; j < count; ++j) {
        const Number& a = held.values[i];
        const Number& b = held.values[j];
        const bool seen = std::any_of(tried.begin(), tried.begin() + triedCount, [&](auto pair) {
          const Number& x = held.values[pair.first];
          const Number& y = held.values[pair.second];
          return (Arithmetic::equal(x, a) && Arithmetic::equal(y, b)) ||
                 (Arithmetic::equal(x, b) && Arithmetic::equal(y, a));
        });
        if (seen) continue;
        tried[triedCount++] = {i, j};
        tryPair(held, count, i, j);
      }
    }
  }

  // Every step on the numbers at i and j: a + b, a × b, a - b, b - a, a / b,
  // b / a (each once when a and b are equal).
  void tryPair(const Held& held, std::size_t count, std::size_t i, std::size_t j) {
    const Number& a = held.values[i];
    const Number& b = held.values[j];
    const bool same = Arithmetic::equal(a, b);
    if (count == 2) {
      // Most last steps miss the target: only those that reach it are taken.
      const unsigned reach = Arithmetic::lastSteps(a, b, target_) & (same ? 0b010111u : 0b111111u);
      constexpr std::array<std::pair<Operation, bool>, 6> kSteps = {{{Operation::kAdd, false},
                                                                     {Operation::kMultiply, false},
                                                                     {Operation::kSubtract, false},
                                                                     {Operation::kSubtract, true},
                                                                     {Operation::kDivide, false},
                                                                     {Operation::kDivide, true}}};
      for (std::size_t k = 0; k < kSteps.size(); ++k) {
        if ((reach >> k & 1) == 0) continue;
        const auto [operation, swapped] = kSteps[k];
        step(held, count, swapped ? j : i, swapped ? i : j, operation, target_);
      }
      return;
    }
    // With three numbers, a step is taken only when a last step reaches the target.
    const Number* third = count == 3 ? &held.values[3 - i - j] : nullptr;
    const auto take = [&](std::size_t left, std::size_t right, Operation operation,
                          const Number& result) {
      if (third == nullptr || Arithmetic::lastSteps(result, *third, target_) != 0) {
        step(held, count, left, right, operation, result);
      }
    };
    take(i, j, Operation::kAdd, Arithmetic::add(a, b));
    take(i, j, Operation::kMultiply, Arithmetic::multiply(a, b));
    take(i, j, Operation::kSubtract, Arithmetic::subtract(a, b));
    if (!same) take(j, i, Operation::kSubtract, Arithmetic::subtract(b, a));
    if (!Arithmetic::isZero(b)) take(i, j, Operation::kDivide, Arithmetic::divide(a, b));
    if (!same && !Arithmetic::isZero(a)) take(j, i, Operation::kDivide, Arithmetic::divide(b, a));
  }

  // Takes the step left operation right = result and goes on from there.
  void step(const Held& held, std::size_t count, std::size_t left, std::size_t right,
            Operation operation, const Number& result) {
    const WayTraits before = traits_;
    traits_.fraction = traits_.fraction || !Arithmetic::isWhole(result);
    traits_.negative = traits_.negative || Arithmetic::isNegative(result);
    traits_.largest = std::max(traits_.largest, Arithmetic::magnitude(result));
    switch (operation) {
      case Operation::kAdd:
        ++traits_.additions;
        break;
      case Operation::kSubtract:
        ++traits_.subtractions;
        break;
      case Operation::kMultiply:
        ++traits_.multiplications;
        break;
      case Operation::kDivide:
        ++traits_.divisions;
        break;
    }
    steps_[stepCount_++] = {operation, held.values[left], held.values[right], result};
    nodes_[nodeCount_++] = {false, operation, held.nodes[left], held.nodes[right]};
    if (count == 2) {
      traits_.familiarLast = familiar(operation, held.values[left], held.values[right]);
      visit_(*this);
    } else {
      Held next;
      std::size_t k = 0;
      for (std::size_t m = 0; m < count; ++m) {
        if (m == left || m == right) continue;
        next.values[k] = held.values[m];
        next.nodes[k++] = held.nodes[m];
      }
      next.values[k] = result;
      next.nodes[k] = static_cast<std::uint8_t>(nodeCount_ - 1);
      search(next, count - 1);
    }
    --stepCount_;
    --nodeCount_;
    traits_ = before;
  }

  // The last steps a player sees at once: 3 × 8, 4 × 6, 2 × 12, 12 + 12.
  static bool familiar(Operation operation, const Number& a, const Number& b) {
    const auto are = [&](std::int64_t x, std::int64_t y) {
      return (Arithmetic::is(a, x) && Arithmetic::is(b, y)) ||
             (Arithmetic::is(a, y) && Arithmetic::is(b, x));
    };
    if (operation == Operation::kMultiply) return are(3, 8) || are(4, 6) || are(2, 12);
    return operation == Operation::kAdd && are(12, 12);
  }

  std::span<const ExactNumber> cards_;
  Number target_;
  const std::function<void(const WayView&)>& visit_;
  std::array<Node, kMaxNodes> nodes_{};
  std::size_t nodeCount_ = 0;
  std::array<Taken, kMaxWayNumbers - 1> steps_{};
  std::size_t stepCount_ = 0;
  WayTraits traits_;
};

ExactNumber read(std::string_view text) {
  ExactNumber number;
  if (distinct::readNumber(text, number) != distinct::NumberProblem::kNone) {
    throw std::invalid_argument("not a number the ways take");
  }
  return number;
}

}  // namespace

void forEachWay(std::span<const std::string_view> numbers, std::string_view target,
                const std::function<void(const WayView&)>& visit) {
  if (numbers.empty() || numbers.size() > kMaxWayNumbers) {
    throw std::invalid_argument("the ways take 1 to 4 numbers");
  }
  std::vector<ExactNumber> cards;
  for (std::string_view text : numbers) cards.push_back(read(text));
  const ExactNumber goal = read(target);
  const bool small = SmallArithmetic::takes(goal) &&
                     std::all_of(cards.begin(), cards.end(), SmallArithmetic::takes);
  if (small) {
    WaySearch<SmallArithmetic>(cards, goal, visit).run();
  } else {
    WaySearch<BigArithmetic>(cards, goal, visit).run();
  }
}

}  // namespace vantrel::rating
