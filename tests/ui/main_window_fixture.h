#pragma once

// Shared by the main window tests: a window built as the program builds it,
// with the tray's availability chosen by the test, and its controls by name.

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "ui/main_window.h"

namespace vantrel::test {

template <class Widget>
Widget* control(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
  if (!widget) qFatal("no control %s", name);
  return widget;
}

// A shown, active main window. hasTray is what the window is told about its
// tray icon (offscreen no tray host ever shows it).
inline std::unique_ptr<ui::MainWindow> showMainWindow(bool hasTray = true) {
  auto window = std::make_unique<ui::MainWindow>();
  window->trayShownChanged(hasTray);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("main window did not become active");
  return window;
}

// On top as the native window has it.
inline bool isOnTop(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle ? handle->flags().testFlag(Qt::WindowStaysOnTopHint)
                : window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

inline QStringList listLines(const QWidget& window) {
  const auto* list = control<QListWidget>(window, "结果列表框");
  QStringList lines;
  for (int row = 0; row < list->count(); ++row) lines.append(list->item(row)->text());
  return lines;
}

}  // namespace vantrel::test
