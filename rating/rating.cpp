#include "rating/rating.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "rating/features.h"
#include "rating/model.h"

namespace vantrel::rating {

namespace {

double cost(const WayTraits& way, const Model& model) {
  return model.fraction * way.fraction + model.addition * way.additions +
         model.subtraction * way.subtractions + model.multiplication * way.multiplications +
         model.overshoot * std::log(std::max(way.largest / 24, 1.0)) +
         model.familiarLast * way.familiarLast;
}

double secondsOf(const Features& features, const Model& model) {
  // -log(sum of e^-cost), with the least cost taken out first so that no
  // term overflows.
  double least = std::numeric_limits<double>::infinity();
  for (const WayTraits& way : features.ways) least = std::min(least, cost(way, model));
  double total = 0;
  for (const WayTraits& way : features.ways) total += std::exp(least - cost(way, model));
  const double together = least - std::log(total);
  return std::exp(model.base + model.temperature * together +
                  model.ideas * std::log(static_cast<double>(features.ideas)) +
                  model.ways * std::log(static_cast<double>(features.ways.size())) +
                  model.ones * features.ones + model.different * features.different +
                  model.sum * features.sum);
}

}  // namespace

Rating rate(std::span<const std::string_view, 4> hand) {
  const Features features = featuresOf(hand);
  if (features.ideas == 0 || features.ways.empty()) return {};
  const double seconds = secondsOf(features, kModel);
  return {seconds, levelOf(seconds)};
}

std::optional<Way> easiestWay(std::span<const std::string_view, 4> hand) {
  // A negative number on the way does not slow players down, but a hint
  // through one reads oddly in a game without negative cards.
  std::optional<Way> easiest;
  std::pair<bool, double> least;
  forEachWay(hand, "24", [&](const WayView& way) {
    const std::pair<bool, double> key = {way.traits().negative, cost(way.traits(), kModel)};
    if (!easiest || key < least) {
      easiest = way.write();
      least = key;
    }
  });
  return easiest;
}

Level levelOf(double seconds) {
  const auto& bounds = kModel.bounds;
  const auto above = std::upper_bound(bounds.begin(), bounds.end(), seconds) - bounds.begin();
  return kLevels[static_cast<std::size_t>(above)];
}

std::string_view levelName(Level level) {
  switch (level) {
    case Level::kNoSolution:
      return "无解";
    case Level::kEasy:
      return "简单";
    case Level::kMedium:
      return "中等";
    case Level::kHard:
      return "困难";
    case Level::kExpert:
      return "极难";
  }
  return "";
}

std::optional<Level> readLevel(std::string_view text) {
  static constexpr std::array<std::array<std::string_view, 4>, 4> kNames = {{
      {"1", "简单", "簡單", "easy"},
      {"2", "中等", "中等", "medium"},
      {"3", "困难", "困難", "hard"},
      {"4", "极难", "極難", "expert"},
  }};
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (std::find(kNames[i].begin(), kNames[i].end(), lower) != kNames[i].end()) {
      return kLevels[i];
    }
  }
  return std::nullopt;
}

}  // namespace vantrel::rating
