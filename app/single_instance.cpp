#include "app/single_instance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <utility>

namespace vantrel::app {

namespace {

const QString kName = QStringLiteral("org.vantrel.Vantrel");
const QString kPath = QStringLiteral("/org/vantrel/Vantrel");

}  // namespace

SingleInstance::SingleInstance(std::function<void(const QString& action)> activate, QObject* parent)
    : QObject(parent), activate_(std::move(activate)) {}

bool SingleInstance::handOverToRunningCopy(const QString& action) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QDBusConnectionInterface* daemon = bus.interface();
  if (!bus.isConnected() || !daemon) return false;

  // The object first, so that it answers from the moment the name is ours.
  bus.registerObject(kPath, this, QDBusConnection::ExportScriptableSlots);
  const auto claimed = daemon->registerService(kName, QDBusConnectionInterface::DontQueueService,
                                               QDBusConnectionInterface::DontAllowReplacement);
  if (claimed.isValid() && claimed.value() == QDBusConnectionInterface::ServiceRegistered)
    return false;
  bus.unregisterObject(kPath);

  QDBusMessage activate = QDBusMessage::createMethodCall(
      kName, kPath, QStringLiteral("org.freedesktop.Application"),
      action.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("ActivateAction"));
  if (!action.isEmpty()) activate << action << QVariant::fromValue(QVariantList());
  activate << QVariantMap();
  // A copy that does not answer in time is no use to the user: run this one.
  const QDBusMessage reply = bus.call(activate, QDBus::Block, 5000);
  return reply.type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::Activate(const QVariantMap&) {
  activate_({});
}

void SingleInstance::ActivateAction(const QString& name, const QVariantList&, const QVariantMap&) {
  activate_(name);
}

}  // namespace vantrel::app
