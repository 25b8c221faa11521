#pragma once

#include <QCoreApplication>
#include <QString>

#include "practice/check.h"
#include "rating/deal.h"
#include "rating/rating.h"
#include "rating/ways.h"

namespace vantrel::ui {

// What practice tells the player, in the player's language: the checker's
// verdicts, the steps of a hint, the levels and the kinds of cards. Shared by
// the window and the worksheet.
class PracticeTexts {
  Q_DECLARE_TR_FUNCTIONS(vantrel::ui::PracticeTexts)

 public:
  // What is wrong with an answer to the hand, or for the claim of no
  // solution, whether it is right (rightClaim).
  static QString verdict(const practice::Verdict& verdict, const rating::Hand& hand,
                         bool rightClaim);
  // One step of a way, "8 ÷ 3 = 8/3".
  static QString step(const rating::Step& step);
  static QString level(rating::Level level);
  // "A–10" or "A–K", as a worksheet's title names the cards.
  static QString cards(int highestCard);
  // Seconds as the statistics show them: "12.3".
  static QString seconds(double seconds);
  // Minutes and seconds, "1:05".
  static QString clock(qint64 milliseconds);
};

}  // namespace vantrel::ui
