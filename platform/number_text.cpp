#include "platform/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
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

// The power of ten of the first significant digit of an unsigned plain
// decimal, so that 120 gives 2, 0.05 gives -2 and 3e-400 gives -400; the
// exponent saturates far beyond any double. Only used to tell an overflow
// from an underflow, so all-zero mantissas (which neither) give 0.
long long decimalExponent(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  const auto position = static_cast<long long>(point) - static_cast<long long>(first);
  return exponent + (first < point ? position - 1 : position);
}

}  // namespace

std::string numberToText(float value) {
  if (value == 0.0f) return "0";  // -0 and +0 compare equal, so they read the same
  // Whole numbers up to 2^24 are written out; beyond that every float is whole,
  // and the shortest round-trip form ("1e+30") is the readable choice.
  if (std::fabs(value) <= 16777216.0f && std::trunc(value) == value) {
    return numberToText(static_cast<int>(value));
  }
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;  // 32 bytes always hold a float's shortest form
  return std::string(buffer, end);
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
  double magnitude = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude,
                                         std::chars_format::general);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    magnitude = decimalExponent(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace vantrel
