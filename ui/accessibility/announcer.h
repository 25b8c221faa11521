#pragma once

#include <QString>
#include <QWidget>

namespace vantrel::ui {

// Tells a screen reader at once what has just happened, with nothing to see on
// the screen: an empty widget in the role of a notification takes the message
// as its accessible name and shows, and a screen reader speaks a notification
// that shows as it speaks a desktop notification. Qt 6.4 has no announcement
// of its own (it comes with 6.8), and the change of a control's name or
// description, which screen readers speak for the focused control, reaches
// them from Qt 6.4 without its text.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent = nullptr);

  void announce(const QString& message);
};

}  // namespace vantrel::ui
