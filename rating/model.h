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
    .fraction = 1.83366,
    .addition = 0.340334,
    .subtraction = 0.313381,
    .multiplication = 0.255389,
    .overshoot = 0.71145,
    .familiarLast = -0.238019,
    .temperature = 1.20805,
    .ideas = -0.167963,
    .ways = 0.965675,
    .ones = -0.259958,
    .different = 0.271382,
    .sum = -0.0146743,
    .base = 1.36147,
    .bounds = {7.15721, 8.92139, 12.1132},
};

}  // namespace vantrel::rating
