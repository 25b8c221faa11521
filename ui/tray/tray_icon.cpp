#include "ui/tray/tray_icon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMenu>

namespace vantrel::ui {

TrayIcon::TrayIcon(const QString& toolTip, QMenu* menu, QObject* parent)
    : QObject(parent), toolTip_(toolTip), menu_(menu) {
  connect(&statusNotifierHosts_, &StatusNotifierHosts::changed, this, &TrayIcon::hostsChanged);
  connect(&xembedTrays_, &XEmbedTrays::changed, this, &TrayIcon::hostsChanged);
  hostsChanged();
}

void TrayIcon::hostsChanged() {
  if (!kind_) {
    // Qt looks for a StatusNotifierItem host itself as the icon is made: the
    // answer to that question comes first.
    if (!statusNotifierHosts_.known()) return;
    if (statusNotifierHosts_.present()) {
      createIcon(Kind::StatusNotifier);
    } else if (xembedTrays_.present()) {
      createIcon(Kind::XEmbed);
    } else {
      return;
    }
  }
  const bool shown =
      *kind_ == Kind::StatusNotifier ? statusNotifierHosts_.present() : xembedTrays_.present();
  if (shown == shown_) return;
  shown_ = shown;
  emit shownChanged(shown_);
}

// Once made, the icon stays: Qt registers it again with a StatusNotifierItem
// host that comes back, and embeds it again in a new XEmbed tray.
void TrayIcon::createIcon(Kind kind) {
  kind_ = kind;
  // The installed theme icon by name, which a StatusNotifierItem host looks up
  // at the size it draws; where it is not installed, the program's icon as the
  // program set it for its windows (the built-in images).
  const QIcon image =
      QIcon::fromTheme(QStringLiteral("org.vantrel.Vantrel"), QGuiApplication::windowIcon());
  icon_ = new QSystemTrayIcon(image, this);
  icon_->setToolTip(toolTip_);
  icon_->setContextMenu(menu_);
  connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
  icon_->show();
}

}  // namespace vantrel::ui
