#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "rating/deal.h"
#include "rating/rating.h"

class QPagedPaintDevice;

namespace vantrel::ui {

// A worksheet for a class: hands of one level, one a line with room to write
// the answer, and after them, from a page of its own, one simplest solution
// of each hand (the one a hint shows).
class Worksheet {
  Q_DECLARE_TR_FUNCTIONS(vantrel::ui::Worksheet)

 public:
  // count hands as a practice::Deck of that seed deals them.
  Worksheet(rating::Level level, int highestCard, bool withoutSolution, int count,
            std::uint64_t seed);

  const std::vector<rating::Hand>& hands() const { return hands_; }
  // For each hand, one way to 24, or 无解.
  const QStringList& answers() const { return answers_; }
  // "24 点练习题 · 简单 · A–K".
  const QString& title() const { return title_; }

  // Paints the hands, then the answers from a new page, onto a printer or
  // a PDF file.
  void print(QPagedPaintDevice& device) const;

 private:
  std::vector<rating::Hand> hands_;
  QStringList answers_;
  QString title_;
};

}  // namespace vantrel::ui
