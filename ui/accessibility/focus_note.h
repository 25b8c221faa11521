#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace vantrel::ui {

// A short message for screen readers that comes with the keyboard focus: the
// control about to get the focus carries it as its accessible description,
// which a screen reader reads along with the control as the focus lands
// there, in the same breath rather than as a separate announcement that the
// move of the focus would cut short. The control gets its own description
// back when the focus leaves it. Nothing shows on the screen.
class FocusNote : public QObject {
  Q_OBJECT

 public:
  explicit FocusNote(QObject* parent = nullptr) : QObject(parent) {}

  // Replaces the note that was shown before, if any.
  void show(QWidget* control, const QString& message);
  void clear();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> control_;
  QString ownDescription_;
};

}  // namespace vantrel::ui
