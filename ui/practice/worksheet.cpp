#include "ui/practice/worksheet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <functional>

#include "practice/deck.h"
#include "practice/round.h"
#include "ui/practice/playing_card.h"
#include "ui/practice/practice_texts.h"

namespace vantrel::ui {

namespace {

QString handText(const rating::Hand& hand) {
  QStringList ranks;
  for (int card : hand) ranks.append(PlayingCard::rank(card));
  return ranks.join(QStringLiteral("   "));
}

// Writes lines down the pages, each of the given height, from a new page
// with the heading whenever a page is full.
class PageWriter {
 public:
  PageWriter(QPagedPaintDevice& device, QPainter& painter)
      : device_(device), painter_(painter), page_(painter.viewport()) {}

  void heading(const QString& text, bool newPage) {
    if (newPage) device_.newPage();
    painter_.setFont(font(16, true));
    const qreal height = QFontMetricsF(painter_.font(), &device_).height() * 2;
    painter_.drawText(QRectF(0, 0, page_.width(), height), Qt::AlignLeft | Qt::AlignTop, text);
    top_ = height;
    heading_ = text;
  }

  // draw paints one line into the rectangle it is given.
  void line(qreal height, const std::function<void(const QRectF&)>& draw) {
    if (top_ + height > page_.height()) heading(heading_, true);
    draw(QRectF(0, top_, page_.width(), height));
    top_ += height;
  }

  QFont font(int points, bool bold = false) const {
    QFont font = painter_.font();
    font.setPointSize(points);
    font.setBold(bold);
    return font;
  }

 private:
  QPagedPaintDevice& device_;
  QPainter& painter_;
  QRect page_;
  QString heading_;
  qreal top_ = 0;
};

}  // namespace

Worksheet::Worksheet(rating::Level level, int highestCard, bool withoutSolution, int count,
                     std::uint64_t seed) {
  practice::Deck deck(level, highestCard, withoutSolution, seed);
  for (int i = 0; i < count; ++i) {
    hands_.push_back(deck.next());
    const practice::Round round(hands_.back());
    const std::optional<rating::Way>& way = round.hint();
    answers_.append(way ? QString::fromStdString(way->formula)
                        : PracticeTexts::level(rating::Level::kNoSolution));
  }
  title_ = tr("24 点练习题 · %1 · %2")
               .arg(PracticeTexts::level(level), PracticeTexts::cards(highestCard));
}

void Worksheet::print(QPagedPaintDevice& device) const {
  QPainter painter(&device);
  PageWriter pages(device, painter);
  const qreal unit = QFontMetricsF(pages.font(14), &device).height();

  pages.heading(title_, false);
  painter.setPen(QPen(Qt::black, unit / 20));
  for (std::size_t i = 0; i < hands_.size(); ++i) {
    pages.line(unit * 3, [&](const QRectF& room) {
      painter.setFont(pages.font(14));
      const QRectF text = room.adjusted(0, unit * 0.5, 0, 0);
      painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("%1.").arg(i + 1));
      painter.setFont(pages.font(18, true));
      painter.drawText(text.adjusted(unit * 2.5, -unit * 0.15, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       handText(hands_[i]));
      // The room to write in.
      const qreal y = room.bottom() - unit * 0.6;
      painter.drawLine(QPointF(room.left() + unit * 11, y), QPointF(room.right(), y));
    });
  }

  pages.heading(title_ + QStringLiteral(" · ") + tr("答案"), true);
  for (std::size_t i = 0; i < hands_.size(); ++i) {
    pages.line(unit * 1.6, [&](const QRectF& room) {
      painter.setFont(pages.font(12));
      painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1.").arg(i + 1));
      painter.drawText(room.adjusted(unit * 2.5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       handText(hands_[i]));
      painter.drawText(room.adjusted(unit * 11, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       answers_[int(i)]);
    });
  }
}

}  // namespace vantrel::ui
