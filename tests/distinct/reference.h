#pragma once

// The distinct solutions found the plain way, for holding the engine against:
// every expression tree over the hand, in exact fractions, put in classes by
// its values at random points modulo a prime (the least of them over every
// exchange of equal numbers), each class with the fewest brackets any of its
// trees is written with. Nothing of the engine's is used. Also a reader for
// the engine's lines that checks each on its own.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::testing {

// Fingerprint of a class of solutions, and the fewest brackets of a member.
using ReferenceClasses = std::map<std::uint64_t, int>;

class ReferenceHand {
 public:
  // numbers and target as the user typed them (integers, decimals, a/b).
  ReferenceHand(const std::vector<std::string>& numbers, std::string_view target);
  ~ReferenceHand();

  ReferenceClasses classes() const;

  // A line as the engine writes it, read back on its own.
  struct Line {
    std::uint64_t print = 0;
    int brackets = 0;
    std::string problem;  // empty when the line is a solution
  };
  Line read(std::string_view line) const;

  struct Data;

 private:
  std::unique_ptr<Data> data_;
};

}  // namespace vantrel::testing
