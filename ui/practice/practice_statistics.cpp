#include "ui/practice/practice_statistics.h"

#include <algorithm>

namespace vantrel::ui {

namespace {

const QString kGroup = QStringLiteral("practice/statistics");

QString groupOf(rating::Level level) {
  switch (level) {
    case rating::Level::kEasy:
      return kGroup + QStringLiteral("/easy");
    case rating::Level::kMedium:
      return kGroup + QStringLiteral("/medium");
    case rating::Level::kHard:
      return kGroup + QStringLiteral("/hard");
    case rating::Level::kExpert:
      return kGroup + QStringLiteral("/expert");
    case rating::Level::kNoSolution:
      break;
  }
  return kGroup + QStringLiteral("/none");
}

}  // namespace

PracticeStatistics::Record PracticeStatistics::record(rating::Level level) const {
  settings_.beginGroup(groupOf(level));
  Record record;
  record.played = std::max(0, settings_.value(QStringLiteral("played")).toInt());
  record.solvedUnaided = std::max(0, settings_.value(QStringLiteral("solvedUnaided")).toInt());
  record.totalSeconds = std::max(0.0, settings_.value(QStringLiteral("totalSeconds")).toDouble());
  bool valid = false;
  const double best = settings_.value(QStringLiteral("bestSeconds")).toDouble(&valid);
  if (valid && best >= 0) record.bestSeconds = best;
  record.streak = std::max(0, settings_.value(QStringLiteral("streak")).toInt());
  record.bestStreak = std::max(0, settings_.value(QStringLiteral("bestStreak")).toInt());
  settings_.endGroup();
  return record;
}

void PracticeStatistics::store(rating::Level level, const Record& record) {
  settings_.beginGroup(groupOf(level));
  settings_.setValue(QStringLiteral("played"), record.played);
  settings_.setValue(QStringLiteral("solvedUnaided"), record.solvedUnaided);
  settings_.setValue(QStringLiteral("totalSeconds"), record.totalSeconds);
  if (record.bestSeconds) {
    settings_.setValue(QStringLiteral("bestSeconds"), *record.bestSeconds);
  } else {
    settings_.remove(QStringLiteral("bestSeconds"));
  }
  settings_.setValue(QStringLiteral("streak"), record.streak);
  settings_.setValue(QStringLiteral("bestStreak"), record.bestStreak);
  settings_.endGroup();
  // Kept at once: a session that ends the program by a signal must not lose it.
  settings_.sync();
}

void PracticeStatistics::solved(rating::Level level, std::optional<double> unaidedSeconds) {
  Record record = this->record(level);
  ++record.played;
  if (unaidedSeconds) {
    ++record.solvedUnaided;
    record.totalSeconds += *unaidedSeconds;
    record.bestSeconds = std::min(record.bestSeconds.value_or(*unaidedSeconds), *unaidedSeconds);
    record.bestStreak = std::max(record.bestStreak, ++record.streak);
  } else {
    record.streak = 0;
  }
  store(level, record);
}

void PracticeStatistics::left(rating::Level level) {
  Record record = this->record(level);
  ++record.played;
  record.streak = 0;
  store(level, record);
}

void PracticeStatistics::reset() {
  settings_.remove(kGroup);
  settings_.sync();
}

}  // namespace vantrel::ui
