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
//
// It asks for its context menu on a right click, the Menu key and Shift+F10,
// and copies its lines as text; the menu itself is its owner's.
class ResultList : public QListWidget {
  Q_OBJECT

 public:
  explicit ResultList(QWidget* parent = nullptr);

  // lines holds solutions and their summary when there is more than one, a
  // message when there is just one.
  void showLines(const QStringList& lines);
  // Empty, as before the first solve.
  void clearLines();

  // The line the user is on: the selected one, or else the current one.
  bool hasChosenLine() const;
  // Puts that line on the clipboard, or every line, each ended by a newline
  // as vantrel-solve prints them.
  void copyChosenLine() const;
  void copyAllLines() const;

 signals:
  // The context menu is wanted at this place on the screen: where the mouse
  // was clicked, or by the current line when it came from the keyboard.
  void menuRequested(const QPoint& globalPos, bool byKeyboard);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void reportCurrentLine();
  QPoint keyboardMenuPos() const;
};

}  // namespace vantrel::ui
