#include "platform/qt/window_services.h"

#include "platform/qt/window_builder.h"

#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <QWindow>

#include <array>

namespace vantrel::platform {

void setAlwaysOnTop(QWidget& window, bool onTop) {
  if (QWindow* handle = window.windowHandle()) {
    handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    // Keep the widget's record of its flags in step with the native window,
    // without a second trip to the window system.
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    window.overrideWindowFlags(flags);
  } else {
    // Not created yet: the flag is simply taken along when it is.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  }
}

bool isAlwaysOnTop(const QWidget& window) {
  if (const QWindow* handle = window.windowHandle())
    return handle->flags().testFlag(Qt::WindowStaysOnTopHint);
  return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void setLabelCaption(QLabel& label, std::string_view utf8) {
  QString text = qtText(utf8);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  label.setText(text);
}

void raiseAboveOthers(QWidget& window) {
  window.raise();
  window.activateWindow();
}

int runModalOver(QDialog& dialog, QWidget& blocked) {
  // Modal to the window it stands over, not to the whole program: a program-
  // wide modal window would block the tray icon as well. Qt finds the window
  // to block through the transient parent, which needs native windows on both
  // sides (winId() creates them).
  QWidget& owner = *blocked.window();
  dialog.setWindowModality(Qt::WindowModal);
  owner.winId();
  dialog.winId();
  QWindow* ownerHandle = owner.windowHandle();
  dialog.windowHandle()->setTransientParent(ownerHandle);

  // The window manager keeps the dialog above the window through that tie, but
  // not in every case: it minimises the dialog along with the window, and when
  // the window comes back from the tray it is mapped anew while the dialog
  // stays minimised; some window managers lose the tie then, so that a click on
  // the window brings it in front of the dialog. Either way the window would be
  // in front, blocked by a dialog out of sight. So whenever the window comes
  // back or gets the focus, the dialog comes back in front of it.
  const auto bringDialogBack = [&dialog, &owner] {
    QMetaObject::invokeMethod(
        &dialog,
        [&dialog, &owner] {
          if (!dialog.isVisible() || !owner.isVisible() || owner.isMinimized()) return;
          if (dialog.isMinimized()) {
            dialog.setWindowState(dialog.windowState() & ~Qt::WindowMinimized);
          } else if (QGuiApplication::focusWindow() == dialog.windowHandle()) {
            return;  // in front already; asking again only unsettles the window manager
          }
          dialog.raise();
          dialog.activateWindow();
        },
        Qt::QueuedConnection);
  };
  const std::array connections{
      QObject::connect(ownerHandle, &QWindow::visibleChanged, &dialog, bringDialogBack),
      QObject::connect(ownerHandle, &QWindow::windowStateChanged, &dialog, bringDialogBack),
      QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &dialog,
                       [ownerHandle, bringDialogBack](const QWindow* focused) {
                         if (focused == ownerHandle) bringDialogBack();
                       }),
  };
  const int result = dialog.exec();
  for (const QMetaObject::Connection& connection : connections) QObject::disconnect(connection);
  return result;
}

int trayEventType(QSystemTrayIcon::ActivationReason reason) {
  // Qt's own numbering differs (Context is 1, Trigger is 3): map explicitly.
  switch (reason) {
  case QSystemTrayIcon::Trigger:
    return kTrayClick;
  case QSystemTrayIcon::DoubleClick:
    return kTrayDoubleClick;
  case QSystemTrayIcon::Context:
    return kTrayMenuRequest;
  case QSystemTrayIcon::MiddleClick:
    return kTrayMiddleClick;
  case QSystemTrayIcon::Unknown:
    break;
  }
  return kTrayUnknown;
}

QSystemTrayIcon* installTrayIcon(QWidget& window, const QIcon& icon, const QString& toolTip,
                                 QMenu* menu) {
  auto* tray = new QSystemTrayIcon(icon, &window);
  tray->setToolTip(toolTip);
  tray->setContextMenu(menu);
  tray->show();
  return tray;
}

} // namespace vantrel::platform
