#pragma once

// The fitted numbers of the rating. Written by script/fit-rating from
// data/human-times-train.csv; refit there rather than editing by hand.

#include <array>

namespace vantrel::rating {

struct Model {
  // What each trait of a way adds to its cost.
  double fraction;
  double addition;
  double subtraction;
  double multiplication;
  double overshoot;  // per unit of log(largest result / 24), when above 24
  double familiarLast;
  // How much the easiest ways count against the rest: the cost of a hand's
  // ways together is -temperature × log(sum of e^-cost).
  double temperature;
  // What the hand itself adds, in log seconds.
  double ideas;  // per unit of log(genuinely different solutions)
  double ways;   // per unit of log(ways)
  double ones;
  double different;
  double sum;
  double base;
  // The scores, in seconds, that part the levels.
  std::array<double, 3> bounds;
};

inline constexpr Model kModel{
    .fraction = 1.84911,
    .addition = 0.324716,
    .subtraction = 0.301497,
    .multiplication = 0.254443,
    .overshoot = 0.699312,
    .familiarLast = -0.25885,
    .temperature = 1.17586,
    .ideas = -0.158345,
    .ways = 0.94359,
    .ones = -0.258995,
    .different = 0.257314,
    .sum = -0.0129676,
    .base = 1.41589,
    .bounds = {7.17278, 8.96485, 12.1797},
};

}  // namespace vantrel::rating
