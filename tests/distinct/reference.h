#pragma once

// The distinct solutions found the plain way, for holding the engine against:
// every expression tree over every group of the hand's numbers, in exact
// fractions, put in classes by its values at random points modulo a prime;
// the steps that strike out a part doing nothing, from each class through
// every way it is made of two parts; and the solutions put together into
// ideas where, after exchanges of equal numbers (and at a target of 0 a
// negation), the classes where their steps end meet. Each idea comes with the
// fewest brackets its line may have. Nothing of the engine's is used. Also a
// reader for the engine's lines that checks each on its own.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::testing {

// The ideas of a hand's solutions.
struct ReferenceIdeas {
  std::map<std::uint64_t, std::size_t> ideaOf;  // by the fingerprint of a solution's class
  // Of each idea, the fewest brackets of its line: of its solutions where
  // they have no step, else of a class where its steps end with a part worth
  // 0 or 1 (or, for a target of 0, any but 0) of the other numbers joined to
  // it at the top.
  std::vector<int> brackets;
};

class ReferenceHand {
 public:
  // numbers and target as the user typed them (integers, decimals, a/b).
  ReferenceHand(const std::vector<std::string>& numbers, std::string_view target);
  ~ReferenceHand();

  ReferenceIdeas ideas() const;

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
