#pragma once

#include <QSettings>
#include <array>
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
//
// The records are read once and written by save(): the settings file is
// written through to the disk, which takes longer than showing a new hand
// may, so the window saves a moment after the play.
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

  explicit PracticeStatistics(QSettings& settings);

  // A level of rating::kLevels.
  const Record& record(rating::Level level) const;

  // unaidedSeconds: the time taken, where solved without help.
  void solved(rating::Level level, std::optional<double> unaidedSeconds);
  void left(rating::Level level);
  // Every level's, in the settings file at once.
  void reset();

  // Writes the records to the settings file, through to the disk.
  void save();

 private:
  Record& at(rating::Level level);

  QSettings& settings_;
  std::array<Record, rating::kLevels.size()> records_;
};

}  // namespace vantrel::ui
