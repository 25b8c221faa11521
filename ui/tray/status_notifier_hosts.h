#pragma once

#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <optional>

namespace vantrel::ui {

// Whether a StatusNotifierItem host is there: the notification area of KDE
// Plasma, of GNOME with the AppIndicator extension, of XFCE's and LXQt's
// panels, and of most Wayland desktops. Such a desktop owns
// org.kde.StatusNotifierWatcher on the session bus, and its panel registers
// itself there as a host.
//
// Most panels hold the watcher themselves, so that it leaves the bus with
// them. KDE Plasma keeps it in a daemon of its own that outlives the panel,
// still says that a host is registered, and says nothing when the panel goes:
// there the one sign of the panel is its host's own name on the bus,
// org.kde.StatusNotifierHost-<pid> (org.freedesktop.StatusNotifierHost-<pid>
// elsewhere). So both are followed:
//   - without a watcher, or with one that says there is no host: no host;
//   - with one that says there is: a host, unless host names of those forms
//     have been on the bus since this watcher came, and all of them have gone.
// A desktop whose hosts go by other names is taken at its watcher's word.
// Where such hosts run beside named ones, the last named one going counts as
// no host: that mistake only keeps the window out of the tray (a minimise
// stays a minimise), whereas the opposite one would hide the window where
// nobody could bring it back.
class StatusNotifierHosts : public QObject {
  Q_OBJECT

 public:
  explicit StatusNotifierHosts(QObject* parent = nullptr);

  // Known once the watcher and the bus have answered the first questions, or
  // once it is clear that there is no bus; until then present() is false.
  bool known() const { return known_; }
  bool present() const { return present_; }

 signals:
  void changed();

 private slots:
  // Connected by name: QtDBus delivers a bus signal to a slot only.
  void ask();

 private:
  void watcherChanged(bool there);
  void listHostNames();
  void hostNameChanged(const QString& name, const QString& newOwner);
  void update();
  void answer(bool present);

  QDBusServiceWatcher watcher_;
  QDBusServiceWatcher hostNames_;
  std::optional<bool> watcherSaysHost_;  // unset until the watcher has answered
  bool hostNamesListed_ = false;
  QSet<QString> hosts_;    // the host names on the bus now
  bool hostSeen_ = false;  // whether any was there since the watcher came
  bool known_ = false;
  bool present_ = false;
};

}  // namespace vantrel::ui
