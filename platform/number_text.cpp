#include "platform/number_text.h"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace vantrel {

namespace {

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of digits at the start of text.
std::size_t digitRun(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && isDigit(text[n])) ++n;
  return n;
}

// sign? (digits ('.' digits?)? | '.' digits) ([eE] sign? digits)?
bool matchesNumberGrammar(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t whole = digitRun(text.substr(i));
  i += whole;
  std::size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    fraction = digitRun(text.substr(i));
    i += fraction;
  }
  if (whole + fraction == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponent = digitRun(text.substr(i));
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == text.size();
}

// A positive finite float as the fewest significant digits that read back to
// it (of those, the closest), with no zero at either end, and the place of the
// decimal point: the float is 0.digits × 10^point.
struct ShortestDecimal {
  std::string digits;
  int point = 0;
};

ShortestDecimal shortestDecimal(float magnitude) {
  // {fmt} writes those digits, in fixed or in exponent notation as it sees
  // fit ("30000000", "0.0001", "1e+30"); only the digits and the point's
  // place are taken from its text.
  char text[32];
  const char* const end = fmt::format_to(text, FMT_COMPILE("{}"), magnitude);
  ShortestDecimal decimal;
  int point = -1;
  int exponent = 0;
  for (const char* p = text; p != end; ++p) {
    if (isDigit(*p)) {
      decimal.digits += *p;
    } else if (*p == '.') {
      point = static_cast<int>(decimal.digits.size());
    } else if (*p == 'e') {
      const bool negative = p[1] == '-';
      for (p += 2; p != end; ++p) exponent = exponent * 10 + (*p - '0');
      if (negative) exponent = -exponent;
      break;
    }
  }
  if (point < 0) point = static_cast<int>(decimal.digits.size());
  const std::size_t first = decimal.digits.find_first_not_of('0');
  decimal.digits.erase(0, first);
  decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
  decimal.point = point - static_cast<int>(first) + exponent;
  return decimal;
}

// d.ddde±XX, at least two digits in the exponent ("1e+30", "1.5e-07").
std::string scientific(const ShortestDecimal& decimal) {
  std::string text(1, decimal.digits.front());
  if (decimal.digits.size() > 1) {
    text += '.';
    text.append(decimal.digits, 1);
  }
  const int exponent = decimal.point - 1;
  text += exponent < 0 ? "e-" : "e+";
  if (std::abs(exponent) < 10) text += '0';
  text += numberToText(std::abs(exponent));
  return text;
}

// The same digits with a decimal point and no exponent ("0.0001", "12.5"),
// for a float that is not whole.
std::string fixedFraction(const ShortestDecimal& decimal) {
  if (decimal.point > 0) {
    std::string text = decimal.digits;
    text.insert(static_cast<std::size_t>(decimal.point), 1, '.');
    return text;
  }
  return "0." + std::string(static_cast<std::size_t>(-decimal.point), '0') + decimal.digits;
}

// The shortest text that reads back to the float: fixed or exponent notation,
// whichever is shorter, fixed when they tie. Written in fixed notation a whole
// float shows all its digits, so "123456784", not "123456780".
std::string shortestText(float magnitude) {
  const ShortestDecimal decimal = shortestDecimal(magnitude);
  std::string exponentForm = scientific(decimal);
  const auto digitCount = static_cast<int>(decimal.digits.size());
  if (decimal.point < digitCount) {
    std::string fixedForm = fixedFraction(decimal);
    return fixedForm.size() <= exponentForm.size() ? fixedForm : exponentForm;
  }
  // Whole. A float has at most 9 significant digits, so its exponent form
  // takes at most 14 characters: beyond 10^14 it always wins, and below that
  // the float fits a 64-bit integer exactly.
  if (decimal.point > 14) return exponentForm;
  char buffer[24];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(magnitude));
  (void)ec;
  const auto fixedLength = static_cast<std::size_t>(end - buffer);
  return fixedLength <= exponentForm.size() ? std::string(buffer, end) : exponentForm;
}

}  // namespace

std::string numberToText(float value) {
  if (value == 0.0f) return "0";  // -0 and +0 compare equal, so they read the same
  // Whole numbers up to 2^24 are written out; beyond that every float is whole,
  // and the shortest round-trip form ("1e+30") is the readable choice.
  if (std::fabs(value) <= 16777216.0f && std::trunc(value) == value) {
    return numberToText(static_cast<int>(value));
  }
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isnan(value)) return sign + "nan";
  if (std::isinf(value)) return sign + "inf";
  return sign + shortestText(std::fabs(value));
}

std::string numberToText(int value) {
  char buffer[16];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;
  return std::string(buffer, end);
}

bool isPlainNumber(std::string_view text) {
  return matchesNumberGrammar(trimBlanks(text));
}

double textToNumber(std::string_view text) {
  text = trimBlanks(text);
  if (!matchesNumberGrammar(text)) return 0.0;

  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // The nearest double, however many digits; a magnitude beyond the largest
  // double reads as infinity, one below the smallest as zero.
  double magnitude = 0.0;
  const auto [ptr, ec] = fast_float::from_chars(text.data(), text.data() + text.size(), magnitude,
                                                fast_float::chars_format::general);
  (void)ptr;
  (void)ec;  // the grammar has been checked: fast_float reads all of the text
  return negative ? -magnitude : magnitude;
}

}  // namespace vantrel
