// 退出(&X) ends the program at once, also from inside a modal window's loop.

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "tests/ui/main_window_fixture.h"

using vantrel::test::control;

class ProgramEndTest : public QObject {
  Q_OBJECT

 private slots:
  void exitItemEndsTheEventLoop() {
    auto window = vantrel::test::showMainWindow();
    QAction* exitItem = control<QMenu>(*window, "托盘菜单")->actions().at(4);
    QTimer::singleShot(0, exitItem, &QAction::trigger);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // a hang fails instead
    QCOMPARE(QApplication::exec(), 0);
  }

  void exitItemEndsTheProgramWhileAModalWindowIsOpen() {
    auto window = vantrel::test::showMainWindow();
    QAction* exitItem = control<QMenu>(*window, "托盘菜单")->actions().at(4);
    bool modalReturned = false;
    QTimer::singleShot(0, window.get(), [&] {
      QDialog modal(window.get());
      QTimer::singleShot(0, exitItem, &QAction::trigger);
      modal.exec();
      modalReturned = true;
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(modalReturned);
  }

  void closingTheWindowEndsTheProgram() {
    auto window = vantrel::test::showMainWindow();
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
  }
};

QTEST_MAIN(ProgramEndTest)
#include "tst_program_end.moc"
