#pragma once

#include <QAbstractButton>

namespace vantrel::ui {

// One card of the hand, painted as a playing card: its rank (A, 2 to 10, J,
// Q, K) in two corners and its suit's sign large in the middle, hearts and
// diamonds in red. A button: a click, or Space while it has the focus, types
// its value into the answer. Its accessible name says suit, rank and value,
// "红桃 Q，12", since the picture alone tells a screen reader nothing.
class PlayingCard : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Suit { Spades, Hearts, Clubs, Diamonds };

  explicit PlayingCard(QWidget* parent = nullptr);

  // value: 1 to 13.
  void setCard(int value, Suit suit);
  int value() const { return value_; }

  // The rank as a card shows it: "A", "7", "Q".
  static QString rank(int value);
  // The suit of a hand's card: equal values never share a suit. occurrence
  // counts the cards of the same value before it in the hand.
  static Suit suitOf(int value, int occurrence);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int value_ = 1;
  Suit suit_ = Suit::Spades;
};

}  // namespace vantrel::ui
