#pragma once

#include <QSettings>
#include <optional>

#include "rating/rating.h"

namespace vantrel::ui {

// How a player has done at each level, kept in the program's settings
// (practice/statistics/<level>/...) so that it outlives the program.
//
// A hand counts as played once: when it is first solved, or when the player
// leaves it unsolved (takes the next hand, looks at the answers, changes the
// level). Solved without help: with neither a hint nor the answers seen.
// Times and streaks count only those.
class PracticeStatistics {
 public:
  struct Record {
    int played = 0;
    int solvedUnaided = 0;
    double totalSeconds = 0;  // of the hands solved without help
    std::optional<double> bestSeconds;
    int streak = 0;  // hands solved without help in a row, up to now
    int bestStreak = 0;
  };

  explicit PracticeStatistics(QSettings& settings) : settings_(settings) {}

  Record record(rating::Level level) const;

  // seconds: the time taken, where solved without help.
  void solved(rating::Level level, std::optional<double> unaidedSeconds);
  void left(rating::Level level);
  // Every level's.
  void reset();

 private:
  void store(rating::Level level, const Record& record);

  QSettings& settings_;
};

}  // namespace vantrel::ui
