#pragma once

// The pieces a formula's text is made of, taken one at a time, with their
// places both in bytes and in UTF-16 code units. Cheap to copy, so that a
// reader can look ahead on a copy.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formula/formula.h"

namespace vantrel::formula {

enum class TokenKind : std::uint8_t {
  kEnd,
  kNumber,  // digits, points and an exponent: whether they make a number is for readNumber
  kFace,    // A J Q K
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kOpenRound,
  kOpenSquare,
  kCloseRound,
  kCloseSquare,
  kEquals,
  kUnexpected,  // any other character, or bytes that are not UTF-8
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  Range range;  // at the end: an empty range there
  std::size_t byteBegin = 0;
  std::size_t byteEnd = 0;
  std::uint8_t face = 0;  // a face card's value
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  // The next token after any blanks.
  Token next();

  // A number token as ASCII text, appended to out: full-width digits become
  // ASCII ones, a face card its value.
  void appendNumberText(const Token& token, std::string& out) const;

 private:
  // The character at the current place and its length in bytes.
  char32_t peek(std::size_t& bytes) const;
  void advance(char32_t c, std::size_t bytes);
  // Takes the run of digits (and points, when points is set) at the current
  // place; false when there was none.
  bool takeDigits(bool points);

  std::string_view text_;
  std::size_t byte_ = 0;
  std::uint32_t unit_ = 0;
};

// The character that starts at text[at], and its length in bytes. Where no
// valid UTF-8 character starts, U+FFFD, as long as the bytes that could
// begin one (at least one).
char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t& bytes);

// The length of a text in UTF-16 code units, decoded as above.
std::size_t utf16Length(std::string_view text);

}  // namespace vantrel::formula
