// Timings of the practice window, offscreen: a new hand dealt and shown
// (下一手: the deck, the round with its ways and hint, the cards, the
// statistics line), and a wrong answer checked and told (提交), each with the
// whole window painted afresh (QWidget::grab), which is more than the screen
// needs. A benchmark, not a test: it prints the median and the slowest of
// each. Run:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_practice_window [ROUNDS]

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ui/practice/practice_window.h"

namespace {

void report(const char* what, int rounds, const std::function<void()>& prepare,
            const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    step();
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-34s median %7.3f ms   slowest %7.3f ms   (%d rounds)\n", what,
              times[times.size() / 2], times.back(), rounds);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Statistics of its own, apart from the user's.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;

  QElapsedTimer opening;
  opening.start();
  vantrel::ui::PracticeWindow window(1);
  window.show();
  window.grab();
  std::printf("%-34s %7.3f ms\n", "window made and painted", double(opening.nsecsElapsed()) / 1e6);

  auto* answer = window.findChild<QLineEdit*>(QStringLiteral("answerBox"));
  report(
      "下一手: a hand dealt and painted", rounds, [] {},
      [&] {
        window.nextHand();
        window.grab();
      });
  // Two different answers by turns, so that each round tells something new.
  const QString wrong[] = {QStringLiteral("1+2+3+4"), QStringLiteral("(1+2")};
  int turn = 0;
  report(
      "提交: a wrong answer told", rounds, [&] { answer->setText(wrong[++turn % 2]); },
      [&] {
        window.check();
        window.grab();
      });
  return 0;
}
