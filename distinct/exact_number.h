#pragma once

// Numbers as the user wrote them, read exactly.

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>
#include <string>
#include <string_view>

#include "distinct/distinct.h"
#include "distinct/fraction.h"

namespace vantrel::distinct {

using BigRational = boost::multiprecision::cpp_rational;

__extension__ using UnsignedWide = unsigned __int128;

struct ExactNumber {
  std::string text;  // as written, without the blanks around it
  // The value: (-1)^negative × numerator / denominator, in lowest terms. The
  // limits on digits keep the numerator below 10^36 and the denominator
  // below 10^19.
  bool negative = false;
  UnsignedWide numerator = 0;
  std::uint64_t denominator = 1;

  // The value in machine words, when it fits.
  bool fits(Fraction& value) const;
  BigRational value() const;
  bool isZero() const { return numerator == 0; }
  bool isOne() const { return numerator == 1 && denominator == 1 && !negative; }
};

// Orders numbers by value: negative, zero or positive as a is less than b,
// equal to it or greater.
int compareValues(const ExactNumber& a, const ExactNumber& b);

// Reads text into number when it is a number the engine takes (see
// checkNumber); number is left alone otherwise.
NumberProblem readNumber(std::string_view text, ExactNumber& number);

}  // namespace vantrel::distinct
