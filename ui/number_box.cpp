#include "ui/number_box.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace vantrel::ui {

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void NumberBox::selectForTyping() {
  if (!text().isEmpty()) selectAll();
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  switch (event->reason()) {
    case Qt::PopupFocusReason:
      // Back from the box's own context menu: the focus never really left.
      return;
    case Qt::MouseFocusReason:
      focusedByThisClick_ = true;
      return;
    default:
      selectForTyping();
  }
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
  focusedByThisClick_ = false;
  QLineEdit::focusOutEvent(event);
}

void NumberBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (focusedByThisClick_) {
    focusedByThisClick_ = false;
    selectForTyping();
  }
}

}  // namespace vantrel::ui
