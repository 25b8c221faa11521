#pragma once

#include <QPointer>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QWidget>
#include <array>
#include <memory>

class QMenu;
class QMessageBox;

namespace vantrel::ui {

class Announcer;
class FocusNote;
class NumberBox;
class PracticeWindow;
class TrayIcon;

namespace Ui {
class MainWindow;
}

// The main window: four number boxes, the solve and reset buttons, the result
// list with its context menu, the always-on-top check box and the Readme
// button, laid out by main_window.ui; and the tray icon with its menu, where
// the window lives while it is minimised. The handlers are public so that
// tests drive the same entry points that Qt's signals reach.
//
// The window is never out of reach: it is hidden in the tray only while a
// tray host shows the icon, and comes back when that host goes.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  void calculate();
  void reset();
  void openReadme();
  // 关于(&A): opens the About box, or brings the open one to the front.
  void showAbout();
  // 练习(&P), Ctrl+P, vantrel --practice: opens the practice window, or brings
  // it to the front. It is made the first time it is asked for.
  void openPractice();
  // Null until practice has been opened.
  PracticeWindow* practiceWindow() const { return practice_.get(); }
  void trayActivated(QSystemTrayIcon::ActivationReason reason);
  void trayShownChanged(bool shown);
  void prepareTrayMenu();
  // The result list's context menu, popped up at globalPos; from the
  // keyboard with its first item that can be chosen active, so that the
  // menu is heard (a screen reader follows the active item) and Enter
  // chooses it.
  void openResultMenu(const QPoint& globalPos, bool byKeyboard);
  // 只列出不同的算法: remembered for the next runs, and applied at once to a
  // list that holds a result.
  void setDistinctOnly(bool distinctOnly);
  // Another start of the program asks for the window: shown, in front and
  // active, from the tray if it is there.
  void bringToFront();

  // What the user sees: not hidden in the tray, not minimised.
  bool isShown() const { return isVisible() && !isMinimized(); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::array<NumberBox*, 4> numberBoxes() const;
  QMenu* createTrayMenu();
  QMenu* createResultMenu();
  void updateCopyItems();
  void setAlwaysOnTop(bool onTop);
  void hideInTray();
  void comeBack();
  void raiseAboveOthers();
  void practiceClosed();

  std::unique_ptr<Ui::MainWindow> ui_;
  // What a solve came to, for a screen reader: announced, or read with the
  // first box when the focus goes there.
  Announcer* announcer_;
  FocusNote* focusNote_;
  QMenu* trayMenu_;
  QMenu* resultMenu_;
  // The user's settings, in the desktop's place for them
  // ($XDG_CONFIG_HOME/vantrel/vantrel.conf).
  QSettings settings_;
  TrayIcon* tray_;
  QPointer<QMessageBox> about_;  // while it is open
  std::unique_ptr<PracticeWindow> practice_;
  bool trayShown_ = false;  // as the tray last said
  // Wayland never tells a program that it was minimised, nor lets it choose
  // its stacking or its place.
  const bool onWayland_;
};

}  // namespace vantrel::ui
