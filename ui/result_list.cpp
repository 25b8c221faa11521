#include "ui/result_list.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>

namespace vantrel::ui {

namespace {

QString describe(int lineCount) {
  if (lineCount == 0) return ResultList::tr("还没有计算结果");
  // A message says what it is itself.
  if (lineCount == 1) return {};
  return ResultList::tr("每行一种算法，最后一行是算法的总数");
}

}  // namespace

ResultList::ResultList(QWidget* parent) : QListWidget(parent) {
  setAccessibleDescription(describe(0));
}

void ResultList::showLines(const QStringList& lines) {
  clear();
  addItems(lines);
  setAccessibleDescription(describe(count()));
}

void ResultList::clearLines() {
  clear();
  setAccessibleDescription(describe(0));
}

bool ResultList::hasChosenLine() const {
  return !selectedItems().isEmpty() || currentItem();
}

void ResultList::copyChosenLine() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  const QListWidgetItem* line = selected.isEmpty() ? currentItem() : selected.first();
  if (line) QGuiApplication::clipboard()->setText(line->text());
}

void ResultList::copyAllLines() const {
  if (count() == 0) return;
  QString text;
  for (int row = 0; row < count(); ++row) text += item(row)->text() + QLatin1Char('\n');
  QGuiApplication::clipboard()->setText(text);
}

void ResultList::contextMenuEvent(QContextMenuEvent* event) {
  // The Menu key reaches here from the window system as a keyboard request.
  if (event->reason() == QContextMenuEvent::Mouse) {
    emit menuRequested(event->globalPos(), false);
  } else {
    emit menuRequested(keyboardMenuPos(), true);
  }
  event->accept();
}

void ResultList::keyPressEvent(QKeyEvent* event) {
  // Shift+F10, the other key for a context menu, is left to the program.
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    emit menuRequested(keyboardMenuPos(), true);
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

// By the current line when it is in sight, else at the list's top left.
QPoint ResultList::keyboardMenuPos() const {
  const QRect line = visualRect(currentIndex());
  const QPoint at = viewport()->rect().contains(line.center()) ? line.center() : QPoint(0, 0);
  return viewport()->mapToGlobal(at);
}

void ResultList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  // Qt reports the current line as focused before the list itself, and a
  // screen reader then drops the line for the list that came after it: report
  // the line again once the list's own report is out. A click makes the line
  // it hits current and reports that itself.
  if (event->reason() != Qt::MouseFocusReason && QAccessible::isActive())
    QMetaObject::invokeMethod(this, &ResultList::reportCurrentLine, Qt::QueuedConnection);
}

void ResultList::reportCurrentLine() {
  if (!hasFocus() || currentRow() < 0) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(currentRow());
  QAccessible::updateAccessibility(&focus);
}

}  // namespace vantrel::ui
