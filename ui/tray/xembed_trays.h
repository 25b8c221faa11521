#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

struct xcb_connection_t;

namespace vantrel::ui {

// Whether an X11 system tray (the XEmbed kind: trayer, stalonetray, older
// panels) is there. Such a tray owns the selection _NET_SYSTEM_TRAY_Sn of the
// screen, announces itself with a MANAGER message on the root window when it
// starts, and its window is destroyed when it goes. Outside X11 there is none.
class XEmbedTrays : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit XEmbedTrays(QObject* parent = nullptr);
  ~XEmbedTrays() override;

  bool present() const { return owner_ != 0; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  void changed();

 private:
  std::uint32_t internAtom(const char* name) const;
  void findOwner();

  xcb_connection_t* connection_ = nullptr;
  std::uint32_t selection_ = 0;  // _NET_SYSTEM_TRAY_Sn
  std::uint32_t manager_ = 0;    // MANAGER
  std::uint32_t owner_ = 0;      // the tray's window; 0 while there is no tray
};

}  // namespace vantrel::ui
