#include "ui/tray/status_notifier_hosts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QStringList>

namespace vantrel::ui {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherInterface = kWatcherService;

bool isHostName(const QString& name) {
  return name.startsWith(QLatin1String("org.kde.StatusNotifierHost-")) ||
         name.startsWith(QLatin1String("org.freedesktop.StatusNotifierHost-"));
}

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
            watcherChanged(!newOwner.isEmpty());
          });
  // A panel may start its watcher before its host.
  for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
    bus.connect(kWatcherService, kWatcherPath, kWatcherInterface, QLatin1String(signal), this,
                SLOT(ask()));

  // A trailing "*" stands for whole dot-separated parts of a name only, so
  // the host names are watched through the two name spaces they are in.
  hostNames_.setConnection(bus);
  hostNames_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
  hostNames_.setWatchedServices({QStringLiteral("org.kde*"), QStringLiteral("org.freedesktop*")});
  connect(&hostNames_, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString& name, const QString&, const QString& newOwner) {
            hostNameChanged(name, newOwner);
          });
  listHostNames();
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
    watcherSaysHost_ = !reply.isError() && reply.value().variant().toBool();
    update();
    call->deleteLater();
  });
}

void StatusNotifierHosts::watcherChanged(bool there) {
  if (!there) {
    watcherSaysHost_ = false;
    update();
    return;
  }
  // A new watcher may belong to a desktop whose hosts go by other names: what
  // counts from now on is the host names on the bus now and later.
  hostSeen_ = !hosts_.isEmpty();
  ask();
}

// Asked once the name watch is in place: the answer holds every change of
// owner that the bus has reported before it, and later ones come after it.
void StatusNotifierHosts::listHostNames() {
  const QDBusMessage question = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
  auto* pending = new QDBusPendingCallWatcher(hostNames_.connection().asyncCall(question), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<QStringList> reply = *call;
    hosts_.clear();
    if (!reply.isError()) {
      for (const QString& name : reply.value())
        if (isHostName(name)) hosts_.insert(name);
    }
    hostSeen_ = hostSeen_ || !hosts_.isEmpty();
    hostNamesListed_ = true;
    update();
    call->deleteLater();
  });
}

void StatusNotifierHosts::hostNameChanged(const QString& name, const QString& newOwner) {
  if (!isHostName(name)) return;
  if (newOwner.isEmpty()) {
    hosts_.remove(name);
  } else {
    hosts_.insert(name);
    hostSeen_ = true;
  }
  update();
}

void StatusNotifierHosts::update() {
  if (!watcherSaysHost_.has_value() || !hostNamesListed_) return;
  answer(*watcherSaysHost_ && (!hosts_.isEmpty() || !hostSeen_));
}

void StatusNotifierHosts::answer(bool present) {
  const bool changedNow = !known_ || present != present_;
  known_ = true;
  present_ = present;
  if (changedNow) emit changed();
}

}  // namespace vantrel::ui
