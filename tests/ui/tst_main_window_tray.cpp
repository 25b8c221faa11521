// Hiding in the tray and coming back: minimise, the tray event types, the tray
// menu, and a desktop without a tray.

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTest>

#include "tests/ui/main_window_fixture.h"
#include "ui/practice/practice_window.h"

using vantrel::test::control;

namespace {

// Lets the window's queued reaction to a state change run.
void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

// What a window manager does when the user minimises the window by its frame.
void minimiseByFrame(QWidget& window) {
  window.setWindowState(window.windowState() | Qt::WindowMinimized);
  settle();
}

bool shown(const QWidget& window) {
  return window.isVisible() && !window.isMinimized();
}
bool hiddenInTray(const QWidget& window) {
  return !window.isVisible();
}

}  // namespace

class MainWindowTrayTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { window_.reset(); }

  void minimiseHidesInTray() {
    window_ = vantrel::test::showMainWindow();
    minimiseByFrame(*window_);
    QVERIFY(hiddenInTray(*window_));
  }

  void minimiseWhileOnTopHidesToo() {
    window_ = vantrel::test::showMainWindow();
    QTest::mouseClick(control<QCheckBox>(*window_, "窗口永远在上选择框"), Qt::LeftButton);
    minimiseByFrame(*window_);
    QVERIFY(hiddenInTray(*window_));
  }

  // Without a notification area a hidden window could never come back: it
  // stays an ordinary minimised window.
  void withoutTrayMinimiseStaysAMinimise() {
    window_ = vantrel::test::showMainWindow(false);
    minimiseByFrame(*window_);
    QVERIFY(window_->isMinimized());
    QVERIFY(window_->isVisible());
  }

  // Two left clicks in a row: hide, then come back raised and not on top.
  void leftClickHidesAndRestores() {
    window_ = vantrel::test::showMainWindow();
    window_->trayActivated(QSystemTrayIcon::Trigger);
    settle();
    QVERIFY(hiddenInTray(*window_));

    window_->trayActivated(QSystemTrayIcon::Trigger);
    settle();
    QVERIFY(shown(*window_));
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(!vantrel::test::isOnTop(*window_));
  }

  void restoreKeepsTheWindowOnTopWhenChecked() {
    window_ = vantrel::test::showMainWindow();
    auto* check = control<QCheckBox>(*window_, "窗口永远在上选择框");
    QTest::mouseClick(check, Qt::LeftButton);
    minimiseByFrame(*window_);
    window_->trayActivated(QSystemTrayIcon::Trigger);
    settle();
    QVERIFY(shown(*window_));
    QVERIFY(check->isChecked());
    QVERIFY(vantrel::test::isOnTop(*window_));
  }

  // A double click, a middle click and what Qt cannot tell apart change nothing.
  void otherTrayActionsDoNothing_data() {
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("startHidden");
    for (const auto& [reason, name] : {std::pair{QSystemTrayIcon::DoubleClick, "double click"},
                                       std::pair{QSystemTrayIcon::MiddleClick, "middle click"},
                                       std::pair{QSystemTrayIcon::Unknown, "unknown"}}) {
      QTest::addRow("%s, shown", name) << reason << false;
      QTest::addRow("%s, hidden", name) << reason << true;
    }
  }
  void otherTrayActionsDoNothing() {
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, startHidden);
    window_ = vantrel::test::showMainWindow();
    if (startHidden) minimiseByFrame(*window_);
    window_->trayActivated(reason);
    settle();
    QCOMPARE(hiddenInTray(*window_), startHidden);
    QCOMPARE(shown(*window_), !startHidden);
  }

  // 恢复(&R) is offered exactly while the window is hidden, whether the menu
  // comes up through the tray event or is popped up by the tray host.
  void restoreItemEnabledOnlyWhenHidden_data() {
    QTest::addColumn<bool>("throughTrayEvent");
    QTest::newRow("tray event 3") << true;
    QTest::newRow("menu about to show") << false;
  }
  void restoreItemEnabledOnlyWhenHidden() {
    QFETCH(bool, throughTrayEvent);
    window_ = vantrel::test::showMainWindow();
    auto* menu = control<QMenu>(*window_, "托盘菜单");
    QAction* restore = menu->actions().at(0);
    const auto openMenu = [&] {
      if (throughTrayEvent) {
        window_->trayActivated(QSystemTrayIcon::Context);
      } else {
        menu->popup(QPoint(0, 0));
        menu->hide();
      }
    };

    openMenu();
    QVERIFY(!restore->isEnabled());
    minimiseByFrame(*window_);
    openMenu();
    QVERIFY(restore->isEnabled());
    window_->trayActivated(QSystemTrayIcon::Trigger);
    settle();
    openMenu();
    QVERIFY(!restore->isEnabled());
  }

  void restoreItemShowsTheWindow() {
    window_ = vantrel::test::showMainWindow();
    minimiseByFrame(*window_);
    control<QMenu>(*window_, "托盘菜单")->actions().at(0)->trigger();
    settle();
    QVERIFY(shown(*window_));
  }

  // 练习(&P) from the tray while the window is hidden there, then Ctrl+P in
  // the window: one practice window, shown; the main window stays where it was.
  void practiceOpensFromTheTrayAndByCtrlP() {
    window_ = vantrel::test::showMainWindow();
    minimiseByFrame(*window_);
    control<QMenu>(*window_, "托盘菜单")->actions().at(1)->trigger();
    QWidget* practice = window_->practiceWindow();
    QVERIFY(practice && practice->isVisible());
    QVERIFY(hiddenInTray(*window_));
    practice->close();
    window_->trayActivated(QSystemTrayIcon::Trigger);
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(window_->practiceWindow(), practice);
    QVERIFY(practice->isVisible());
  }

  // 关于(&A) from the tray while the window is hidden there: the About box
  // shows on its own, the window stays in the tray, and a second 关于(&A)
  // brings back the same box rather than a second one.
  void aboutItemShowsOneAboutBox() {
    window_ = vantrel::test::showMainWindow();
    minimiseByFrame(*window_);
    QAction* about = control<QMenu>(*window_, "托盘菜单")->actions().at(2);
    about->trigger();
    settle();
    QVERIFY(hiddenInTray(*window_));
    const QList<QMessageBox*> boxes = window_->findChildren<QMessageBox*>();
    QCOMPARE(boxes.size(), 1);
    QMessageBox& box = *boxes.first();
    QVERIFY(box.isVisible());
    const QString text = box.text();
    QVERIFY2(text.contains(QStringLiteral("Vantrel " VANTREL_VERSION)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("MIT")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("作者：Vantrel 团队")), qPrintable(text));

    box.setWindowState(Qt::WindowMinimized);
    about->trigger();
    settle();
    QCOMPARE(window_->findChildren<QMessageBox*>().size(), 1);
    QVERIFY(box.isVisible() && !box.isMinimized());
  }

 private:
  std::unique_ptr<vantrel::ui::MainWindow> window_;
};

QTEST_MAIN(MainWindowTrayTest)
#include "tst_main_window_tray.moc"
