#!/usr/bin/python3
"""A StatusNotifierItem watcher and host, as a desktop panel offers one.

    sni_watcher.py           a panel: the watcher and its host in one process
    sni_watcher.py --host    a host alone, as KDE Plasma's panel is one: it owns
                             org.kde.StatusNotifierHost-<pid>

The watcher owns org.kde.StatusNotifierWatcher on the session bus, always says
that a host is registered and never that one went, and keeps the items that
register with it. Beside hosts started with --host it is what KDE Plasma has:
a watcher in a daemon of its own, which stays when the host goes and sends
nothing then. Each runs until it is stopped (SIGTERM) or killed, which is what
a panel that crashes or restarts looks like to the items. Items are read and
driven by the test itself (e2e_driver.py).
"""

import os
import signal
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
INTERFACE = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""

items = []


def on_call(connection, sender, path, interface, method, args, invocation):
    if method == "RegisterStatusNotifierItem":
        (service,) = args.unpack()
        # An item names its bus name, or only its object path on the sender.
        item = sender + service if service.startswith("/") else service
        if item not in items:
            items.append(item)
            connection.emit_signal(None, path, interface, "StatusNotifierItemRegistered",
                                   GLib.Variant("(s)", (item,)))
    invocation.return_value(None)


def on_get(connection, sender, path, interface, name):
    return {
        "RegisteredStatusNotifierItems": GLib.Variant("as", items),
        "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
        "ProtocolVersion": GLib.Variant("i", 0),
    }[name]


def on_name_lost(connection, name):
    sys.exit(f"sni_watcher: {name} is taken")


def forget_items_that_leave(connection, sender, path, interface, signal_name, args):
    name, _, new_owner = args.unpack()
    if not new_owner:
        items[:] = [item for item in items if not item.startswith(name)]


def main():
    connection = Gio.bus_get_sync(Gio.BusType.SESSION)
    if sys.argv[1:] == ["--host"]:
        name = f"org.kde.StatusNotifierHost-{os.getpid()}"
    else:
        name = WATCHER
        node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
        connection.register_object("/StatusNotifierWatcher", node.interfaces[0], on_call, on_get, None)
        connection.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                                    "/org/freedesktop/DBus", None, Gio.DBusSignalFlags.NONE,
                                    forget_items_that_leave)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(connection, name, Gio.BusNameOwnerFlags.DO_NOT_QUEUE,
                                   lambda *_: print("ready", flush=True), on_name_lost)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
