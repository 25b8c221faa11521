#pragma once

// Fingerprints of rational functions: the value of a form modulo the prime
// 2^61 - 1 at a point where each number of the hand is a variable taking a
// random value (numbers worth 0 or 1 keep their value). Forms that are equal
// as rational functions have equal fingerprints; different ones share one
// with a chance of about one in 2^58.

#include <cstdint>

namespace vantrel::distinct::modular {

inline constexpr std::uint64_t kPrime = (std::uint64_t{1} << 61) - 1;

inline std::uint64_t add(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t sum = a + b;
  return sum >= kPrime ? sum - kPrime : sum;
}

inline std::uint64_t subtract(std::uint64_t a, std::uint64_t b) {
  return a >= b ? a - b : a + kPrime - b;
}

__extension__ typedef unsigned __int128 Wide;

inline std::uint64_t multiply(std::uint64_t a, std::uint64_t b) {
  const Wide product = static_cast<Wide>(a) * b;
  const std::uint64_t folded =
      (static_cast<std::uint64_t>(product) & kPrime) + static_cast<std::uint64_t>(product >> 61);
  return folded >= kPrime ? folded - kPrime : folded;
}

// The inverse of a, which must not be 0 (by Fermat: a^(p-2)).
inline std::uint64_t inverse(std::uint64_t a) {
  std::uint64_t result = 1;
  std::uint64_t power = a;
  for (std::uint64_t e = kPrime - 2; e != 0; e >>= 1) {
    if (e & 1) result = multiply(result, power);
    power = multiply(power, power);
  }
  return result;
}

// The values at which the numbers are taken: the same on every machine, so
// that the program's choices never vary.
class RandomPoints {
 public:
  std::uint64_t next() {
    // splitmix64, kept below the prime and away from 0 and 1.
    for (;;) {
      state_ += 0x9E3779B97F4A7C15u;
      std::uint64_t z = state_;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
      z = (z ^ (z >> 31)) >> 3;
      if (z > 1 && z < kPrime) return z;
    }
  }

 private:
  std::uint64_t state_ = 0x5EED2024u;
};

}  // namespace vantrel::distinct::modular
