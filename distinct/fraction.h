#pragma once

// Exact fractions in machine words: the fast arithmetic of the search. Every
// operation says when its result would not fit, and the search then starts
// again with arbitrary precision.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace vantrel::distinct {

// num / den in lowest terms, den > 0, both at most kFractionLimit in
// magnitude, so that negating, comparing and hashing never overflow.
struct Fraction {
  std::int64_t num = 0;
  std::int64_t den = 1;
  bool operator==(const Fraction&) const = default;
};

inline constexpr std::int64_t kFractionLimit = std::int64_t{1} << 62;

namespace fraction_detail {

inline std::uint64_t magnitude(std::int64_t x) {
  return x < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
}

// Binary GCD; gcd(0, b) = b.
inline std::uint64_t gcd(std::uint64_t a, std::uint64_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = __builtin_ctzll(a | b);
  a >>= __builtin_ctzll(a);
  do {
    b >>= __builtin_ctzll(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a << shift;
}

inline std::int64_t divide(std::int64_t x, std::uint64_t g) {
  return x / static_cast<std::int64_t>(g);
}

inline bool inRange(std::int64_t x) {
  return x <= kFractionLimit && x >= -kFractionLimit;
}

inline bool finish(std::int64_t num, std::int64_t den, Fraction& out) {
  if (!inRange(num) || den > kFractionLimit) return false;
  out = {num, den};
  return true;
}

}  // namespace fraction_detail

// out = a + b; false when it would not fit.
inline bool add(Fraction a, Fraction b, Fraction& out) {
  using namespace fraction_detail;
  std::int64_t num = 0;
  std::int64_t den = 0;
  if (a.den == 1 && b.den == 1) {
    return !__builtin_add_overflow(a.num, b.num, &num) && finish(num, 1, out);
  }
  const std::uint64_t g = gcd(static_cast<std::uint64_t>(a.den), static_cast<std::uint64_t>(b.den));
  const std::int64_t aScale = divide(b.den, g);  // b.den / g
  const std::int64_t bScale = divide(a.den, g);  // a.den / g
  std::int64_t left = 0;
  std::int64_t right = 0;
  if (__builtin_mul_overflow(a.num, aScale, &left) ||
      __builtin_mul_overflow(b.num, bScale, &right) || __builtin_add_overflow(left, right, &num)) {
    return false;
  }
  if (num == 0) return finish(0, 1, out);
  // Only a factor of g can divide both the sum and the new denominator.
  const std::uint64_t g2 = g == 1 ? 1 : gcd(magnitude(num), g);
  num = divide(num, g2);
  if (__builtin_mul_overflow(bScale, divide(b.den, g2), &den)) return false;
  return finish(num, den, out);
}

inline bool subtract(Fraction a, Fraction b, Fraction& out) {
  return add(a, {-b.num, b.den}, out);
}

inline bool multiply(Fraction a, Fraction b, Fraction& out) {
  using namespace fraction_detail;
  if (a.num == 0 || b.num == 0) {
    out = {0, 1};
    return true;
  }
  const std::uint64_t g1 = gcd(magnitude(a.num), static_cast<std::uint64_t>(b.den));
  const std::uint64_t g2 = gcd(magnitude(b.num), static_cast<std::uint64_t>(a.den));
  std::int64_t num = 0;
  std::int64_t den = 0;
  if (__builtin_mul_overflow(divide(a.num, g1), divide(b.num, g2), &num) ||
      __builtin_mul_overflow(divide(a.den, g2), divide(b.den, g1), &den)) {
    return false;
  }
  return finish(num, den, out);
}

// b must not be zero.
inline bool divide(Fraction a, Fraction b, Fraction& out) {
  const Fraction inverse = b.num < 0 ? Fraction{-b.den, -b.num} : Fraction{b.den, b.num};
  return multiply(a, inverse, out);
}

inline std::size_t hashOf(Fraction f) {
  auto h = static_cast<std::uint64_t>(f.num) * 0x9E3779B97F4A7C15u;
  h ^= static_cast<std::uint64_t>(f.den) * 0xC2B2AE3D27D4EB4Fu;
  h ^= h >> 29;
  return static_cast<std::size_t>(h);
}

}  // namespace vantrel::distinct
