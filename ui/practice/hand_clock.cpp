#include "ui/practice/hand_clock.h"

namespace vantrel::ui {

void HandClock::start() {
  banked_ = 0;
  stopped_ = false;
  running_.start();
}

void HandClock::pause() {
  if (!running_.isValid()) return;
  banked_ += running_.elapsed();
  running_.invalidate();
}

void HandClock::resume() {
  if (!stopped_ && !running_.isValid()) running_.start();
}

void HandClock::stop() {
  pause();
  stopped_ = true;
}

qint64 HandClock::milliseconds() const {
  return banked_ + (running_.isValid() ? running_.elapsed() : 0);
}

}  // namespace vantrel::ui
