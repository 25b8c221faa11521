#include "tests/solver/expression_reader.h"

#include <cstdlib>
#include <numeric>
#include <vector>

namespace vantrel::testing {

namespace {

constexpr std::string_view kTimes = "×";

struct Token {
  char kind;  // 'n' operand, '(' ')', or an operator
  std::string text;
};

std::optional<std::vector<Token>> tokenize(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ') {
      ++i;
    } else if (text.substr(i).starts_with(kTimes)) {
      tokens.push_back({'*', {}});
      i += kTimes.size();
    } else if (c == '(' || c == ')' || c == '+' || c == '*' || c == '/') {
      tokens.push_back({c, {}});
      ++i;
    } else if (c == '-' && (i + 1 == text.size() || text[i + 1] == ' ' ||
                            (!tokens.empty() && tokens.back().kind != '(' &&
                             tokens.back().kind != '+' && tokens.back().kind != '-' &&
                             tokens.back().kind != '*' && tokens.back().kind != '/'))) {
      // A binary minus; a '-' that starts an operand is its sign.
      tokens.push_back({'-', {}});
      ++i;
    } else {
      std::size_t end = i + 1;
      while (end < text.size() && text[end] != ' ' && text[end] != '(' && text[end] != ')' &&
             !text.substr(end).starts_with(kTimes) &&
             !(text[end] == '*' || text[end] == '/' ||
               ((text[end] == '+' || text[end] == '-') && text[end - 1] != 'e'))) {
        ++end;
      }
      tokens.push_back({'n', std::string(text.substr(i, end - i))});
      i = end;
    }
  }
  return tokens;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::unique_ptr<Expression> parse() {
    auto expression = sum();
    if (!expression || pos_ != tokens_.size()) return nullptr;
    return expression;
  }

 private:
  bool at(char kind) const { return pos_ < tokens_.size() && tokens_[pos_].kind == kind; }

  static std::unique_ptr<Expression> join(char op, std::unique_ptr<Expression> left,
                                          std::unique_ptr<Expression> right) {
    auto node = std::make_unique<Expression>();
    node->op = op;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  std::unique_ptr<Expression> sum() {
    auto left = product();
    while (left && (at('+') || at('-'))) {
      const char op = tokens_[pos_++].kind;
      auto right = product();
      if (!right) return nullptr;
      left = join(op, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<Expression> product() {
    auto left = factor();
    while (left && (at('*') || at('/'))) {
      const char op = tokens_[pos_++].kind;
      auto right = factor();
      if (!right) return nullptr;
      left = join(op, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<Expression> factor() {
    if (at('(')) {
      ++pos_;
      auto inner = sum();
      if (!inner || !at(')')) return nullptr;
      ++pos_;
      return inner;
    }
    if (!at('n')) return nullptr;
    auto leaf = std::make_unique<Expression>();
    leaf->operand = tokens_[pos_++].text;
    return leaf;
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
};

std::string bracketedInner(const Expression& e) {
  if (e.op == 0) return e.operand;
  return "(" + bracketed(e) + ")";
}

Fraction normalised(std::int64_t numerator, std::int64_t denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  const std::int64_t divisor = std::gcd(numerator, denominator);
  if (divisor > 1) {
    numerator /= divisor;
    denominator /= divisor;
  }
  return {numerator, denominator};
}

}  // namespace

std::unique_ptr<Expression> readExpression(std::string_view text) {
  auto tokens = tokenize(text);
  if (!tokens) return nullptr;
  return Parser(std::move(*tokens)).parse();
}

std::string bracketed(const Expression& e) {
  if (e.op == 0) return e.operand;
  return bracketedInner(*e.left) + e.op + bracketedInner(*e.right);
}

std::optional<Fraction> exactValue(const Expression& e) {
  if (e.op == 0) {
    char* end = nullptr;
    const long long value = std::strtoll(e.operand.c_str(), &end, 10);
    if (end == e.operand.c_str() || *end != '\0') return std::nullopt;
    return Fraction{value, 1};
  }
  const auto left = exactValue(*e.left);
  const auto right = exactValue(*e.right);
  if (!left || !right) return std::nullopt;
  const auto [a, b] = *left;
  const auto [c, d] = *right;
  switch (e.op) {
    case '+':
      return normalised(a * d + c * b, b * d);
    case '-':
      return normalised(a * d - c * b, b * d);
    case '*':
      return normalised(a * c, b * d);
    default:
      if (c == 0) return std::nullopt;
      return normalised(a * d, b * c);
  }
}

}  // namespace vantrel::testing
