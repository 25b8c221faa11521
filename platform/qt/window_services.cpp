#include "window_services.h"

#include "window_builder.h"

#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <QWindow>

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
