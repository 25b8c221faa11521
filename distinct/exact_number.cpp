#include "distinct/exact_number.h"

#include <algorithm>
#include <utility>

#include "platform/number_text.h"

namespace vantrel::distinct {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Takes the run of digits at the start of text off it.
std::string_view takeDigits(std::string_view& text) {
  std::size_t n = 0;
  while (n < text.size() && isDigit(text[n])) ++n;
  const std::string_view digits = text.substr(0, n);
  text.remove_prefix(n);
  return digits;
}

bool takeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

bool takeSign(std::string_view& text) {
  if (takeChar(text, '-')) return true;
  takeChar(text, '+');
  return false;
}

// Digits without their leading zeros: the ones that count towards the limit.
std::string_view significant(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  return digits;
}

UnsignedWide wholeNumber(std::string_view digits) {
  UnsignedWide value = 0;
  for (char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
  return value;
}

UnsignedWide powerOfTen(int exponent) {
  UnsignedWide power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

UnsignedWide gcd(UnsignedWide a, UnsignedWide b) {
  while (b != 0) a = std::exchange(b, a % b);
  return a;
}

// Sets the value from a numerator and a denominator that are not yet in
// lowest terms.
void setValue(ExactNumber& number, bool negative, UnsignedWide above, UnsignedWide below) {
  const UnsignedWide common = gcd(above, below);
  number.negative = negative && above != 0;
  number.numerator = above / common;
  number.denominator = static_cast<std::uint64_t>(below / common);
}

// sign? digits '/' digits
NumberProblem readFraction(std::string_view text, ExactNumber& number) {
  const bool negative = takeSign(text);
  const std::string_view above = takeDigits(text);
  if (above.empty() || !takeChar(text, '/')) return NumberProblem::kMalformed;
  const std::string_view below = takeDigits(text);
  if (below.empty() || !text.empty()) return NumberProblem::kMalformed;
  if (significant(above).size() > kMaxDigits || significant(below).size() > kMaxDigits) {
    return NumberProblem::kTooLong;
  }
  const UnsignedWide denominator = wholeNumber(significant(below));
  if (denominator == 0) return NumberProblem::kZeroDenominator;
  setValue(number, negative, wholeNumber(significant(above)), denominator);
  return NumberProblem::kNone;
}

// sign? (digits ('.' digits?)? | '.' digits) ([eE] sign? digits)?
NumberProblem readDecimal(std::string_view text, ExactNumber& number) {
  const bool negative = takeSign(text);
  const std::string_view whole = takeDigits(text);
  std::string_view fraction;
  if (takeChar(text, '.')) fraction = takeDigits(text);
  if (whole.empty() && fraction.empty()) return NumberProblem::kMalformed;
  // Only the digits the value comes to count, wherever an exponent puts the
  // point; one past any such count is refused all the same.
  constexpr int kFarthest = 1'000'000;
  int exponent = 0;
  bool exponentTooLarge = false;
  if (takeChar(text, 'e') || takeChar(text, 'E')) {
    const bool negativeExponent = takeSign(text);
    const std::string_view digits = takeDigits(text);
    if (digits.empty()) return NumberProblem::kMalformed;
    for (char c : significant(digits)) {
      exponent = exponent * 10 + (c - '0');
      if (exponent > kFarthest) {
        exponentTooLarge = true;
        break;
      }
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (!text.empty()) return NumberProblem::kMalformed;

  // The value is the significant digits times a power of ten.
  std::string digits(whole);
  digits += fraction;
  std::string_view significand = significant(digits);
  int shift = exponent - static_cast<int>(fraction.size());
  while (!significand.empty() && significand.back() == '0') {
    significand.remove_suffix(1);
    ++shift;
  }
  if (significand.empty()) {
    setValue(number, false, 0, 1);
    return NumberProblem::kNone;
  }
  if (exponentTooLarge) return NumberProblem::kTooLong;
  const auto length = static_cast<int>(significand.size());
  const int before = std::max(length + shift, 0);  // digits before the point
  const int after = std::max(-shift, 0);           // and after it
  if (before > static_cast<int>(kMaxDigits) || after > static_cast<int>(kMaxDigits)) {
    return NumberProblem::kTooLong;
  }
  const UnsignedWide value = wholeNumber(significand);
  if (shift >= 0) {
    setValue(number, negative, value * powerOfTen(shift), 1);
  } else {
    setValue(number, negative, value, powerOfTen(-shift));
  }
  return NumberProblem::kNone;
}

}  // namespace

NumberProblem readNumber(std::string_view text, ExactNumber& number) {
  text = trimBlanks(text);
  if (text.empty()) return NumberProblem::kEmpty;
  ExactNumber read;
  const NumberProblem problem =
      text.find('/') != std::string_view::npos ? readFraction(text, read) : readDecimal(text, read);
  if (problem == NumberProblem::kNone) {
    read.text = text;
    number = std::move(read);
  }
  return problem;
}

bool ExactNumber::fits(Fraction& value) const {
  if (numerator > static_cast<UnsignedWide>(kFractionLimit) ||
      denominator > static_cast<std::uint64_t>(kFractionLimit)) {
    return false;
  }
  const auto above = static_cast<std::int64_t>(numerator);
  value = {negative ? -above : above, static_cast<std::int64_t>(denominator)};
  return true;
}

BigRational ExactNumber::value() const {
  boost::multiprecision::cpp_int above = static_cast<std::uint64_t>(numerator >> 64);
  above <<= 64;
  above += static_cast<std::uint64_t>(numerator);
  BigRational value(above, boost::multiprecision::cpp_int(denominator));
  return negative ? BigRational(-value) : value;
}

int compareValues(const ExactNumber& a, const ExactNumber& b) {
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  // Cross-multiplied, the numbers could pass 128 bits: compare the whole
  // parts first, then the remainders, whose products stay below 10^36.
  const UnsignedWide wholeA = a.numerator / a.denominator;
  const UnsignedWide wholeB = b.numerator / b.denominator;
  int order = 0;
  if (wholeA != wholeB) {
    order = wholeA < wholeB ? -1 : 1;
  } else {
    const UnsignedWide left = (a.numerator % a.denominator) * b.denominator;
    const UnsignedWide right = (b.numerator % b.denominator) * a.denominator;
    order = left == right ? 0 : left < right ? -1 : 1;
  }
  return a.negative ? -order : order;
}

NumberProblem checkNumber(std::string_view text) {
  ExactNumber number;
  return readNumber(text, number);
}

}  // namespace vantrel::distinct
