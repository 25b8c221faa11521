#pragma once

// Conversions between numbers and the texts the solver reads and writes.
// Both directions are locale-independent: the decimal point is always '.'.

#include <string>
#include <string_view>

namespace vantrel {

// The blanks that may stand around a number: space and tab.
constexpr bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// A float as it appears in a result line.
// Whole numbers are written as plain digits ("24", "-3"; both zeros as "0").
// Anything else is the shortest text that reads back to the same float
// ("0.5", "1e-05", "3.4028235e+38"); infinities are "inf" and "-inf", a NaN "nan".
// Equal values always give equal texts.
std::string numberToText(float value);

// An int in decimal digits, with a leading '-' when negative.
std::string numberToText(int value);

// Reads a number typed by the user.
// Blanks (space, tab) around the number are ignored. What is left must be a
// plain decimal number: an optional sign, digits with an optional fraction
// (at least one digit in all), and an optional exponent ("e" or "E", an
// optional sign, digits). Its value is the nearest double; a magnitude too
// large for a double gives an infinity of the same sign, one too small a zero.
// Every other text, the empty text included, reads as 0.
double textToNumber(std::string_view text);

// True when textToNumber would read the text as a plain decimal number rather
// than fall back to 0 (blanks around it allowed).
bool isPlainNumber(std::string_view text);

}  // namespace vantrel
