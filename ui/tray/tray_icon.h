#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <optional>

#include "ui/tray/status_notifier_hosts.h"
#include "ui/tray/xembed_trays.h"

class QMenu;

namespace vantrel::ui {

// The program's icon in the notification area, with its tooltip and menu:
// there whenever a tray host is there to show it, and the one place that
// knows whether it is shown.
//
// Qt shows a tray icon through a StatusNotifierItem host where one is
// registered when the first icon is made, and through an XEmbed tray
// otherwise, and keeps that choice for the whole run. So the icon is made only
// once a host is there (a panel often starts after the programs of a
// session), and from then on it is shown exactly while a host of the kind Qt
// chose is there.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(const QString& toolTip, QMenu* menu, QObject* parent = nullptr);

  bool isShown() const { return shown_; }
  // Null until a host has been seen.
  QSystemTrayIcon* icon() const { return icon_; }

 signals:
  void activated(QSystemTrayIcon::ActivationReason reason);
  void shownChanged(bool shown);

 private:
  enum class Kind { StatusNotifier, XEmbed };

  void hostsChanged();
  void createIcon(Kind kind);

  QString toolTip_;
  QMenu* menu_;
  StatusNotifierHosts statusNotifierHosts_;
  XEmbedTrays xembedTrays_;
  std::optional<Kind> kind_;
  QSystemTrayIcon* icon_ = nullptr;
  bool shown_ = false;
};

}  // namespace vantrel::ui
