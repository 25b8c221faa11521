#include "tests/distinct/reference.h"

#include <algorithm>
#include <array>
#include <boost/multiprecision/cpp_int.hpp>
#include <functional>
#include <numeric>
#include <random>
#include <set>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace vantrel::testing {

namespace {

using Exact = boost::multiprecision::cpp_rational;

// Values modulo a prime other than the engine's, with inverses by Euclid.
constexpr std::uint64_t kModulus = 4611686018427387847u;  // 2^62 - 57

__extension__ using Wide = __int128;
__extension__ using UnsignedWide = unsigned __int128;

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b) {
  return static_cast<std::uint64_t>(static_cast<UnsignedWide>(a) * b % kModulus);
}

std::uint64_t invMod(std::uint64_t a) {
  std::int64_t t = 0, newT = 1;
  std::int64_t r = static_cast<std::int64_t>(kModulus), newR = static_cast<std::int64_t>(a);
  while (newR != 0) {
    const std::int64_t q = r / newR;
    t = std::exchange(newT, t - q * newT);
    r = std::exchange(newR, r - q * newR);
  }
  return static_cast<std::uint64_t>(t < 0 ? t + static_cast<std::int64_t>(kModulus) : t);
}

std::uint64_t apply(char op, std::uint64_t a, std::uint64_t b) {
  switch (op) {
    case '+':
      return (a + b) % kModulus;
    case '-':
      return (a + kModulus - b) % kModulus;
    case '*':
      return mulMod(a, b);
    default:
      return mulMod(a, invMod(b));
  }
}

Exact apply(char op, const Exact& a, const Exact& b) {
  switch (op) {
    case '+':
      return a + b;
    case '-':
      return a - b;
    case '*':
      return a * b;
    default:
      return a / b;
  }
}

// What a tree is at its top, for the brackets a parent needs around it.
enum class Top { kNumber, kAdditive, kMultiplicative };

Top topOf(char op) {
  return op == '+' || op == '-' ? Top::kAdditive : Top::kMultiplicative;
}

// Brackets a child needs so that the text reads back as the same tree, with
// the usual precedence and operators taken from the left.
int needs(char op, bool right, Top child) {
  if (child == Top::kNumber) return 0;
  if (op == '+' || op == '-') return right && child == Top::kAdditive;
  if (op == '*') return child == Top::kAdditive || (right && child == Top::kMultiplicative);
  return child == Top::kAdditive || right;
}

// Decimal digits as an integer (cpp_int would take a leading 0 for octal).
boost::multiprecision::cpp_int integer(std::string_view digits) {
  boost::multiprecision::cpp_int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

Exact readExact(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  Exact value;
  if (const auto slash = text.find('/'); slash != std::string_view::npos) {
    value = Exact(integer(text.substr(0, slash)), integer(text.substr(slash + 1)));
  } else {
    int exponent = 0;
    if (const auto e = text.find_first_of("eE"); e != std::string_view::npos) {
      exponent = std::stoi(std::string(text.substr(e + 1)));
      text = text.substr(0, e);
    }
    std::string digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '.') {
        exponent -= static_cast<int>(text.size() - i - 1);
      } else {
        digits += text[i];
      }
    }
    value = Exact(integer(digits));
    const Exact ten(10);
    for (; exponent > 0; --exponent) value *= ten;
    for (; exponent < 0; ++exponent) value /= ten;
  }
  return negative ? Exact(-value) : value;
}

// Fractions in machine words for speed, for as long as they hold the values.
struct Overflow {};

struct Small {
  std::int64_t num = 0;
  std::int64_t den = 1;

  explicit Small(const Exact& value) {
    if (abs(numerator(value)) >= (std::int64_t{1} << 62) ||
        denominator(value) >= (std::int64_t{1} << 62)) {
      throw Overflow{};
    }
    num = static_cast<std::int64_t>(numerator(value));
    den = static_cast<std::int64_t>(denominator(value));
  }
  Small(std::int64_t n, std::int64_t d) {
    if (d < 0) n = -n, d = -d;
    const std::int64_t g = std::gcd(n, d);
    num = n / g;
    den = d / g;
  }
  bool operator==(const Small&) const = default;
  bool operator==(int x) const { return den == 1 && num == x; }
};

std::int64_t checked(Wide x) {
  if (x >= (Wide{1} << 62) || x <= -(Wide{1} << 62)) throw Overflow{};
  return static_cast<std::int64_t>(x);
}

Small apply(char op, const Small& a, const Small& b) {
  const Wide an = a.num, ad = a.den, bn = b.num, bd = b.den;
  switch (op) {
    case '+':
      return {checked(an * bd + bn * ad), checked(ad * bd)};
    case '-':
      return {checked(an * bd - bn * ad), checked(ad * bd)};
    case '*':
      return {checked(an * bn), checked(ad * bd)};
    default:
      return {checked(an * bd), checked(ad * bn)};
  }
}

}  // namespace

// A tree over a group of numbers: its value, its value modulo the prime at
// the first point, the fewest brackets it is written with, how it is made,
// and its class.
template <class Value>
struct Entry {
  Value value;
  std::uint64_t print;
  int brackets;
  Top top;
  char op;                                  // 0 for a number
  std::size_t left, leftIndex, rightIndex;  // the parts: masks and places
  std::size_t cls;                          // its place among the group's classes
};

// A class over a group of numbers, as the steps see it.
struct Class {
  std::uint64_t print;
  bool zero;
  bool one;
  bool card;                    // a single number
  std::size_t entry;            // one of its trees
  std::array<int, 3> brackets;  // the fewest of its trees, by their top
  std::vector<std::pair<std::size_t, std::uint64_t>> steps;  // masks and prints
};

constexpr int kNever = 1 << 20;

struct ReferenceHand::Data {
  std::vector<std::string> texts;
  std::vector<Exact> values;
  Exact target;
  // One point per exchange of equal numbers; the first leaves them in place.
  std::vector<std::vector<std::uint64_t>> points;

  std::vector<std::uint64_t> leafPrints(std::size_t card) const {
    std::vector<std::uint64_t> prints;
    for (const auto& point : points) prints.push_back(point[card]);
    return prints;
  }

  std::uint64_t least(const std::vector<std::uint64_t>& prints) const {
    return *std::min_element(prints.begin(), prints.end());
  }
};

ReferenceHand::ReferenceHand(const std::vector<std::string>& numbers, std::string_view target)
    : data_(std::make_unique<Data>()) {
  Data& d = *data_;
  d.texts = numbers;
  for (const std::string& text : numbers) d.values.push_back(readExact(text));
  d.target = readExact(target);
  std::mt19937_64 random(20261209);
  std::vector<std::uint64_t> point;
  for (const Exact& value : d.values) {
    point.push_back(value == 0 ? 0 : value == 1 ? 1 : random() % (kModulus - 2) + 2);
  }
  // Every way of handing the points of equal numbers round among them.
  std::vector<std::size_t> order(numbers.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  do {
    bool exchange = true;
    for (std::size_t i = 0; i < order.size(); ++i) {
      exchange = exchange && d.values[order[i]] == d.values[i] && (order[i] == i || point[i] > 1);
    }
    if (!exchange) continue;
    std::vector<std::uint64_t> moved(point.size());
    for (std::size_t i = 0; i < order.size(); ++i) moved[i] = point[order[i]];
    d.points.push_back(moved);
  } while (std::next_permutation(order.begin(), order.end()));
}

ReferenceHand::~ReferenceHand() = default;

namespace {

template <class Value>
ReferenceIdeas ideasOf(const ReferenceHand::Data& d) {
  std::vector<Value> values;
  for (const Exact& value : d.values) values.emplace_back(value);
  const Value target(d.target);
  const bool absorbs = target == 0;
  const std::size_t n = values.size();
  const std::size_t all = (std::size_t{1} << n) - 1;
  // Every tree over each group of numbers (over them all, those worth the
  // target), trees with the same value at the first point and the same top
  // kept once, with their fewest brackets; and the classes they fall in.
  std::vector<std::vector<Entry<Value>>> trees(all + 1);
  std::vector<std::vector<Class>> classes(all + 1);
  std::vector<std::unordered_map<std::uint64_t, std::size_t>> classOf(all + 1);
  for (std::size_t mask = 1; mask <= all; ++mask) {
    std::vector<Entry<Value>>& here = trees[mask];
    std::vector<Class>& kinds = classes[mask];
    if ((mask & (mask - 1)) == 0) {
      std::size_t card = 0;
      while (!(mask >> card & 1)) ++card;
      if (mask != all || values[card] == target) {
        here.push_back({values[card], d.points[0][card], 0, Top::kNumber, 0, card, 0, 0, 0});
        kinds.push_back({d.points[0][card],
                         values[card] == 0,
                         values[card] == 1,
                         true,
                         0,
                         {kNever, kNever, 0},
                         {}});
        classOf[mask].emplace(d.points[0][card], 0);
      }
      continue;
    }
    std::unordered_map<std::uint64_t, std::size_t> seen;  // print and top
    for (std::size_t left = (mask - 1) & mask; left != 0; left = (left - 1) & mask) {
      const std::size_t right = mask ^ left;
      for (std::size_t i = 0; i < trees[left].size(); ++i) {
        const Entry<Value>& a = trees[left][i];
        const Class& ca = classes[left][a.cls];
        for (std::size_t j = 0; j < trees[right].size(); ++j) {
          const Entry<Value>& b = trees[right][j];
          const Class& cb = classes[right][b.cls];
          for (char op : {'+', '-', '*', '/'}) {
            if (op == '/' && b.value == 0) continue;
            Value value = apply(op, a.value, b.value);
            if (mask == all && !(value == target)) continue;
            const std::uint64_t print = apply(op, a.print, b.print);
            const auto [place, newClass] = classOf[mask].try_emplace(print, kinds.size());
            if (newClass) {
              kinds.push_back({print,
                               value == 0,
                               value == 1,
                               false,
                               here.size(),
                               {kNever, kNever, kNever},
                               {}});
            }
            const int brackets =
                a.brackets + b.brackets + needs(op, false, a.top) + needs(op, true, b.top);
            const Top top = topOf(op);
            const std::uint64_t key =
                print * 3 + static_cast<std::uint64_t>(mask == all ? Top::kNumber : top);
            auto [slot, fresh] = seen.try_emplace(key, here.size());
            if (fresh) {
              here.push_back(
                  {std::move(value), print, brackets, top, op, left, i, j, place->second});
            } else {
              here[slot->second].brackets = std::min(here[slot->second].brackets, brackets);
            }
            // The steps: a side that does nothing struck out here (a single
            // number beside a part of its own worth is the one struck), a
            // zero absorbing the other side at a target of 0, and the steps
            // of either side.
            auto& steps = kinds[place->second].steps;
            const bool leftStays =
                (op == '+' || op == '-') ? cb.zero && !(ca.card && ca.zero)
                : op == '*' ? (cb.one && !(ca.card && ca.one)) || (absorbs && ca.zero && !cb.zero)
                            : (cb.one && !(ca.card && ca.one)) || (absorbs && ca.zero);
            const bool rightStays =
                op == '+'   ? ca.zero && !(cb.card && cb.zero)
                : op == '*' ? (ca.one && !(cb.card && cb.one)) || (absorbs && cb.zero && !ca.zero)
                            : false;
            if (leftStays) steps.emplace_back(left, a.print);
            if (rightStays) steps.emplace_back(right, b.print);
            for (const auto& [stepMask, stepPrint] : ca.steps) {
              steps.emplace_back(stepMask | right, apply(op, stepPrint, b.print));
            }
            for (const auto& [stepMask, stepPrint] : cb.steps) {
              steps.emplace_back(left | stepMask, apply(op, a.print, stepPrint));
            }
          }
        }
      }
    }
    for (const Entry<Value>& entry : here) {
      int& brackets = kinds[entry.cls].brackets[static_cast<std::size_t>(entry.top)];
      brackets = std::min(brackets, entry.brackets);
    }
    for (Class& c : kinds) {
      std::sort(c.steps.begin(), c.steps.end());
      c.steps.erase(std::unique(c.steps.begin(), c.steps.end()), c.steps.end());
    }
  }

  // A class at every point: over its numbers' values (equal ones taken as
  // one), its least value over the exchanges, and the same negated at a
  // target of 0; the same for every class that an exchange makes of it.
  const std::function<std::uint64_t(const Entry<Value>&, std::size_t,
                                    const std::vector<std::uint64_t>&)>
      at =
          [&](const Entry<Value>& tree, std::size_t mask, const std::vector<std::uint64_t>& point) {
            if (tree.op == 0) return point[tree.left];
            const std::size_t right = mask ^ tree.left;
            return apply(tree.op, at(trees[tree.left][tree.leftIndex], tree.left, point),
                         at(trees[right][tree.rightIndex], right, point));
          };
  std::vector<std::size_t> kind(n);  // the first number of each one's value
  for (std::size_t i = 0; i < n; ++i) {
    kind[i] = i;
    while (!(d.values[kind[i]] == d.values[i])) ++kind[i];
  }
  const auto keyOf = [&](std::size_t mask, const Class& c, bool negated) {
    std::uint64_t numbers = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (mask >> i & 1) numbers += std::uint64_t{1} << (3 * kind[i]);
    }
    std::uint64_t least = UINT64_MAX;
    for (const auto& point : d.points) {
      const std::uint64_t value = at(trees[mask][c.entry], mask, point);
      least = std::min(least, value);
      if (negated) least = std::min(least, apply('-', 0, value));
    }
    return std::pair(numbers, least);
  };

  // The solutions joined to the classes where their steps end.
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::size_t> nodes;
  std::vector<std::size_t> parent;
  const auto node = [&](std::pair<std::uint64_t, std::uint64_t> key) {
    const auto [place, fresh] = nodes.try_emplace(key, parent.size());
    if (fresh) parent.push_back(place->second);
    return place->second;
  };
  const auto root = [&](std::size_t x) {
    while (parent[x] != x) x = parent[x];
    return x;
  };
  std::vector<std::size_t> solutionNodes;
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> ends(classes[all].size());
  for (std::size_t s = 0; s < classes[all].size(); ++s) {
    const Class& solution = classes[all][s];
    solutionNodes.push_back(node(keyOf(all, solution, absorbs)));
    std::vector<std::pair<std::size_t, std::size_t>> open = {{all, s}};
    std::set<std::pair<std::size_t, std::size_t>> reached;
    while (!open.empty()) {
      const auto [mask, place] = open.back();
      open.pop_back();
      const Class& c = classes[mask][place];
      if (c.steps.empty()) {
        ends[s].emplace_back(mask, place);
        parent[root(node(keyOf(mask, c, false)))] = root(solutionNodes[s]);
      }
      for (const auto& [stepMask, stepPrint] : c.steps) {
        const std::pair next(stepMask, classOf[stepMask].at(stepPrint));
        if (reached.insert(next).second) open.push_back(next);
      }
    }
  }

  ReferenceIdeas ideas;
  std::map<std::size_t, std::size_t> ideaOfRoot;
  for (std::size_t s = 0; s < classes[all].size(); ++s) {
    const auto [idea, fresh] =
        ideaOfRoot.try_emplace(root(solutionNodes[s]), ideas.brackets.size());
    if (fresh) ideas.brackets.push_back(kNever);
    ideas.ideaOf[keyOf(all, classes[all][s], absorbs).second] = idea->second;
    int& best = ideas.brackets[idea->second];
    const Class& solution = classes[all][s];
    if (solution.steps.empty()) {
      best = std::min(best, *std::min_element(solution.brackets.begin(), solution.brackets.end()));
      continue;
    }
    // Where its steps end, with a part of the other numbers joined at the top.
    for (const auto& [mask, place] : ends[s]) {
      const Class& end = classes[mask][place];
      for (const Class& part : classes[all ^ mask]) {
        const bool adds = part.zero && !(end.card && end.zero);
        const bool multiplies = (part.one && !(end.card && end.one)) || (absorbs && !part.zero);
        for (std::size_t t = 0; t < 3; ++t) {
          for (std::size_t u = 0; u < 3; ++u) {
            const int both = end.brackets[t] + part.brackets[u];
            if (adds) best = std::min(best, both);
            if (multiplies) {
              const auto additive = static_cast<std::size_t>(Top::kAdditive);
              best = std::min(best, both + (t == additive) + (u == additive));
            }
          }
        }
      }
    }
  }
  return ideas;
}

}  // namespace

ReferenceIdeas ReferenceHand::ideas() const {
  try {
    return ideasOf<Small>(*data_);
  } catch (const Overflow&) {
    return ideasOf<Exact>(*data_);
  }
}

ReferenceHand::Line ReferenceHand::read(std::string_view line) const {
  const Data& d = *data_;
  Line result;
  // Tokens: brackets, operators, and numbers written as in the hand (a
  // negative number or a fraction in brackets of its own).
  struct Token {
    char kind;  // '(', ')', an operator, or 'n'
    std::size_t card = 0;
  };
  std::vector<Token> tokens;
  std::vector<bool> used(d.texts.size(), false);
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    std::string_view word = line.substr(start, end - start);
    start = end + 1;
    if (word == "+" || word == "-" || word == "×" || word == "/") {
      tokens.push_back({word == "×" ? '*' : word[0]});
      continue;
    }
    std::size_t opening = 0;
    while (opening < word.size() && word[opening] == '(') ++opening;
    std::size_t closing = 0;
    while (closing < word.size() - opening && word[word.size() - 1 - closing] == ')') ++closing;
    std::string_view number = word.substr(opening, word.size() - opening - closing);
    if (!number.empty() &&
        (number[0] == '-' || number[0] == '+' || number.find('/') != std::string_view::npos)) {
      if (opening == 0 || closing == 0) {
        result.problem = "a negative number or fraction outside brackets: " + std::string(word);
        return result;
      }
      --opening;
      --closing;
    }
    std::size_t card = 0;
    while (card < d.texts.size() && (used[card] || d.texts[card] != number)) ++card;
    if (card == d.texts.size()) {
      result.problem = "a number not in the hand, or used twice: " + std::string(number);
      return result;
    }
    used[card] = true;
    tokens.insert(tokens.end(), opening, Token{'('});
    tokens.push_back({'n', card});
    tokens.insert(tokens.end(), closing, Token{')'});
  }
  if (std::find(used.begin(), used.end(), false) != used.end()) {
    result.problem = "a number of the hand is missing";
    return result;
  }

  // Recursive descent with the usual precedence, operators from the left.
  struct Value {
    Exact exact;
    std::vector<std::uint64_t> prints;
  };
  std::size_t at = 0;
  bool divisionByZero = false;
  const auto combine = [&](char op, Value a, const Value& b) {
    if (op == '/' && b.exact == 0) divisionByZero = true;
    if (divisionByZero) return a;
    a.exact = apply(op, a.exact, b.exact);
    for (std::size_t p = 0; p < a.prints.size(); ++p)
      a.prints[p] = apply(op, a.prints[p], b.prints[p]);
    return a;
  };
  std::function<Value()> sum;
  const auto factor = [&]() -> Value {
    if (at < tokens.size() && tokens[at].kind == '(') {
      ++at;
      ++result.brackets;
      Value inner = sum();
      if (at >= tokens.size() || tokens[at].kind != ')') throw std::runtime_error("no ')'");
      ++at;
      return inner;
    }
    if (at >= tokens.size() || tokens[at].kind != 'n') throw std::runtime_error("no number");
    const std::size_t card = tokens[at++].card;
    return {d.values[card], d.leafPrints(card)};
  };
  const auto product = [&]() {
    Value value = factor();
    while (at < tokens.size() && (tokens[at].kind == '*' || tokens[at].kind == '/')) {
      const char op = tokens[at++].kind;
      value = combine(op, value, factor());
    }
    return value;
  };
  sum = [&]() {
    Value value = product();
    while (at < tokens.size() && (tokens[at].kind == '+' || tokens[at].kind == '-')) {
      const char op = tokens[at++].kind;
      value = combine(op, value, product());
    }
    return value;
  };
  try {
    const Value value = sum();
    if (at != tokens.size()) throw std::runtime_error("text after the expression");
    if (divisionByZero) {
      result.problem = "divides by zero";
    } else if (value.exact != d.target) {
      result.problem = "its value is " + value.exact.str() + ", not the target";
    } else {
      result.print = d.least(value.prints);
      if (d.target == 0) {
        for (std::uint64_t print : value.prints) {
          result.print = std::min(result.print, apply('-', 0, print));
        }
      }
    }
  } catch (const std::runtime_error& error) {
    result.problem = std::string("not an expression: ") + error.what();
  }
  return result;
}

}  // namespace vantrel::testing
