#include "ui/result_list.h"

#include <QAccessible>
#include <QFocusEvent>

namespace vantrel::ui {

namespace {

QString describe(int lineCount) {
  if (lineCount == 0) return QStringLiteral("还没有计算结果");
  // A message says what it is itself.
  if (lineCount == 1) return {};
  return QStringLiteral("每行一种算法，最后一行是算法的总数");
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
