#include "ui/practice/practice_texts.h"

#include <QStringList>

namespace vantrel::ui {

namespace {

QString problemText(formula::Problem problem) {
  switch (problem) {
    case formula::Problem::kNone:
    case formula::Problem::kEmpty:
      return PracticeTexts::tr("请先输入算式。");
    case formula::Problem::kTooLong:
    case formula::Problem::kTooDeep:
      return PracticeTexts::tr("算式太长了。");
    case formula::Problem::kUnexpectedCharacter:
    case formula::Problem::kMisplacedEquals:
      return PracticeTexts::tr("看不懂这里的字符。");
    case formula::Problem::kMalformedNumber:
    case formula::Problem::kNumberTooLong:
      return PracticeTexts::tr("这个数写得不对。");
    case formula::Problem::kMissingNumber:
      return PracticeTexts::tr("这里少了一个数。");
    case formula::Problem::kMissingOperator:
      return PracticeTexts::tr("这里少了一个运算符。");
    case formula::Problem::kSign:
      return PracticeTexts::tr("24 点里没有负数：只在牌之间用 + − × ÷。");
    case formula::Problem::kUnclosedBracket:
    case formula::Problem::kUnopenedBracket:
    case formula::Problem::kMismatchedBracket:
      return PracticeTexts::tr("括号没有配对。");
  }
  return {};
}

QChar operationSign(rating::Operation operation) {
  switch (operation) {
    case rating::Operation::kAdd:
      return QLatin1Char('+');
    case rating::Operation::kSubtract:
      return QChar(0x2212);
    case rating::Operation::kMultiply:
      return QChar(0x00D7);
    case rating::Operation::kDivide:
      return QChar(0x00F7);
  }
  return {};
}

}  // namespace

QString PracticeTexts::verdict(const practice::Verdict& verdict, const rating::Hand& hand,
                               bool rightClaim) {
  const QString number = QString::fromStdString(verdict.number);
  switch (verdict.kind) {
    case practice::VerdictKind::kRight:
      return {};
    case practice::VerdictKind::kNoSolutionClaimed:
      return rightClaim ? tr("对了，这手牌无解。") : tr("这手牌有解，再想想。");
    case practice::VerdictKind::kUnreadable:
      return problemText(verdict.problem);
    case practice::VerdictKind::kNotInHand:
      return tr("%1 不是这手牌里的数。").arg(number);
    case practice::VerdictKind::kUsedTooOften:
      return tr("%1 用得比牌多。").arg(number);
    case practice::VerdictKind::kCardLeftOut: {
      QStringList cards;
      for (std::uint8_t place : verdict.cardsLeftOut)
        if (place < hand.size()) cards.append(QString::number(hand[place]));
      //: Between the cards that are left out, as in "3、8".
      return tr("还有牌没用上：%1。").arg(cards.join(tr("、")));
    }
    case practice::VerdictKind::kDivisionByZero:
      return tr("不能除以 0。");
    case practice::VerdictKind::kWrongValue:
      return tr("算出来是 %1，不是 24。").arg(number);
    case practice::VerdictKind::kWrongNote:
      return tr("算式等于 24，不是 %1。").arg(number);
  }
  return {};
}

QString PracticeTexts::step(const rating::Step& step) {
  return QStringLiteral("%1 %2 %3 = %4")
      .arg(QString::fromStdString(step.left), operationSign(step.operation),
           QString::fromStdString(step.right), QString::fromStdString(step.result));
}

QString PracticeTexts::level(rating::Level level) {
  switch (level) {
    case rating::Level::kEasy:
      return tr("简单");
    case rating::Level::kMedium:
      return tr("中等");
    case rating::Level::kHard:
      return tr("困难");
    case rating::Level::kExpert:
      return tr("极难");
    case rating::Level::kNoSolution:
      return tr("无解");
  }
  return {};
}

QString PracticeTexts::cards(int highestCard) {
  return highestCard == 10 ? QStringLiteral("A–10") : QStringLiteral("A–K");
}

QString PracticeTexts::seconds(double seconds) {
  return QString::number(seconds, 'f', 1);
}

QString PracticeTexts::clock(qint64 milliseconds) {
  const qint64 seconds = milliseconds / 1000;
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace vantrel::ui
