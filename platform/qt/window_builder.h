#pragma once

// Builds Qt widgets from a layout (layout.h). Each control becomes a child of
// the window with its layout name as objectName, at its client-area position.

#include "platform/qt/layout.h"

#include <QString>
#include <QWidget>

#include <string>
#include <string_view>

class QMenu;

namespace vantrel::platform {

inline QString qtText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Gives the window its own properties (caption, fixed client size, frame,
// position, background) and creates its controls in layout order, which is
// also the order in which Tab moves among those with a tab stop.
void buildWindow(QWidget& window, const WindowLayout& layout);

// Creates the pop-up menu of a layout as a child of its owner. Its actions are
// in layout order, the separator included.
QMenu* buildMenu(QWidget& owner, const MenuLayout& layout);

// The control of a built window with this layout name. A missing control is a
// fault in the layout tables, and ends the program with a message.
QWidget* findControlWidget(const QWidget& window, std::string_view name);

template <class Widget>
Widget* findControl(const QWidget& window, std::string_view name) {
  auto* widget = qobject_cast<Widget*>(findControlWidget(window, name));
  if (!widget) qFatal("Control %s has an unexpected kind", std::string(name).c_str());
  return widget;
}

} // namespace vantrel::platform
