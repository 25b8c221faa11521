#pragma once

#include <QSystemTrayIcon>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace vantrel::ui {

class NumberBox;

namespace Ui {
class MainWindow;
}

// The main window: four number boxes, the solve and reset buttons, the result
// list, the always-on-top check box and the Readme button, laid out by
// main_window.ui; and the tray icon with its menu, where the window lives
// while it is minimised. The handlers are public so that tests drive the same
// entry points that Qt's signals reach.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  // Tells whether a notification area exists right now; minimising hides the
  // window in the tray only then, since a hidden window without a tray icon
  // could never be brought back.
  using TrayAvailability = std::function<bool()>;

  explicit MainWindow(TrayAvailability trayAvailable, QWidget* parent = nullptr);
  ~MainWindow() override;

  void calculate();
  void reset();
  void openReadme();
  void trayActivated(QSystemTrayIcon::ActivationReason reason);
  void prepareTrayMenu();
  void restore();

  QSystemTrayIcon* trayIcon() const { return trayIcon_; }

protected:
  void changeEvent(QEvent* event) override;

private:
  std::array<NumberBox*, 4> numberBoxes() const;
  void createTrayIcon();
  void setAlwaysOnTop(bool onTop);
  void raiseAboveOthers();
  void applyWindowState();

  std::unique_ptr<Ui::MainWindow> ui_;
  QSystemTrayIcon* trayIcon_ = nullptr;
  TrayAvailability trayAvailable_;
};

} // namespace vantrel::ui
