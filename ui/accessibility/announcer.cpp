#include "ui/accessibility/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vantrel::ui {

namespace {

QAccessibleInterface* accessibleAnnouncer(const QString&, QObject* object) {
  if (auto* announcer = qobject_cast<Announcer*>(object))
    return new QAccessibleWidget(announcer, QAccessible::Notification);
  return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(accessibleAnnouncer);
    return true;
  }();
  Q_UNUSED(installed);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcer::announce(const QString& message) {
  setAccessibleName(message);
  // Shown anew each time, so that the same message twice is heard twice.
  hide();
  show();
}

}  // namespace vantrel::ui
