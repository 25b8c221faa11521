#pragma once

#include <QElapsedTimer>

namespace vantrel::ui {

// The time a player takes over a hand: it runs from the moment the hand is
// shown, stands still while the window is hidden, and stops at the first
// right answer.
class HandClock {
 public:
  // From zero, running.
  void start();
  // Stands still until resume(); nothing happens if it does not run.
  void pause();
  void resume();
  // For good: resume() no longer starts it.
  void stop();

  bool isRunning() const { return running_.isValid(); }
  qint64 milliseconds() const;

 private:
  QElapsedTimer running_;  // valid while it runs
  qint64 banked_ = 0;      // before the last pause
  bool stopped_ = true;
};

}  // namespace vantrel::ui
