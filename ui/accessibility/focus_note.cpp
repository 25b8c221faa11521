#include "ui/accessibility/focus_note.h"

#include <QEvent>

namespace vantrel::ui {

void FocusNote::show(QWidget* control, const QString& message) {
  clear();
  control_ = control;
  ownDescription_ = control->accessibleDescription();
  control->installEventFilter(this);
  control->setAccessibleDescription(message);
}

void FocusNote::clear() {
  if (!control_) return;
  control_->removeEventFilter(this);
  control_->setAccessibleDescription(ownDescription_);
  control_ = nullptr;
}

bool FocusNote::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control_ && event->type() == QEvent::FocusOut) clear();
  return false;
}

}  // namespace vantrel::ui
