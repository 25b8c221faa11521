#pragma once

#include <QDBusServiceWatcher>
#include <QObject>

namespace vantrel::ui {

// Whether a StatusNotifierItem host is there: the notification area of KDE
// Plasma, of GNOME with the AppIndicator extension, of XFCE's and LXQt's
// panels, and of most Wayland desktops. Such a panel owns
// org.kde.StatusNotifierWatcher on the session bus and registers itself as a
// host there; both come and go with the panel.
class StatusNotifierHosts : public QObject {
  Q_OBJECT

 public:
  explicit StatusNotifierHosts(QObject* parent = nullptr);

  // Known once the watcher has answered the first question, or once it is
  // clear that there is none; until then present() is false.
  bool known() const { return known_; }
  bool present() const { return present_; }

 signals:
  void changed();

 private slots:
  // Connected by name: QtDBus delivers a bus signal to a slot only.
  void ask();

 private:
  void answer(bool present);

  QDBusServiceWatcher watcher_;
  bool known_ = false;
  bool present_ = false;
};

}  // namespace vantrel::ui
