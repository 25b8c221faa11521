#include "ui/practice/playing_card.h"

#include <QPainter>

namespace vantrel::ui {

namespace {

constexpr int kSuits = 4;

QChar sign(PlayingCard::Suit suit) {
  switch (suit) {
    case PlayingCard::Suit::Spades:
      return QChar(0x2660);
    case PlayingCard::Suit::Hearts:
      return QChar(0x2665);
    case PlayingCard::Suit::Clubs:
      return QChar(0x2663);
    case PlayingCard::Suit::Diamonds:
      return QChar(0x2666);
  }
  return {};
}

bool isRed(PlayingCard::Suit suit) {
  return suit == PlayingCard::Suit::Hearts || suit == PlayingCard::Suit::Diamonds;
}

QString suitName(PlayingCard::Suit suit) {
  switch (suit) {
    case PlayingCard::Suit::Spades:
      return PlayingCard::tr("黑桃");
    case PlayingCard::Suit::Hearts:
      return PlayingCard::tr("红桃");
    case PlayingCard::Suit::Clubs:
      return PlayingCard::tr("梅花");
    case PlayingCard::Suit::Diamonds:
      return PlayingCard::tr("方块");
  }
  return {};
}

// The letter of a face card or the ace, or null for a card that shows its
// value in digits. Marked for translation: a screen reader says the
// translated rank, the card shows the letter itself.
const char* faceLetter(int value) {
  switch (value) {
    case 1:
      //: The ace, in a card's name such as "Ace of hearts, 1".
      return QT_TRANSLATE_NOOP("vantrel::ui::PlayingCard", "A");
    case 11:
      return QT_TRANSLATE_NOOP("vantrel::ui::PlayingCard", "J");
    case 12:
      return QT_TRANSLATE_NOOP("vantrel::ui::PlayingCard", "Q");
    case 13:
      return QT_TRANSLATE_NOOP("vantrel::ui::PlayingCard", "K");
    default:
      return nullptr;
  }
}

// The rank as a person says it; the digits stay digits.
QString rankName(int value) {
  const char* letter = faceLetter(value);
  return letter ? PlayingCard::tr(letter) : QString::number(value);
}

}  // namespace

PlayingCard::PlayingCard(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setCard(1, Suit::Spades);
}

void PlayingCard::setCard(int value, Suit suit) {
  value_ = value;
  suit_ = suit;
  //: A card's name for screen readers: %1 the suit, %2 the rank, %3 its value.
  setAccessibleName(tr("%1 %2，%3").arg(suitName(suit), rankName(value)).arg(value));
  update();
}

QString PlayingCard::rank(int value) {
  const char* letter = faceLetter(value);
  return letter ? QString::fromLatin1(letter) : QString::number(value);
}

PlayingCard::Suit PlayingCard::suitOf(int value, int occurrence) {
  return static_cast<Suit>((value + occurrence) % kSuits);
}

QSize PlayingCard::sizeHint() const {
  return {76, 106};
}

QSize PlayingCard::minimumSizeHint() const {
  return {52, 72};
}

void PlayingCard::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const qreal radius = face.width() * 0.08;
  QColor paper = isDown() ? QColor(228, 232, 240) : QColor(Qt::white);
  if (!isEnabled()) paper = QColor(240, 240, 240);
  painter.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(120, 120, 120),
                      hasFocus() ? 3 : 1.2));
  painter.setBrush(paper);
  painter.drawRoundedRect(face, radius, radius);

  const QColor ink = isRed(suit_) ? QColor(200, 24, 32) : QColor(20, 20, 20);
  painter.setPen(ink);
  const QString corner = rank(value_) + QLatin1Char('\n') + sign(suit_);
  QFont cornerFont = font();
  cornerFont.setBold(true);
  cornerFont.setPixelSize(qMax(10, int(face.height() * 0.16)));
  painter.setFont(cornerFont);
  const QRectF inner = face.adjusted(face.width() * 0.07, face.height() * 0.04,
                                     -face.width() * 0.07, -face.height() * 0.04);
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, corner);
  // The opposite corner upside down, as on a real card.
  painter.save();
  painter.translate(face.center());
  painter.rotate(180);
  painter.translate(-face.center());
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, corner);
  painter.restore();

  QFont middleFont = font();
  middleFont.setPixelSize(qMax(16, int(face.height() * 0.4)));
  painter.setFont(middleFont);
  painter.drawText(face, Qt::AlignCenter, sign(suit_));
}

}  // namespace vantrel::ui
