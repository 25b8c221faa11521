#pragma once

#include <QObject>
#include <QVariantMap>
#include <functional>

namespace vantrel::app {

// One copy of the program per user session. The first copy owns the desktop
// id org.vantrel.Vantrel as its name on the session bus and answers
// org.freedesktop.Application's Activate and ActivateAction there; a copy
// started after it finds the name taken and passes its request to the first
// instead: to come to the front, or an action of the desktop entry such as
// "practice". Without a session bus every copy runs on its own.
class SingleInstance : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  // activate: what the first copy does when a later one asks for it, with
  // the name of the action asked for, or an empty one to come to the front.
  explicit SingleInstance(std::function<void(const QString& action)> activate,
                          QObject* parent = nullptr);

  // Where a copy that runs already holds the name, passes it the request
  // (the action, or to come to the front when empty) and returns true: this
  // copy has nothing more to do. Otherwise takes the name for this copy.
  bool handOverToRunningCopy(const QString& action = {});

 public slots:
  // What org.freedesktop.Application asks for; the platform data (a startup
  // id or an activation token) is not used.
  Q_SCRIPTABLE void Activate(const QVariantMap& platformData);
  // An action of the desktop entry; it takes no parameter.
  Q_SCRIPTABLE void ActivateAction(const QString& name, const QVariantList& parameter,
                                   const QVariantMap& platformData);

 private:
  std::function<void(const QString& action)> activate_;
};

}  // namespace vantrel::app
