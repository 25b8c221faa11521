#pragma once

#include <QSettings>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "practice/deck.h"
#include "practice/round.h"
#include "ui/practice/hand_clock.h"
#include "ui/practice/practice_statistics.h"

class QTimer;

namespace vantrel::ui {

class Announcer;
class FocusNote;
class PlayingCard;

namespace Ui {
class PracticeWindow;
}

// The seed practice deals from: VANTREL_PRACTICE_SEED where it holds a whole
// number (so that tests know the hands), else a new one each run.
std::uint64_t practiceSeed();

// Practice: the player is dealt four cards of the chosen level and makes 24
// from them, laid out by practice_window.ui. Each answer is checked exactly
// and told precisely what is wrong; a right one says which of the hand's
// genuinely different ways it is, and the player may go on to find the
// others. Hints, the answers, a timer, statistics per level, and worksheets
// to print. Level, cards and the option of hands without a solution are
// remembered with the statistics, in the program's settings file.
//
// The handlers are public so that tests drive the same entry points that the
// controls reach.
class PracticeWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PracticeWindow(std::uint64_t seed, QWidget* parent = nullptr);
  ~PracticeWindow() override;

  // 提交: checks the answer box's text.
  void check();
  // 无解: claims that the hand has no solution.
  void claimNoSolution();
  // 提示: the first step of the easiest way, then that whole way.
  void hint();
  // 看答案: every different way.
  void showAnswers();
  // 下一手.
  void nextHand();
  // 用时: tells a screen reader the time taken so far.
  void tellTime();
  // 清空统计, once the player has agreed.
  void resetStatistics();
  // 打印练习题…: the worksheet to a printer or a PDF file.
  void printWorksheet();

  const rating::Hand& hand() const { return round_->hand(); }

 signals:
  // Closed by the player; the window itself lives on, to be shown again.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Choice {
    rating::Level level;
    int highestCard;
    bool withoutSolution;
  };
  Choice choice() const;
  void fillChoosers();
  void choiceChanged();
  void deal();
  void typeIntoAnswer(const QString& text);
  void backspace();
  void answer(const std::string& text);
  void tell(const QString& message);
  // The first right answer, or the player leaving the hand unsolved.
  void solved();
  void leave();
  void updateFound();
  void updateClock();
  void updateStatistics();
  // The choice and the statistics to the settings file.
  void save();

  std::unique_ptr<Ui::PracticeWindow> ui_;
  std::array<PlayingCard*, 4> cards_;
  // What the player is told, for a screen reader: announced, or read with
  // the answer box as the focus lands there.
  Announcer* announcer_;
  FocusNote* focusNote_;
  QTimer* ticker_;
  QTimer* saveTimer_;  // running while something is left to save
  QSettings settings_;
  PracticeStatistics statistics_;
  const std::uint64_t seed_;
  std::uint64_t decks_ = 0;  // dealt from so far: each new choice starts a new deck
  std::optional<practice::Deck> deck_;
  std::optional<practice::Round> round_;
  rating::Level handLevel_ = rating::Level::kEasy;  // the level the hand was dealt at
  std::vector<bool> found_;                         // by way
  bool answersShown_ = false;
  int hints_ = 0;
  bool solved_ = false;
  bool counted_ = false;  // in the statistics already
  HandClock clock_;
};

}  // namespace vantrel::ui
