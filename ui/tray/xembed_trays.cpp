#include "ui/tray/xembed_trays.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vantrel::ui {

namespace {

// The screen of the display the program runs on (the n of ":0.n").
int screenNumber() {
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (!xcb_parse_display(nullptr, &host, &display, &screen)) screen = 0;
  std::free(host);
  return screen;
}

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

XEmbedTrays::XEmbedTrays(QObject* parent) : QObject(parent) {
  // (The offscreen platform answers as X11 too, without a connection.)
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  connection_ = x11 ? x11->connection() : nullptr;
  if (!connection_) return;
  const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber());
  selection_ = internAtom(selection.constData());
  manager_ = internAtom("MANAGER");
  // Qt asks the X server for the root window's structure events already,
  // which brings the MANAGER messages.
  QCoreApplication::instance()->installNativeEventFilter(this);
  findOwner();
}

XEmbedTrays::~XEmbedTrays() {
  if (connection_) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::uint32_t XEmbedTrays::internAtom(const char* name) const {
  const auto cookie =
      xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr),
                                                &std::free);
  return reply ? reply->atom : 0;
}

// Finds the tray's window and asks for its destruction to be reported. A tray
// that goes in between leaves an error instead, and the owner is asked for
// again.
void XEmbedTrays::findOwner() {
  const std::uint32_t before = owner_;
  std::uint32_t owner = 0;
  for (int attempt = 0; attempt < 3 && !owner; ++attempt) {
    const ReplyPtr<xcb_get_selection_owner_reply_t> selection(
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_),
                                      nullptr),
        &std::free);
    if (!selection || selection->owner == 0) break;
    // Added to what Qt, on the same connection, may be listening for there.
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, selection->owner), nullptr),
        &std::free);
    if (!attributes) continue;
    const std::uint32_t events = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    const ReplyPtr<xcb_generic_error_t> error(
        xcb_request_check(connection_,
                          xcb_change_window_attributes_checked(connection_, selection->owner,
                                                               XCB_CW_EVENT_MASK, &events)),
        &std::free);
    if (!error) owner = selection->owner;
  }
  owner_ = owner;
  if (owner_ != before) emit changed();
}

bool XEmbedTrays::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7F) {
    case XCB_CLIENT_MESSAGE: {
      const auto* client = static_cast<const xcb_client_message_event_t*>(message);
      if (client->type == manager_ && client->format == 32 && client->data.data32[1] == selection_)
        findOwner();
      break;
    }
    case XCB_DESTROY_NOTIFY:
      if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == owner_) findOwner();
      break;
    default:
      break;
  }
  return false;  // Qt sees every event as well
}

}  // namespace vantrel::ui
