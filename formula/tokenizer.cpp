#include "formula/tokenizer.h"

namespace vantrel::formula {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kFullWidthOffset = 0xFF01 - 0x21;  // '！' is '!' moved up

bool isBlank(char32_t c) {
  return c == ' ' || c == '\t' || c == 0x3000;
}

// ASCII and full-width digits.
int digitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 0xFF10 && c <= 0xFF19) return static_cast<int>(c - 0xFF10);
  return -1;
}

// A full-width form of a printable ASCII character as that character.
char32_t narrow(char32_t c) {
  return c >= 0xFF01 && c <= 0xFF5E ? c - kFullWidthOffset : c;
}

std::uint8_t faceValue(char32_t c) {
  switch (narrow(c)) {
    case 'A':
    case 'a':
      return 1;
    case 'J':
    case 'j':
      return 11;
    case 'Q':
    case 'q':
      return 12;
    case 'K':
    case 'k':
      return 13;
    default:
      return 0;
  }
}

TokenKind symbolKind(char32_t c) {
  switch (c) {
    case 0xD7:  // ×
      return TokenKind::kMultiply;
    case 0xF7:  // ÷
      return TokenKind::kDivide;
    case 0x2212:  // the minus sign
      return TokenKind::kSubtract;
    default:
      break;
  }
  switch (narrow(c)) {
    case '+':
      return TokenKind::kAdd;
    case '-':
      return TokenKind::kSubtract;
    case '*':
      return TokenKind::kMultiply;
    case '/':
      return TokenKind::kDivide;
    case '(':
      return TokenKind::kOpenRound;
    case ')':
      return TokenKind::kCloseRound;
    case '=':
      return TokenKind::kEquals;
    default:
      break;
  }
  // Square brackets only in ASCII: their full-width forms are no input
  // method's brackets.
  if (c == '[') return TokenKind::kOpenSquare;
  if (c == ']') return TokenKind::kCloseSquare;
  return TokenKind::kUnexpected;
}

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t& bytes) {
  const auto first = static_cast<unsigned char>(text[at]);
  bytes = 1;
  if (first < 0x80) return first;
  std::size_t length = 0;
  char32_t c = 0;
  // The range the second byte must fall in, which rules out overlong forms,
  // surrogates and values beyond U+10FFFF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    c = first & 0x1Fu;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    c = first & 0x0Fu;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    c = first & 0x07u;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (at + i >= text.size()) return kReplacement;
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (i == 1 ? byte < low || byte > high : !isContinuation(byte)) return kReplacement;
    c = (c << 6) | (byte & 0x3Fu);
    bytes = i + 1;
  }
  return c;
}

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  std::size_t bytes = 0;
  for (std::size_t at = 0; at < text.size(); at += bytes) {
    units += decodeUtf8(text, at, bytes) > 0xFFFF ? 2 : 1;
  }
  return units;
}

std::string_view trimBlanks(std::string_view text) {
  constexpr std::string_view kWideBlank = "\u3000";
  for (;;) {
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kWideBlank)) {
      text.remove_prefix(kWideBlank.size());
    } else {
      break;
    }
  }
  for (;;) {
    if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kWideBlank)) {
      text.remove_suffix(kWideBlank.size());
    } else {
      return text;
    }
  }
}

char32_t Tokenizer::peek(std::size_t& bytes) const {
  if (byte_ >= text_.size()) {
    bytes = 0;
    return 0;
  }
  return decodeUtf8(text_, byte_, bytes);
}

void Tokenizer::advance(char32_t c, std::size_t bytes) {
  byte_ += bytes;
  unit_ += c > 0xFFFF ? 2 : 1;
}

bool Tokenizer::takeDigits(bool points) {
  bool taken = false;
  std::size_t bytes = 0;
  for (char32_t c = peek(bytes); bytes > 0 && (digitValue(c) >= 0 || (points && c == '.'));
       c = peek(bytes)) {
    advance(c, bytes);
    taken = true;
  }
  return taken;
}

Token Tokenizer::next() {
  std::size_t bytes = 0;
  char32_t c = peek(bytes);
  while (bytes > 0 && isBlank(c)) {
    advance(c, bytes);
    c = peek(bytes);
  }
  Token token;
  token.byteBegin = byte_;
  token.range.begin = unit_;
  if (bytes == 0) {
    token.kind = TokenKind::kEnd;
  } else if (digitValue(c) >= 0 || c == '.') {
    token.kind = TokenKind::kNumber;
    takeDigits(true);
    // An exponent only where digits follow the e, so that "2e" leaves the e
    // for the reader to find unexpected.
    const Tokenizer before = *this;
    c = peek(bytes);
    if (bytes > 0 && (c == 'e' || c == 'E')) {
      advance(c, bytes);
      c = peek(bytes);
      if (bytes > 0 && (c == '+' || c == '-')) advance(c, bytes);
      if (!takeDigits(false)) *this = before;
    }
  } else {
    advance(c, bytes);
    token.face = faceValue(c);
    token.kind = token.face != 0 ? TokenKind::kFace : symbolKind(c);
  }
  token.byteEnd = byte_;
  token.range.end = unit_;
  return token;
}

void Tokenizer::appendNumberText(const Token& token, std::string& out) const {
  if (token.kind == TokenKind::kFace) {
    out += std::to_string(token.face);
    return;
  }
  std::size_t bytes = 0;
  for (std::size_t at = token.byteBegin; at < token.byteEnd; at += bytes) {
    const char32_t c = decodeUtf8(text_, at, bytes);
    const int digit = digitValue(c);
    out += digit >= 0 ? static_cast<char>('0' + digit) : static_cast<char>(c);
  }
}

}  // namespace vantrel::formula
