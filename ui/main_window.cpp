#include "ui/main_window.h"

#include "solver/solve.h"
#include "ui/program_icon.h"
#include "ui/readme_window.h"
#include "ui/song_font.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWindow>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace vantrel::ui {

MainWindow::MainWindow(TrayAvailability trayAvailable, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      trayAvailable_(std::move(trayAvailable)) {
  ui_->setupUi(this);
  // A fixed frame with a minimise button and no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  move(50, 50);

  const QFont numberFont = songFont(20, QFont::Bold);
  for (NumberBox* box : numberBoxes()) box->setFont(numberFont);
  ui_->窗口永远在上选择框->setFont(songFont(12, QFont::Normal));

  connect(ui_->计算按钮, &QPushButton::clicked, this, &MainWindow::calculate);
  connect(ui_->重新按钮, &QPushButton::clicked, this, &MainWindow::reset);
  connect(ui_->窗口永远在上选择框, &QCheckBox::toggled, this, &MainWindow::setAlwaysOnTop);
  connect(ui_->readme按钮, &QPushButton::clicked, this, &MainWindow::openReadme);
  connect(ui_->restoreAction, &QAction::triggered, this, &MainWindow::restore);
  // 关于(&A) does nothing.
  connect(ui_->exitAction, &QAction::triggered, this, [] {
    // Leaves every running event loop, a modal window's included.
    QCoreApplication::exit(0);
  });
  // Tray hosts pop the menu up themselves, some without telling the program
  // first: work out 恢复(&R) whenever the menu is about to show.
  connect(ui_->托盘菜单, &QMenu::aboutToShow, this, &MainWindow::prepareTrayMenu);

  createTrayIcon();
  ui_->编辑框a->setFocus();
}

MainWindow::~MainWindow() = default;

// 编辑框a to 编辑框d, left to right: the input texts a, b, c, d.
std::array<NumberBox*, 4> MainWindow::numberBoxes() const {
  return {ui_->编辑框a, ui_->编辑框b, ui_->编辑框c, ui_->编辑框d};
}

// The tray icon lives as long as the window.
void MainWindow::createTrayIcon() {
  trayIcon_ = new QSystemTrayIcon(programIcon(), this);
  trayIcon_->setToolTip(windowTitle());
  trayIcon_->setContextMenu(ui_->托盘菜单);
  connect(trayIcon_, &QSystemTrayIcon::activated, this, &MainWindow::trayActivated);
  trayIcon_->show();
}

void MainWindow::calculate() {
  std::array<std::string, 4> texts;
  std::ranges::transform(numberBoxes(), texts.begin(),
                         [](const NumberBox* box) { return box->text().toStdString(); });
  const SolveResult result = solve({texts[0], texts[1], texts[2], texts[3]});

  QStringList lines;
  lines.reserve(qsizetype(result.lines.size()));
  for (const std::string& line : result.lines) lines.append(QString::fromStdString(line));
  ui_->结果列表框->clear();
  ui_->结果列表框->addItems(lines);

  if (result.inputMissing) ui_->编辑框a->setFocus();
}

void MainWindow::reset() {
  for (NumberBox* box : numberBoxes()) box->clear();
  ui_->结果列表框->clear();
  ui_->编辑框a->setFocus();
}

// Keeps the window above all other windows, or stops doing so, without
// recreating its native window (QWidget::setWindowFlag would).
void MainWindow::setAlwaysOnTop(bool onTop) {
  if (QWindow* handle = windowHandle()) {
    handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    // Keep the widget's record of its flags in step with the native window,
    // without a second trip to the window system.
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
  } else {
    // Not created yet: the flag is taken along when it is.
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  }
}

// Brings the shown window above the others and gives it the focus, without
// leaving it on top.
void MainWindow::raiseAboveOthers() {
  raise();
  activateWindow();
}

void MainWindow::openReadme() {
  ReadmeWindow readme(ui_->窗口永远在上选择框->isChecked());
  readme.execOver(*this);
}

// Qt reports a minimise while the window system is still busy with it, so the
// window hides from a queued call (see changeEvent).
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
          this, [this] { setWindowState(windowState() | Qt::WindowMinimized); },
          Qt::QueuedConnection);
    } else {
      QMetaObject::invokeMethod(this, &MainWindow::applyWindowState, Qt::QueuedConnection);
    }
  }
  QWidget::changeEvent(event);
}

void MainWindow::trayActivated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
  case QSystemTrayIcon::Context:
    // The tray host pops the menu up itself (setContextMenu).
    prepareTrayMenu();
    return;
  case QSystemTrayIcon::Trigger:
    if (isMinimized()) {
      setWindowState(windowState() & ~Qt::WindowMinimized);
      show();
      // A window kept on top is above the others already.
      if (!ui_->窗口永远在上选择框->isChecked()) raiseAboveOthers();
    } else {
      // Hidden by the state change that follows.
      setWindowState(windowState() | Qt::WindowMinimized);
    }
    return;
  case QSystemTrayIcon::DoubleClick:
  case QSystemTrayIcon::MiddleClick:
  case QSystemTrayIcon::Unknown:
    return;
  }
}

void MainWindow::prepareTrayMenu() {
  ui_->restoreAction->setEnabled(!isVisible());
}

void MainWindow::restore() {
  // Shown by the state change that follows.
  setWindowState(windowState() & ~Qt::WindowMinimized);
}

} // namespace vantrel::ui
