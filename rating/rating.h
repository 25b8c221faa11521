#pragma once

// How hard a hand of four numbers is for a person to make 24 from: a score,
// the seconds an average player needs by a model fitted on players' recorded
// times, and a level. The four levels each hold a quarter of the solvable
// hands of cards 1..13.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "rating/ways.h"

namespace vantrel::rating {

enum class Level { kNoSolution, kEasy, kMedium, kHard, kExpert };

inline constexpr std::array kLevels = {Level::kEasy, Level::kMedium, Level::kHard, Level::kExpert};

struct Rating {
  std::optional<double> seconds;  // none when the hand has no solution
  Level level = Level::kNoSolution;
};

// The hand's four numbers as texts the distinct engine takes; throws
// std::invalid_argument otherwise.
Rating rate(std::span<const std::string_view, 4> hand);

// The way a person most likely sees first: of the hand's ways to 24, the one
// the model gives the least cost (the first found of equal ones), among those
// that never go below zero where there are such; none when the hand has none.
std::optional<Way> easiestWay(std::span<const std::string_view, 4> hand);

// The level a score falls in.
Level levelOf(double seconds);

// The level's name in Chinese: 简单, 中等, 困难, 极难, or 无解.
std::string_view levelName(Level level);

// A level as a person may name it: 1 to 4, its Chinese name (simplified or
// traditional), or easy, medium, hard, expert in any case.
std::optional<Level> readLevel(std::string_view text);

}  // namespace vantrel::rating
