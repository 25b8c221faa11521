#include "ui/status_notifier_hosts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace vantrel::ui {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherInterface = kWatcherService;

}  // namespace

StatusNotifierHosts::StatusNotifierHosts(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    answer(false);
    return;
  }
  watcher_.setConnection(bus);
  watcher_.addWatchedService(kWatcherService);
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
  connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& newOwner) {
            if (newOwner.isEmpty()) {
              answer(false);
            } else {
              ask();
            }
          });
  // A panel may start its watcher before its host.
  for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
    bus.connect(kWatcherService, kWatcherPath, kWatcherInterface, QLatin1String(signal), this,
                SLOT(ask()));
  ask();
}

void StatusNotifierHosts::ask() {
  QDBusMessage question = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  question << kWatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
  // Without a watcher the bus answers at once that there is none.
  auto* pending = new QDBusPendingCallWatcher(watcher_.connection().asyncCall(question), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<QDBusVariant> reply = *call;
    answer(!reply.isError() && reply.value().variant().toBool());
    call->deleteLater();
  });
}

void StatusNotifierHosts::answer(bool present) {
  const bool changedNow = !known_ || present != present_;
  known_ = true;
  present_ = present;
  if (changedNow) emit changed();
}

}  // namespace vantrel::ui
