#include "ui/readme_window.h"

#include "ui/song_font.h"
#include "ui_readme_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <array>

namespace vantrel::ui {

ReadmeWindow::ReadmeWindow(bool alwaysOnTop) : ui_(std::make_unique<Ui::ReadmeWindow>()) {
  ui_->setupUi(this);
  // A narrow title bar with a close button only; the frame is fixed.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Not created yet, so the window takes the flag along when it is.
  setWindowFlag(Qt::WindowStaysOnTopHint, alwaysOnTop);
  ui_->标签1->setFont(songFont(12, QFont::Normal));
  ui_->标签1->setText(QStringLiteral("欢迎使用 Vantrel！\n作者：Vantrel 团队"));

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

  // The window manager keeps this window above the blocked one through that
  // tie, but not in every case: it minimises this window along with the other,
  // and when the other comes back from the tray it is mapped anew while this
  // one stays minimised; some window managers lose the tie then, so that a
  // click on the other window brings it in front. Either way the blocked
  // window would be in front, with this one out of sight. So whenever it comes
  // back or gets the focus, this window comes back in front of it.
  const auto comeBack = [this, &owner] {
    QMetaObject::invokeMethod(
        this,
        [this, &owner] {
          if (!isVisible() || !owner.isVisible() || owner.isMinimized()) return;
          if (isMinimized()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
          } else if (QGuiApplication::focusWindow() == windowHandle()) {
            return;  // in front already; asking again only unsettles the window manager
          }
          raise();
          activateWindow();
        },
        Qt::QueuedConnection);
  };
  const std::array connections{
      connect(ownerHandle, &QWindow::visibleChanged, this, comeBack),
      connect(ownerHandle, &QWindow::windowStateChanged, this, comeBack),
      connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
              [ownerHandle, comeBack](const QWindow* focused) {
                if (focused == ownerHandle) comeBack();
              }),
  };
  exec();
  for (const QMetaObject::Connection& connection : connections) disconnect(connection);
}

} // namespace vantrel::ui
