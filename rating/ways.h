#pragma once

// The ways a person can go from a hand to the target: again and again take
// two of the numbers at hand and put one number in their place, their sum,
// difference, product or quotient, until one number is left. A way is the
// sequence of those steps; two ways are the same when their steps are the
// same numbers and operations, whichever equal cards they took.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::rating {

// The most numbers a hand for the ways may hold.
inline constexpr std::size_t kMaxWayNumbers = 4;

enum class Operation : std::uint8_t { kAdd, kSubtract, kMultiply, kDivide };

// What makes a way easy or hard to see.
struct WayTraits {
  bool fraction = false;  // a step's result is not a whole number
  bool negative = false;  // a step's result is below zero
  int additions = 0;
  int subtractions = 0;
  int multiplications = 0;
  int divisions = 0;
  double largest = 0;         // the largest result of a step, in magnitude
  bool familiarLast = false;  // the last step is 3 × 8, 4 × 6, 2 × 12 or 12 + 12
};

// One step of a way, its numbers written exactly: "8/3", "-2".
struct Step {
  Operation operation;
  std::string left;
  std::string right;
  std::string result;
};

struct Way {
  std::vector<Step> steps;
  // The way as one formula with as few brackets as it needs, written like the
  // engine's lines: "(1 + 2 + 3) × 4", "8 / (3 - 8 / 3)".
  std::string formula;
  WayTraits traits;
};

// A way while the search stands on it: its traits, and how to write it out.
class WayView {
 public:
  virtual const WayTraits& traits() const = 0;
  virtual Way write() const = 0;

 protected:
  ~WayView() = default;
};

// Calls visit for every way from the numbers (texts the distinct engine
// takes, 1 to kMaxWayNumbers of them) to the target. Throws
// std::invalid_argument for numbers it does not take.
void forEachWay(std::span<const std::string_view> numbers, std::string_view target,
                const std::function<void(const WayView&)>& visit);

}  // namespace vantrel::rating
