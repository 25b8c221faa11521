#include "ui/main_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QStringList>
#include <QWindow>
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "distinct/distinct.h"
#include "solver/solve.h"
#include "ui/about_box.h"
#include "ui/accessibility/announcer.h"
#include "ui/accessibility/focus_note.h"
#include "ui/practice/practice_window.h"
#include "ui/readme_window.h"
#include "ui/song_font.h"
#include "ui/tray/tray_icon.h"
#include "ui_main_window.h"

namespace vantrel::ui {

namespace {

const QString kDistinctOnlyKey = QStringLiteral("results/distinctOnly");

// The genuinely different solutions for 24. A text that is not a number
// (only a program or an assistive tool can put one in a box) reads as 0, as
// the solve command reads it.
std::vector<std::string> distinctSolutions(const std::array<std::string, 4>& texts) {
  std::array<std::string_view, 4> numbers;
  std::ranges::transform(texts, numbers.begin(), [](const std::string& text) {
    return distinct::checkNumber(text) == distinct::NumberProblem::kNone ? std::string_view(text)
                                                                         : std::string_view("0");
  });
  return distinct::solve(numbers, "24");
}

// Every solution of the solve command, without the lines around them, which
// the window words in the user's language.
std::vector<std::string> everySolution(const std::array<std::string, 4>& texts) {
  SolveResult result = solve({texts[0], texts[1], texts[2], texts[3]});
  // Solutions come with their summary line; a line alone is the message that
  // there are none.
  if (result.lines.size() < 2) return {};
  result.lines.pop_back();
  return std::move(result.lines);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      announcer_(new Announcer(this)),
      focusNote_(new FocusNote(this)),
      settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                QStringLiteral("vantrel")),
      onWayland_(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
  ui_->setupUi(this);
  // A fixed frame with a minimise button and no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  move(50, 50);

  const QFont numberFont = songFont(20, QFont::Bold);
  for (NumberBox* box : numberBoxes()) box->setFont(numberFont);
  ui_->窗口永远在上选择框->setFont(songFont(12, QFont::Normal));
  if (onWayland_) {
    // Say so rather than offer what would silently do nothing.
    const QString why = tr("此桌面不允许窗口永远在上");
    ui_->窗口永远在上选择框->setEnabled(false);
    ui_->窗口永远在上选择框->setToolTip(why);
    ui_->窗口永远在上选择框->setAccessibleDescription(why);
  }

  connect(ui_->计算按钮, &QPushButton::clicked, this, &MainWindow::calculate);
  connect(ui_->重新按钮, &QPushButton::clicked, this, &MainWindow::reset);
  connect(ui_->窗口永远在上选择框, &QCheckBox::toggled, this, &MainWindow::setAlwaysOnTop);
  connect(ui_->readme按钮, &QPushButton::clicked, this, &MainWindow::openReadme);

  ui_->distinctAction->setChecked(settings_.value(kDistinctOnlyKey, false).toBool());
  resultMenu_ = createResultMenu();
  // Ctrl+C while the list has the focus.
  ui_->结果列表框->addAction(ui_->copyAction);
  connect(ui_->结果列表框, &ResultList::menuRequested, this, &MainWindow::openResultMenu);
  connect(ui_->结果列表框, &QListWidget::currentRowChanged, this, &MainWindow::updateCopyItems);
  connect(ui_->copyAction, &QAction::triggered, ui_->结果列表框, &ResultList::copyChosenLine);
  connect(ui_->copyAllAction, &QAction::triggered, ui_->结果列表框, &ResultList::copyAllLines);
  connect(ui_->distinctAction, &QAction::toggled, this, &MainWindow::setDistinctOnly);
  updateCopyItems();

  // 恢复(&R) brings the window back without the raise step of a tray click.
  connect(ui_->restoreAction, &QAction::triggered, this, &MainWindow::comeBack);
  connect(ui_->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
  // Ctrl+P while the window is active; the layout stays as it is.
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this, ui_->practiceAction, &QAction::trigger);
  connect(ui_->practiceAction, &QAction::triggered, this, &MainWindow::openPractice);
  connect(ui_->exitAction, &QAction::triggered, this, [] {
    // Leaves every running event loop, a modal window's included.
    QCoreApplication::exit(0);
  });
  trayMenu_ = createTrayMenu();
  // Tray hosts pop the menu up themselves, some without telling the program
  // first: work out 恢复(&R) whenever the menu is about to show.
  connect(trayMenu_, &QMenu::aboutToShow, this, &MainWindow::prepareTrayMenu);

  tray_ = new TrayIcon(windowTitle(), trayMenu_, this);
  connect(tray_, &TrayIcon::activated, this, &MainWindow::trayActivated);
  connect(tray_, &TrayIcon::shownChanged, this, &MainWindow::trayShownChanged);

  ui_->编辑框a->setFocus();
}

MainWindow::~MainWindow() = default;

// 编辑框a to 编辑框d, left to right: the input texts a, b, c, d.
std::array<NumberBox*, 4> MainWindow::numberBoxes() const {
  return {ui_->编辑框a, ui_->编辑框b, ui_->编辑框c, ui_->编辑框d};
}

// 托盘菜单, never a menu bar: only popped up from the tray icon.
QMenu* MainWindow::createTrayMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("托盘菜单"));
  menu->addAction(ui_->restoreAction);
  menu->addAction(ui_->practiceAction);
  menu->addAction(ui_->aboutAction);
  menu->addSeparator();
  menu->addAction(ui_->exitAction);
  return menu;
}

// 结果列表框's context menu.
QMenu* MainWindow::createResultMenu() {
  auto* menu = new QMenu(this);
  menu->addAction(ui_->copyAction);
  menu->addAction(ui_->copyAllAction);
  menu->addSeparator();
  menu->addAction(ui_->distinctAction);
  return menu;
}

void MainWindow::updateCopyItems() {
  ui_->copyAction->setEnabled(ui_->结果列表框->hasChosenLine());
  ui_->copyAllAction->setEnabled(ui_->结果列表框->count() > 0);
}

void MainWindow::openResultMenu(const QPoint& globalPos, bool byKeyboard) {
  updateCopyItems();
  resultMenu_->popup(globalPos);
  if (!byKeyboard) return;
  const QList<QAction*> items = resultMenu_->actions();
  const auto first = std::ranges::find_if(
      items, [](const QAction* item) { return item->isEnabled() && !item->isSeparator(); });
  if (first != items.end()) resultMenu_->setActiveAction(*first);
}

void MainWindow::setDistinctOnly(bool distinctOnly) {
  settings_.setValue(kDistinctOnlyKey, distinctOnly);
  // Kept at once: a session that ends the program by a signal must not lose it.
  settings_.sync();
  if (ui_->结果列表框->count() > 0) calculate();
}

void MainWindow::calculate() {
  std::array<std::string, 4> texts;
  std::ranges::transform(numberBoxes(), texts.begin(),
                         [](const NumberBox* box) { return box->text().toStdString(); });
  // An empty box asks for four numbers in either way of listing.
  const bool complete =
      std::ranges::none_of(texts, [](const std::string& text) { return text.empty(); });
  const bool distinctOnly = ui_->distinctAction->isChecked();
  QStringList lines;
  if (complete) {
    for (const std::string& line : distinctOnly ? distinctSolutions(texts) : everySolution(texts))
      lines.append(QString::fromStdString(line));
    const auto count = int(lines.size());
    if (count == 0) {
      lines.append(tr("电脑我也算不出啦：（"));
    } else if (distinctOnly) {
      lines.append(tr("共有%n种不同的算法！", nullptr, count));
    } else {
      lines.append(tr("共有%n种算法！", nullptr, count));
    }
  } else {
    lines.append(tr("请输入4个数字！"));
  }
  focusNote_->clear();
  ui_->结果列表框->showLines(lines);
  updateCopyItems();

  // The line the list ends with, the summary or a message, is heard at once:
  // with the first box as the focus lands there, or else where the focus
  // stays.
  if (!complete) {
    focusNote_->show(ui_->编辑框a, lines.last());
    ui_->编辑框a->setFocus();
  } else {
    announcer_->announce(lines.last());
  }
}

void MainWindow::reset() {
  focusNote_->clear();
  // The focus first: a screen reader that sees the first box change before
  // the focus moves takes that change for the move, and the move itself
  // then goes unheard.
  ui_->编辑框a->setFocus();
  for (NumberBox* box : numberBoxes()) box->clear();
  ui_->结果列表框->clearLines();
  updateCopyItems();
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

void MainWindow::openReadme() {
  ReadmeWindow readme(ui_->窗口永远在上选择框->isChecked());
  readme.execOver(*this);
}

void MainWindow::showAbout() {
  if (!about_) about_ = createAboutBox(this);
  about_->setWindowState(about_->windowState() & ~Qt::WindowMinimized);
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::openPractice() {
  if (!practice_) {
    practice_ = std::make_unique<PracticeWindow>(practiceSeed());
    connect(practice_.get(), &PracticeWindow::closed, this, &MainWindow::practiceClosed);
  }
  practice_->setWindowState(practice_->windowState() & ~Qt::WindowMinimized);
  practice_->show();
  practice_->raise();
  practice_->activateWindow();
}

// The program ends with its last window, as long as nothing else is left
// to bring one back: the main window hidden in the tray keeps it running.
void MainWindow::practiceClosed() {
  if (!isVisible() && !trayShown_) QCoreApplication::quit();
}

// Hidden, not minimised: the window leaves the screen and the task bar at
// once, by the program's own hand, on every window system alike. It is never
// asked to minimise on the way, so no late answer of the window manager to
// such a request can take the window away again once it is back.
void MainWindow::hideInTray() {
  if (trayShown_) hide();
}

// Back from the tray or from a minimise, in the normal state.
void MainWindow::comeBack() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
}

// Brings the shown window above the others and gives it the focus, without
// leaving it on top.
void MainWindow::raiseAboveOthers() {
  raise();
  activateWindow();
}

void MainWindow::changeEvent(QEvent* event) {
  // While the window is hidden, the window system's reports about it tell
  // nothing the program did not do itself.
  if (event->type() == QEvent::WindowStateChange && isVisible() && isMinimized() && !onWayland_) {
    // Reported while the window system is still busy minimising: hide once
    // it is done, and only if nothing has brought the window back meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (isVisible() && isMinimized()) hideInTray();
        },
        Qt::QueuedConnection);
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
      // Toggles what the user sees.
      if (isShown()) {
        hideInTray();
      } else {
        comeBack();
        // A window kept on top is above the others already.
        if (!ui_->窗口永远在上选择框->isChecked()) raiseAboveOthers();
      }
      return;
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
      return;
  }
}

// A hidden window whose tray icon has gone could not be brought back.
void MainWindow::trayShownChanged(bool shown) {
  trayShown_ = shown;
  if (!shown && !isVisible()) comeBack();
}

void MainWindow::prepareTrayMenu() {
  ui_->restoreAction->setEnabled(!isShown());
}

void MainWindow::bringToFront() {
  comeBack();
  raise();
  activateWindow();
}

}  // namespace vantrel::ui
