#pragma once

#include <QLineEdit>

namespace vantrel::ui {

// One of the four boxes a number is typed into. It takes digits only, so that
// it never holds a text that is not a whole number (no sign, no blanks; its
// length limit comes from the form), and it selects its whole text whenever it
// gains the focus, by Tab, by a click or from the program, so that typing
// replaces the old number. An empty box selects nothing.
class NumberBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberBox(QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void selectForTyping();

  // Set while the mouse press that gave the focus is on its way: the press
  // places the cursor, so the selection waits until it has been handled.
  bool focusedByThisClick_ = false;
};

}  // namespace vantrel::ui
