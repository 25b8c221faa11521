#pragma once

// The two kinds of exact arithmetic the search runs on: fractions in machine
// words, which say when a result would not fit, and arbitrary precision.

#include <cstddef>
#include <functional>

#include "distinct/exact_number.h"
#include "distinct/fraction.h"

namespace vantrel::distinct {

struct FastArithmetic {
  using Number = Fraction;

  static bool from(const ExactNumber& x, Number& out) { return x.fits(out); }
  static bool add(const Number& a, const Number& b, Number& out) {
    return distinct::add(a, b, out);
  }
  static bool subtract(const Number& a, const Number& b, Number& out) {
    return distinct::subtract(a, b, out);
  }
  static bool multiply(const Number& a, const Number& b, Number& out) {
    return distinct::multiply(a, b, out);
  }
  static bool divide(const Number& a, const Number& b, Number& out) {
    return distinct::divide(a, b, out);
  }
  static bool isZero(const Number& a) { return a.num == 0; }
  static bool isOne(const Number& a) { return a.num == 1 && a.den == 1; }
  static Number number(int value) { return {value, 1}; }
  static std::size_t hash(const Number& a) { return hashOf(a); }
};

struct BigArithmetic {
  using Number = BigRational;

  static bool from(const ExactNumber& x, Number& out) {
    out = x.value();
    return true;
  }
  static bool add(const Number& a, const Number& b, Number& out) {
    out = a + b;
    return true;
  }
  static bool subtract(const Number& a, const Number& b, Number& out) {
    out = a - b;
    return true;
  }
  static bool multiply(const Number& a, const Number& b, Number& out) {
    out = a * b;
    return true;
  }
  static bool divide(const Number& a, const Number& b, Number& out) {
    out = a / b;
    return true;
  }
  static bool isZero(const Number& a) { return a.is_zero(); }
  static bool isOne(const Number& a) { return a == 1; }
  static Number number(int value) { return Number(value); }
  static std::size_t hash(const Number& a) { return std::hash<Number>{}(a); }
};

}  // namespace vantrel::distinct
