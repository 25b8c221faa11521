#include "platform/qt/edit_box.h"

#include <QFocusEvent>

namespace vantrel::platform {

void EditBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  switch (event->reason()) {
  case Qt::PopupFocusReason:
    // Back from the box's own context menu: the focus never really left.
    return;
  case Qt::MouseFocusReason:
    // The press that gave the focus is delivered right after this event.
    focusedByThisClick_ = true;
    return;
  default:
    emit focusGained();
  }
}

void EditBox::focusOutEvent(QFocusEvent* event) {
  focusedByThisClick_ = false;
  QLineEdit::focusOutEvent(event);
}

void EditBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (focusedByThisClick_) {
    focusedByThisClick_ = false;
    emit focusGained();
  }
}

} // namespace vantrel::platform
