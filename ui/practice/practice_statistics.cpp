#include "ui/practice/practice_statistics.h"

#include <algorithm>
#include <cstddef>

namespace vantrel::ui {

namespace {

const QString kGroup = QStringLiteral("practice/statistics");

std::size_t indexOf(rating::Level level) {
  const auto* found = std::ranges::find(rating::kLevels, level);
  return found == rating::kLevels.end() ? 0 : std::size_t(found - rating::kLevels.begin());
}

QString groupOf(std::size_t index) {
  static const std::array<const char*, 4> names = {"easy", "medium", "hard", "expert"};
  return kGroup + QLatin1Char('/') + QLatin1String(names.at(index));
}

}  // namespace

PracticeStatistics::PracticeStatistics(QSettings& settings) : settings_(settings) {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    settings_.beginGroup(groupOf(i));
    Record& record = records_[i];
    // A file edited by hand may hold anything: no counts below zero.
    record.played = std::max(0, settings_.value(QStringLiteral("played")).toInt());
    record.solvedUnaided = std::max(0, settings_.value(QStringLiteral("solvedUnaided")).toInt());
    record.totalSeconds = std::max(0.0, settings_.value(QStringLiteral("totalSeconds")).toDouble());
    bool valid = false;
    const double best = settings_.value(QStringLiteral("bestSeconds")).toDouble(&valid);
    if (valid && best >= 0) record.bestSeconds = best;
    record.streak = std::max(0, settings_.value(QStringLiteral("streak")).toInt());
    record.bestStreak = std::max(0, settings_.value(QStringLiteral("bestStreak")).toInt());
    settings_.endGroup();
  }
}

const PracticeStatistics::Record& PracticeStatistics::record(rating::Level level) const {
  return records_[indexOf(level)];
}

PracticeStatistics::Record& PracticeStatistics::at(rating::Level level) {
  return records_[indexOf(level)];
}

void PracticeStatistics::solved(rating::Level level, std::optional<double> unaidedSeconds) {
  Record& record = at(level);
  ++record.played;
  if (unaidedSeconds) {
    ++record.solvedUnaided;
    record.totalSeconds += *unaidedSeconds;
    record.bestSeconds = std::min(record.bestSeconds.value_or(*unaidedSeconds), *unaidedSeconds);
    record.bestStreak = std::max(record.bestStreak, ++record.streak);
  } else {
    record.streak = 0;
  }
}

void PracticeStatistics::left(rating::Level level) {
  Record& record = at(level);
  ++record.played;
  record.streak = 0;
}

void PracticeStatistics::reset() {
  records_ = {};
  settings_.remove(kGroup);
  settings_.sync();
}

void PracticeStatistics::save() {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const Record& record = records_[i];
    settings_.beginGroup(groupOf(i));
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
  }
  settings_.sync();
}

}  // namespace vantrel::ui
