#pragma once

#include <QObject>
#include <QVariantMap>
#include <functional>

namespace vantrel::app {

// One copy of the program per user session. The first copy owns the desktop
// id org.vantrel.Vantrel as its name on the session bus and answers
// org.freedesktop.Application.Activate there; a copy started after it finds
// the name taken and asks the first to come to the front instead. Without a
// session bus every copy runs on its own.
class SingleInstance : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  // activate: what the first copy does when a later one asks for it.
  explicit SingleInstance(std::function<void()> activate, QObject* parent = nullptr);

  // Where a copy that runs already holds the name, asks it to come to the
  // front and returns true: this copy has nothing more to do. Otherwise takes
  // the name for this copy.
  bool handOverToRunningCopy();

 public slots:
  // What org.freedesktop.Application asks for; the platform data (a startup
  // id or an activation token) is not used.
  Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

 private:
  std::function<void()> activate_;
};

}  // namespace vantrel::app
