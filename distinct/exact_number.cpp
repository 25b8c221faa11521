#include "distinct/exact_number.h"

#include <algorithm>

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

boost::multiprecision::cpp_int wholeNumber(std::string_view digits) {
  boost::multiprecision::cpp_int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

boost::multiprecision::cpp_int powerOfTen(int exponent) {
  boost::multiprecision::cpp_int power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

// sign? digits '/' digits
NumberProblem readFraction(std::string_view text, BigRational& value) {
  const bool negative = takeSign(text);
  const std::string_view above = takeDigits(text);
  if (above.empty() || !takeChar(text, '/')) return NumberProblem::kMalformed;
  const std::string_view below = takeDigits(text);
  if (below.empty() || !text.empty()) return NumberProblem::kMalformed;
  if (significant(above).size() > kMaxDigits || significant(below).size() > kMaxDigits) {
    return NumberProblem::kTooLong;
  }
  const boost::multiprecision::cpp_int denominator = wholeNumber(below);
  if (denominator == 0) return NumberProblem::kZeroDenominator;
  value = BigRational(wholeNumber(above), denominator);
  if (negative) value = -value;
  return NumberProblem::kNone;
}

// sign? (digits ('.' digits?)? | '.' digits) ([eE] sign? digits)?
NumberProblem readDecimal(std::string_view text, BigRational& value) {
  const bool negative = takeSign(text);
  const std::string_view whole = takeDigits(text);
  std::string_view fraction;
  if (takeChar(text, '.')) fraction = takeDigits(text);
  if (whole.empty() && fraction.empty()) return NumberProblem::kMalformed;
  int exponent = 0;
  bool exponentTooLarge = false;
  if (takeChar(text, 'e') || takeChar(text, 'E')) {
    const bool negativeExponent = takeSign(text);
    const std::string_view digits = takeDigits(text);
    if (digits.empty()) return NumberProblem::kMalformed;
    for (char c : significant(digits)) {
      exponent = exponent * 10 + (c - '0');
      if (exponent > kMaxExponent) {
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
    value = 0;
    return NumberProblem::kNone;
  }
  if (exponentTooLarge) return NumberProblem::kTooLong;
  const auto length = static_cast<int>(significand.size());
  const int before = std::max(length + shift, 0);  // digits before the point
  const int after = std::max(-shift, 0);           // and after it
  if (before > static_cast<int>(kMaxDigits) || after > static_cast<int>(kMaxDigits)) {
    return NumberProblem::kTooLong;
  }
  const boost::multiprecision::cpp_int significandValue = wholeNumber(significand);
  value = shift >= 0 ? BigRational(significandValue * powerOfTen(shift))
                     : BigRational(significandValue, powerOfTen(-shift));
  if (negative) value = -value;
  return NumberProblem::kNone;
}

}  // namespace

NumberProblem readNumber(std::string_view text, ExactNumber& number) {
  text = trimBlanks(text);
  if (text.empty()) return NumberProblem::kEmpty;
  BigRational value;
  const NumberProblem problem = text.find('/') != std::string_view::npos ? readFraction(text, value)
                                                                         : readDecimal(text, value);
  if (problem == NumberProblem::kNone) number = {std::string(text), value};
  return problem;
}

NumberProblem checkNumber(std::string_view text) {
  ExactNumber number;
  return readNumber(text, number);
}

}  // namespace vantrel::distinct
