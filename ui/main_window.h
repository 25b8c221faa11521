#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSystemTrayIcon;

namespace vantrel::platform {
class EditBox;
}

namespace vantrel::ui {

// The main window: built from kMainWindowLayout, with the handlers bound to the
// events of its controls. Each handler is a member function so that tests can
// drive the same entry points that Qt's signals reach.
class MainWindow : public QWidget {
  Q_OBJECT

public:
  // Tells whether a notification area exists right now; minimising hides the
  // window in the tray only then, since a hidden window without a tray icon
  // could never be brought back.
  using TrayAvailability = std::function<bool()>;

  explicit MainWindow(TrayAvailability trayAvailable, QWidget* parent = nullptr);

  // Handlers, one per event.
  void selectOnFocus(QLineEdit& box);
  void calculate();
  void reset();
  void alwaysOnTopClicked();
  void openReadme();
  void applyWindowState();
  void trayActivated(int type);
  void prepareTrayMenu();
  void restoreClicked();
  void endProgram();

  QSystemTrayIcon* trayIcon() const { return trayIcon_; }

protected:
  void changeEvent(QEvent* event) override;

private:
  void bindHandlers();
  void installTray();

  platform::EditBox* 编辑框a;
  platform::EditBox* 编辑框b;
  platform::EditBox* 编辑框c;
  platform::EditBox* 编辑框d;
  QPushButton* 计算按钮;
  QListWidget* 结果列表框;
  QPushButton* 重新按钮;
  QLabel* 图片框1;
  QMenu* 托盘菜单;
  QCheckBox* 窗口永远在上选择框;
  QPushButton* readme按钮;

  QSystemTrayIcon* trayIcon_ = nullptr;
  TrayAvailability trayAvailable_;
};

} // namespace vantrel::ui
