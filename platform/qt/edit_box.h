#pragma once

#include <QLineEdit>

namespace vantrel::platform {

// A one-line edit box that reports each time it gains the focus, however the
// focus came: Tab, the program, or a mouse click. For a click the report waits
// until the click itself has been handled, so that whatever the handler selects
// is not undone by the click placing the cursor.
class EditBox : public QLineEdit {
  Q_OBJECT

public:
  using QLineEdit::QLineEdit;

signals:
  void focusGained();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  bool focusedByThisClick_ = false;
};

} // namespace vantrel::platform
