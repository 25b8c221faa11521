#include "ui/main_window.h"

#include "ui/main_window_layout.h"
#include "ui/program_icon.h"
#include "ui/readme.h"

#include "platform/qt/edit_box.h"
#include "platform/qt/window_builder.h"
#include "platform/qt/window_services.h"

#include "solver/solve.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QSystemTrayIcon>

#include <array>
#include <string>
#include <utility>

namespace vantrel::ui {

using platform::findControl;

MainWindow::MainWindow(TrayAvailability trayAvailable, QWidget* parent)
    : QWidget(parent), trayAvailable_(std::move(trayAvailable)) {
  platform::buildWindow(*this, kMainWindowLayout);
  setWindowIcon(programIcon());

  编辑框a = findControl<platform::EditBox>(*this, "编辑框a");
  编辑框b = findControl<platform::EditBox>(*this, "编辑框b");
  编辑框c = findControl<platform::EditBox>(*this, "编辑框c");
  编辑框d = findControl<platform::EditBox>(*this, "编辑框d");
  计算按钮 = findControl<QPushButton>(*this, "计算按钮");
  结果列表框 = findControl<QListWidget>(*this, "结果列表框");
  重新按钮 = findControl<QPushButton>(*this, "重新按钮");
  图片框1 = findControl<QLabel>(*this, "图片框1");
  托盘菜单 = platform::buildMenu(*this, kTrayMenuLayout);
  窗口永远在上选择框 = findControl<QCheckBox>(*this, "窗口永远在上选择框");
  readme按钮 = findControl<QPushButton>(*this, "readme按钮");

  bindHandlers();
  installTray();
  编辑框a->setFocus();
}

void MainWindow::bindHandlers() {
  for (platform::EditBox* box : {编辑框a, 编辑框b, 编辑框c, 编辑框d})
    connect(box, &platform::EditBox::focusGained, this, [this, box] { selectOnFocus(*box); });
  connect(计算按钮, &QPushButton::clicked, this, &MainWindow::calculate);
  connect(重新按钮, &QPushButton::clicked, this, &MainWindow::reset);
  connect(窗口永远在上选择框, &QCheckBox::clicked, this, &MainWindow::alwaysOnTopClicked);
  connect(readme按钮, &QPushButton::clicked, this, &MainWindow::openReadme);

  const QList<QAction*> items = 托盘菜单->actions();
  connect(items[kRestoreItem], &QAction::triggered, this, &MainWindow::restoreClicked);
  // 关于(&A) does nothing.
  connect(items[kExitItem], &QAction::triggered, this, &MainWindow::endProgram);
  // Tray hosts pop the menu up themselves, some without telling the program
  // first: work out 恢复(&R) whenever the menu is about to show.
  connect(托盘菜单, &QMenu::aboutToShow, this, &MainWindow::prepareTrayMenu);
}

// The created event: the tray icon lives as long as the window.
void MainWindow::installTray() {
  trayIcon_ = platform::installTrayIcon(*this, windowIcon(), platform::qtText(kProgramTitle), 托盘菜单);
  connect(trayIcon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            trayActivated(platform::trayEventType(reason));
          });
}

void MainWindow::selectOnFocus(QLineEdit& box) {
  if (!box.text().isEmpty()) box.selectAll();
}

void MainWindow::calculate() {
  const std::array<std::string, 4> texts{编辑框a->text().toStdString(), 编辑框b->text().toStdString(),
                                         编辑框c->text().toStdString(), 编辑框d->text().toStdString()};
  const SolveResult result = solve({texts[0], texts[1], texts[2], texts[3]});

  QStringList lines;
  lines.reserve(qsizetype(result.lines.size()));
  for (const std::string& line : result.lines) lines.append(QString::fromStdString(line));
  结果列表框->clear();
  结果列表框->addItems(lines);

  if (result.inputMissing) 编辑框a->setFocus();
}

void MainWindow::reset() {
  for (platform::EditBox* box : {编辑框a, 编辑框b, 编辑框c, 编辑框d}) box->clear();
  结果列表框->clear();
  编辑框a->setFocus();
}

void MainWindow::alwaysOnTopClicked() {
  platform::setAlwaysOnTop(*this, 窗口永远在上选择框->isChecked());
}

void MainWindow::openReadme() {
  ui::openReadme(*this);
}

// The state-change event. Qt reports a minimise while the window system is
// still busy with it, so the window hides from a queued call (see changeEvent).
void MainWindow::applyWindowState() {
  if (isMinimized()) {
    if (trayAvailable_()) hide();
  } else {
    show();
  }
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    if (event->spontaneous() && !isVisible() && !isMinimized()) {
      // Hidden in the tray, the window is withdrawn from the window manager,
      // which may then report it as no longer minimised; showing it then would
      // undo the hiding. Only the tray brings it back: it stays minimised.
      QMetaObject::invokeMethod(
          this, [this] { setWindowState(windowState() | Qt::WindowMinimized); }, Qt::QueuedConnection);
    } else {
      QMetaObject::invokeMethod(this, &MainWindow::applyWindowState, Qt::QueuedConnection);
    }
  }
  QWidget::changeEvent(event);
}

void MainWindow::trayActivated(int type) {
  switch (type) {
  case platform::kTrayMenuRequest:
    // The menu itself is popped up by the tray (setContextMenu).
    prepareTrayMenu();
    return;
  case platform::kTrayClick:
    if (isMinimized()) {
      setWindowState(windowState() & ~Qt::WindowMinimized);
      show();
      // A window kept on top is above the others already.
      if (!窗口永远在上选择框->isChecked()) platform::raiseAboveOthers(*this);
    } else {
      // Hidden by the state-change event that follows.
      setWindowState(windowState() | Qt::WindowMinimized);
    }
    return;
  default:
    return;
  }
}

void MainWindow::prepareTrayMenu() {
  托盘菜单->actions()[kRestoreItem]->setEnabled(!isVisible());
}

void MainWindow::restoreClicked() {
  // Shown by the state-change event that follows.
  setWindowState(windowState() & ~Qt::WindowMinimized);
}

void MainWindow::endProgram() {
  // Leaves every running event loop, a modal window's included.
  QCoreApplication::exit(0);
}

} // namespace vantrel::ui
