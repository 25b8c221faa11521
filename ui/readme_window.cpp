#include "ui/readme_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <array>

#include "ui/about_box.h"
#include "ui/song_font.h"
#include "ui_readme_window.h"

namespace vantrel::ui {

ReadmeWindow::ReadmeWindow(bool alwaysOnTop) : ui_(std::make_unique<Ui::ReadmeWindow>()) {
  ui_->setupUi(this);
  // A narrow title bar with a close button only; the frame is fixed.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Not created yet, so the window takes the flag along when it is.
  setWindowFlag(Qt::WindowStaysOnTopHint, alwaysOnTop);
  ui_->标签1->setFont(songFont(12, QFont::Normal));
  ui_->标签1->setText(tr("欢迎使用 Vantrel！") + QLatin1Char('\n') + creditLine());

  // Centred on the screen rather than over the main window, which it would
  // all but cover. The frame is the window manager's: the size drawn with the
  // frame, 202 × 273, stands in for it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(202 / 2, 273 / 2));
}

ReadmeWindow::~ReadmeWindow() = default;

void ReadmeWindow::execOver(QWidget& blocked) {
  // Modal to the window it stands over, not to the whole program: a program-
  // wide modal window would block the tray icon as well. Qt finds the window
  // to block through the transient parent, which needs native windows on both
  // sides (winId() creates them).
  QWidget& owner = *blocked.window();
  setWindowModality(Qt::WindowModal);
  owner.winId();
  winId();
  QWindow* ownerHandle = owner.windowHandle();
  windowHandle()->setTransientParent(ownerHandle);

  // This window goes to the tray with the blocked one and comes back with it,
  // in front of it: the blocked window is of no use without it. It also comes
  // back in front when the blocked one gets the focus, as a click on its frame
  // gives it, or is brought back from a minimise that the window manager
  // applied to both.
  const auto follow = [this, &owner] {
    QMetaObject::invokeMethod(
        this,
        [this, &owner] {
          if (!owner.isVisible()) {
            hide();
            return;
          }
          if (owner.isMinimized()) return;
          if (isMinimized()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
          } else if (isVisible() && QGuiApplication::focusWindow() == windowHandle()) {
            return;  // in front already; asking again only unsettles the window manager
          }
          show();
          raise();
          activateWindow();
        },
        Qt::QueuedConnection);
  };
  const std::array connections{
      connect(ownerHandle, &QWindow::visibleChanged, this, follow),
      connect(ownerHandle, &QWindow::windowStateChanged, this, follow),
      connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
              [ownerHandle, follow](const QWindow* focused) {
                if (focused == ownerHandle) follow();
              }),
  };

  // A loop of its own rather than QDialog::exec(), whose loop ends as soon as
  // the window is hidden: going to the tray is not closing.
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  loop.exec(QEventLoop::DialogExec);
  for (const QMetaObject::Connection& connection : connections) disconnect(connection);
}

}  // namespace vantrel::ui
