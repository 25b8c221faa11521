#pragma once

#include <QListWidget>
#include <QStringList>

namespace vantrel::ui {

// The result list: the solutions with their summary line, or one message line,
// or nothing. It keeps a screen reader's view of it in step with what it
// holds: its accessible description says what kind of lines they are, and
// when the list gets the keyboard focus the screen reader hears its current
// line (the first, unless the user has moved on), so that the first Down arrow
// goes on to the second line. Nothing of this shows on the screen.
class ResultList : public QListWidget {
  Q_OBJECT

 public:
  explicit ResultList(QWidget* parent = nullptr);

  // lines holds solutions and their summary when there is more than one, a
  // message when there is just one.
  void showLines(const QStringList& lines);
  // Empty, as before the first solve.
  void clearLines();

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void reportCurrentLine();
};

}  // namespace vantrel::ui
