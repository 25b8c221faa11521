// libFuzzer target: the distinct solver and its reading of numbers.
//
// The fuzz input holds a target and then the numbers of a hand, separated by
// '\n'; a '\\' takes the byte after it as it stands. The hand holds at most
// five numbers (what follows the fifth is part of it), so that no input takes
// seconds: six or seven numbers can, even without the sanitizers.
//
// Each text is read again here, plainly, with Boost's rationals: the solver
// must refuse as malformed exactly the texts that are not numbers, take none
// beyond its stated bounds, and throw std::invalid_argument exactly when it
// refuses a text. Every line it gives must use each number of the hand once,
// as written, and come to the target without dividing by zero; and given the
// sum of the hand as the target, it must find a way.

#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;
using vantrel::distinct::NumberProblem;

constexpr std::size_t kMaxFuzzedNumbers = 5;

// libFuzzer keeps the input that failed; this says which rule it broke.
[[noreturn]] void fail(const char* rule, std::string_view detail) {
  std::fprintf(stderr, "\nthe distinct solver broke a rule: %s\n", rule);
  for (const char c : detail) {
    const auto byte = static_cast<unsigned char>(c);
    byte >= 0x20 && byte != 0x7f ? void(std::fputc(c, stderr))
                                 : void(std::fprintf(stderr, "\\x%02x", byte));
  }
  std::fputc('\n', stderr);
  std::abort();
}

std::string_view trimmed(std::string_view text) {
  const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
  return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

std::string_view takeDigits(std::string_view& text) {
  const std::size_t end = std::min(text.find_first_not_of("0123456789"), text.size());
  const std::string_view digits = text.substr(0, end);
  text.remove_prefix(end);
  return digits;
}

bool takeSign(std::string_view& text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  return negative;
}

cpp_int wholeNumber(std::string_view digits) {
  // Without its leading zeros, which Boost would take for an octal number.
  digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
  return digits.empty() ? cpp_int(0) : cpp_int(std::string(digits));
}

struct Reading {
  bool wellFormed = false;
  bool overZero = false;
  std::optional<cpp_rational> value;  // none over zero or with an exponent far past the bounds
};

// A number as distinct.h says numbers are written.
Reading readPlainly(std::string_view text) {
  Reading reading;
  text = trimmed(text);
  const bool negative = takeSign(text);
  const std::string_view whole = takeDigits(text);
  cpp_rational value;
  if (!whole.empty() && text.starts_with('/')) {
    text.remove_prefix(1);
    const std::string_view below = takeDigits(text);
    reading.wellFormed = !below.empty() && text.empty();
    reading.overZero = wholeNumber(below) == 0;
    if (!reading.wellFormed || reading.overZero) return reading;
    value = cpp_rational(wholeNumber(whole), wholeNumber(below));
  } else {
    std::string_view decimals;
    if (text.starts_with('.')) {
      text.remove_prefix(1);
      decimals = takeDigits(text);
    }
    std::string_view exponentDigits = "0";
    bool negativeExponent = false;
    if (!text.empty() && (text[0] == 'e' || text[0] == 'E')) {
      text.remove_prefix(1);
      negativeExponent = takeSign(text);
      exponentDigits = takeDigits(text);
    }
    reading.wellFormed = (!whole.empty() || !decimals.empty()) && !exponentDigits.empty() &&
                         text.empty();
    if (!reading.wellFormed) return reading;
    value = wholeNumber(std::string(whole) + std::string(decimals));
    exponentDigits.remove_prefix(
        std::min(exponentDigits.find_first_not_of('0'), exponentDigits.size()));
    if (exponentDigits.size() > 2) {
      if (value != 0) return reading;
      exponentDigits = {};
    }
    long exponent = std::stol("0" + std::string(exponentDigits));
    exponent = (negativeExponent ? -exponent : exponent) - static_cast<long>(decimals.size());
    for (; exponent > 0; --exponent) value *= 10;
    for (; exponent < 0; ++exponent) value /= 10;
  }
  reading.value = negative ? cpp_rational(-value) : value;
  return reading;
}

// What the solver says of a text against the plain reading; the value when it takes it.
std::optional<cpp_rational> checkReading(std::string_view text) {
  const NumberProblem problem = vantrel::distinct::checkNumber(text);
  const Reading reading = readPlainly(text);
  const std::string detail(text);
  if (trimmed(text).empty() != (problem == NumberProblem::kEmpty)) fail("kEmpty", detail);
  if (!trimmed(text).empty() && !reading.wellFormed != (problem == NumberProblem::kMalformed)) {
    fail("refused as malformed, or taken, against its grammar", detail);
  }
  if (problem == NumberProblem::kZeroDenominator && !reading.overZero) fail("over zero?", detail);
  if (problem != NumberProblem::kNone) return std::nullopt;
  const cpp_rational bound = cpp_rational(cpp_int(1000000000) * 1000000000);
  if (!reading.value || abs(*reading.value) >= bound ||
      denominator(*reading.value) > numerator(bound)) {
    fail("took a number beyond its bounds", detail);
  }
  return reading.value;
}

// A solution line read back with the usual precedence: its value, and the
// numbers it uses as they are written.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {
    for (std::string_view rest = line; !rest.empty();) {
      std::string_view token = rest.substr(0, rest.find(' '));
      rest.remove_prefix(std::min(token.size() + 1, rest.size()));
      if (token == "+" || token == "-" || token == "/" || token == "×") {
        tokens_.push_back({token == "×" ? '*' : token[0], {}});
        continue;
      }
      for (; token.starts_with('('); token.remove_prefix(1)) tokens_.push_back({'(', {}});
      std::size_t closing = 0;
      for (; token.ends_with(')'); token.remove_suffix(1)) ++closing;
      tokens_.push_back({'n', std::string(token)});
      tokens_.insert(tokens_.end(), closing, Token{')', {}});
    }
  }

  cpp_rational value() {
    const cpp_rational total = sum();
    if (position_ != tokens_.size()) fail("a line that is no formula", line_);
    return total;
  }

  std::vector<std::string> numbers;

 private:
  struct Token {
    char kind;  // 'n' a number, '(', ')' or an operator
    std::string text;
  };

  bool at(char kind) const { return position_ < tokens_.size() && tokens_[position_].kind == kind; }

  cpp_rational sum() {
    cpp_rational total = product();
    while (at('+') || at('-')) total += tokens_[position_++].kind == '+' ? product() : -product();
    return total;
  }

  cpp_rational product() {
    cpp_rational total = factor();
    while (at('*') || at('/')) {
      const bool divide = tokens_[position_++].kind == '/';
      const cpp_rational next = factor();
      if (divide && next == 0) fail("a division by zero", line_);
      total = divide ? cpp_rational(total / next) : cpp_rational(total * next);
    }
    return total;
  }

  cpp_rational factor() {
    if (at('(')) {
      ++position_;
      const cpp_rational inner = sum();
      if (!at(')')) fail("brackets that do not match", line_);
      ++position_;
      return inner;
    }
    if (!at('n')) fail("a line that is no formula", line_);
    numbers.push_back(tokens_[position_].text);
    const Reading reading = readPlainly(tokens_[position_++].text);
    if (!reading.value) fail("a number in a line that is none", line_);
    return *reading.value;
  }

  std::string line_;
  std::vector<Token> tokens_;
  std::size_t position_ = 0;
};

void checkLines(const std::vector<std::string>& lines, std::vector<std::string> written,
                const cpp_rational& target) {
  std::ranges::sort(written);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (std::find(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i), lines[i]) !=
        lines.begin() + static_cast<std::ptrdiff_t>(i)) {
      fail("a line twice", lines[i]);
    }
    LineReader reader(lines[i]);
    if (reader.value() != target) fail("a line that does not make the target", lines[i]);
    std::ranges::sort(reader.numbers);
    if (reader.numbers != written) fail("a line that does not use each number once", lines[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> texts(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\\' && i + 1 < size) {
      texts.back() += static_cast<char>(data[++i]);
    } else if (c == '\n' && texts.size() <= kMaxFuzzedNumbers) {
      texts.emplace_back();
    } else {
      texts.back() += c;
    }
  }
  const std::string_view target = texts[0];
  const std::vector<std::string_view> hand(texts.begin() + 1, texts.end());

  const std::optional<cpp_rational> targetValue = checkReading(target);
  bool taken = targetValue.has_value() && !hand.empty();
  cpp_rational sum = 0;
  std::vector<std::string> written;
  for (std::string_view number : hand) {
    const std::optional<cpp_rational> value = checkReading(number);
    taken = taken && value.has_value();
    if (value) sum += *value;
    written.emplace_back(trimmed(number));
  }

  std::vector<std::string> lines;
  try {
    lines = vantrel::distinct::solve(hand, target);
  } catch (const std::invalid_argument&) {
    if (taken) fail("threw on numbers it takes", std::string(target));
    return 0;
  }
  if (!taken) fail("solved a hand with a number it refuses", std::string(target));
  checkLines(lines, written, *targetValue);

  // The sum of the hand is always a way, when it can be written as a target.
  std::string sumText = numerator(sum).str();
  if (denominator(sum) != 1) sumText += "/" + denominator(sum).str();
  if (vantrel::distinct::checkNumber(sumText) != NumberProblem::kNone) return 0;
  lines = vantrel::distinct::solve(hand, sumText);
  if (lines.empty()) fail("no way to make the sum of the hand", sumText);
  checkLines(lines, written, sum);
  return 0;
}
