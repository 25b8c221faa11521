#pragma once

// Numbers as the user wrote them, read exactly.

#include <boost/multiprecision/cpp_int.hpp>
#include <string>
#include <string_view>

#include "distinct/distinct.h"

namespace vantrel::distinct {

using BigRational = boost::multiprecision::cpp_rational;

struct ExactNumber {
  std::string text;  // as written, without the blanks around it
  BigRational value;
};

// Reads text into number when it is a number the engine takes (see
// checkNumber); number is left alone otherwise.
NumberProblem readNumber(std::string_view text, ExactNumber& number);

}  // namespace vantrel::distinct
