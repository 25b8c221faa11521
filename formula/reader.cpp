// Reading a formula: operator precedence with explicit stacks (the
// shunting-yard way), numbers and operators alternating, so that every
// problem is found at the first token that cannot go on.

#include <algorithm>
#include <limits>
#include <utility>

#include "formula/formula.h"
#include "formula/tokenizer.h"

namespace vantrel::formula {

namespace {

bool isOpening(TokenKind kind) {
  return kind == TokenKind::kOpenRound || kind == TokenKind::kOpenSquare;
}

bool isClosing(TokenKind kind) {
  return kind == TokenKind::kCloseRound || kind == TokenKind::kCloseSquare;
}

bool isSign(TokenKind kind) {
  return kind == TokenKind::kAdd || kind == TokenKind::kSubtract;
}

bool isOperator(TokenKind kind) {
  return isSign(kind) || kind == TokenKind::kMultiply || kind == TokenKind::kDivide;
}

bool isNumber(TokenKind kind) {
  return kind == TokenKind::kNumber || kind == TokenKind::kFace;
}

int precedence(TokenKind kind) {
  return isSign(kind) ? 1 : 2;
}

Kind nodeKind(TokenKind kind) {
  switch (kind) {
    case TokenKind::kAdd:
      return Kind::kAdd;
    case TokenKind::kSubtract:
      return Kind::kSubtract;
    case TokenKind::kMultiply:
      return Kind::kMultiply;
    default:
      return Kind::kDivide;
  }
}

// An operator or an opening bracket, waiting for what follows it.
struct Pending {
  TokenKind kind;
  Range token;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text), tokens_(text) {}

  Reading run();

 private:
  bool fail(Problem problem, Range where) {
    reading_.problem = problem;
    reading_.where = where;
    return false;
  }
  // Where a number is due: a number, an opening bracket or a negative number.
  bool takeOperand(const Token& token, TokenKind before);
  // Where an operator is due: an operator or a closing bracket.
  bool takeOperator(const Token& token);
  bool takeNumber(const Token& token, const Token* sign, distinct::ExactNumber& number);
  void pushNumber(const Token& token, const Token* sign);
  bool closeBracket(const Token& token);
  // Whether a sign here begins a negative number written the engine's way.
  bool beginsNegativeNumber() const;
  void emit(const Pending& operation);
  // Completes the formula at the end or at "=".
  bool finish();
  bool takeClaim(const Token& equals);

  std::string_view text_;
  Tokenizer tokens_;
  Reading reading_;
  std::vector<Pending> pending_;
  std::vector<std::uint32_t> roots_;  // the nodes that are not yet operands
  std::uint32_t depth_ = 0;
  std::string number_;  // a number's text, put together
};

Reading Reader::run() {
  const std::size_t length = utf16Length(text_);
  if (length > kMaxLength) {
    const auto end = static_cast<std::uint32_t>(
        std::min<std::size_t>(length, std::numeric_limits<std::uint32_t>::max()));
    fail(Problem::kTooLong, {kMaxLength, end});
    return std::move(reading_);
  }
  if (trimBlanks(text_).empty()) {
    fail(Problem::kEmpty, {0, static_cast<std::uint32_t>(length)});
    return std::move(reading_);
  }
  bool wantNumber = true;
  TokenKind before = TokenKind::kEnd;
  for (;;) {
    const Token token = tokens_.next();
    if (token.kind == TokenKind::kUnexpected) {
      fail(Problem::kUnexpectedCharacter, token.range);
      break;
    }
    if (wantNumber) {
      if (!takeOperand(token, before)) break;
      wantNumber = isOpening(token.kind);
    } else if (token.kind == TokenKind::kEnd) {
      finish();
      break;
    } else if (token.kind == TokenKind::kEquals) {
      if (finish()) takeClaim(token);
      break;
    } else {
      if (!takeOperator(token)) break;
      wantNumber = isOperator(token.kind);
    }
    before = token.kind;
  }
  return std::move(reading_);
}

bool Reader::takeOperand(const Token& token, TokenKind before) {
  if (isNumber(token.kind)) {
    pushNumber(token, nullptr);
  } else if (isOpening(token.kind)) {
    if (++depth_ > kMaxDepth) return fail(Problem::kTooDeep, token.range);
    pending_.push_back({token.kind, token.range});
  } else if (isSign(token.kind) && isOpening(before) && beginsNegativeNumber()) {
    pushNumber(tokens_.next(), &token);
  } else if (isSign(token.kind)) {
    return fail(Problem::kSign, token.range);
  } else {
    return fail(Problem::kMissingNumber, token.range);
  }
  return reading_.problem == Problem::kNone;
}

bool Reader::takeOperator(const Token& token) {
  if (isClosing(token.kind)) return closeBracket(token);
  if (!isOperator(token.kind)) return fail(Problem::kMissingOperator, token.range);
  while (!pending_.empty() && !isOpening(pending_.back().kind) &&
         precedence(pending_.back().kind) >= precedence(token.kind)) {
    emit(pending_.back());
    pending_.pop_back();
  }
  pending_.push_back({token.kind, token.range});
  return true;
}

bool Reader::beginsNegativeNumber() const {
  Tokenizer ahead = tokens_;
  if (!isNumber(ahead.next().kind)) return false;
  Token next = ahead.next();
  if (next.kind == TokenKind::kDivide && isNumber(ahead.next().kind)) next = ahead.next();
  return isClosing(next.kind);
}

bool Reader::takeNumber(const Token& token, const Token* sign, distinct::ExactNumber& number) {
  number_.clear();
  if (sign != nullptr) number_ += sign->kind == TokenKind::kSubtract ? '-' : '+';
  tokens_.appendNumberText(token, number_);
  switch (distinct::readNumber(number_, number)) {
    case distinct::NumberProblem::kNone:
      return true;
    case distinct::NumberProblem::kTooLong:
      return fail(Problem::kNumberTooLong, token.range);
    default:
      return fail(Problem::kMalformedNumber, token.range);
  }
}

void Reader::pushNumber(const Token& token, const Token* sign) {
  Formula& formula = reading_.formula;
  distinct::ExactNumber number;
  if (!takeNumber(token, sign, number)) return;
  const Range range{sign != nullptr ? sign->range.begin : token.range.begin, token.range.end};
  roots_.push_back(static_cast<std::uint32_t>(formula.nodes.size()));
  formula.nodes.push_back(
      {Kind::kNumber, static_cast<std::uint32_t>(formula.numbers.size()), range, range});
  formula.numbers.push_back(std::move(number));
}

void Reader::emit(const Pending& operation) {
  std::vector<Node>& nodes = reading_.formula.nodes;
  const std::uint32_t right = roots_.back();
  roots_.pop_back();
  const std::uint32_t left = roots_.back();
  roots_.back() = static_cast<std::uint32_t>(nodes.size());
  nodes.push_back({nodeKind(operation.kind),
                   0,
                   {nodes[left].range.begin, nodes[right].range.end},
                   operation.token});
}

bool Reader::closeBracket(const Token& token) {
  while (!pending_.empty() && !isOpening(pending_.back().kind)) {
    emit(pending_.back());
    pending_.pop_back();
  }
  if (pending_.empty()) return fail(Problem::kUnopenedBracket, token.range);
  const Pending opening = pending_.back();
  const bool round = opening.kind == TokenKind::kOpenRound;
  if (round != (token.kind == TokenKind::kCloseRound)) {
    return fail(Problem::kMismatchedBracket, token.range);
  }
  pending_.pop_back();
  --depth_;
  reading_.formula.nodes[roots_.back()].range = {opening.token.begin, token.range.end};
  return true;
}

bool Reader::finish() {
  while (!pending_.empty()) {
    if (isOpening(pending_.back().kind)) {
      return fail(Problem::kUnclosedBracket, pending_.back().token);
    }
    emit(pending_.back());
    pending_.pop_back();
  }
  return true;
}

bool Reader::takeClaim(const Token& equals) {
  Token token = tokens_.next();
  if (token.kind == TokenKind::kEnd) return fail(Problem::kMissingNumber, token.range);
  const Token sign = token;
  const bool hasSign = isSign(sign.kind);
  if (hasSign) token = tokens_.next();
  if (token.kind != TokenKind::kNumber || tokens_.next().kind != TokenKind::kEnd) {
    return fail(Problem::kMisplacedEquals, equals.range);
  }
  distinct::ExactNumber claim;
  if (!takeNumber(token, hasSign ? &sign : nullptr, claim)) return false;
  Formula& formula = reading_.formula;
  formula.claim = std::move(claim);
  formula.claimRange = {sign.range.begin, token.range.end};
  return true;
}

}  // namespace

Reading read(std::string_view text) {
  return Reader(text).run();
}

}  // namespace vantrel::formula
