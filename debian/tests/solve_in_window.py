#!/usr/bin/python3
"""Solves a hand with the installed desktop program, as a person would.

Run by desktop-solves-a-hand inside an X server and a session bus of their
own. Starts openbox and the accessibility bus, then vantrel; types 3 3 8 8
into the four boxes with real keystrokes, presses 开始计算 through AT-SPI,
reads the result list back, closes the window with Alt+F4 and expects the
program to end with status 0. Every program started here is stopped here.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

HAND = ("3", "3", "8", "8")
ANSWER = ["8 / (3 - 8 / 3)", "共有1种算法！"]
BOXES = ("第一个数", "第二个数", "第三个数", "第四个数")


class Failure(Exception):
    pass


pyatspi = None  # imported once the accessibility bus is up


def wait_until(probe, what, timeout=10.0):
    """Polls probe, pumping AT-SPI's events, until it returns something true."""
    deadline = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        try:
            value = probe()
        except GLib.GError:
            value = None  # an accessible object gone as we look
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        while context.iteration(False):
            pass
        time.sleep(0.05)


def output(*command):
    return subprocess.run(command, capture_output=True, text=True, check=False).stdout


def xdotool(*args):
    subprocess.run(("xdotool",) + args, check=True)


def has_owner(bus, name):
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                          "NameHasOwner", GLib.Variant("(s)", (name,)), None,
                          Gio.DBusCallFlags.NONE, -1, None)
    return reply.unpack()[0]


def application(program):
    if program.poll() is not None:
        raise Failure(f"vantrel ended with status {program.returncode} before its window showed")
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


def controls(app):
    """The main window's controls by accessible name, once it has them all."""
    for frame in app:
        if frame is not None and frame.name == "Vantrel":
            found = {child.name: child for child in frame}
            if all(name in found for name in BOXES + ("开始计算", "结果")):
                return found
    return None


def rows(list_box):
    return [list_box.getChildAtIndex(i).name for i in range(list_box.childCount)]


def solve(program):
    app = wait_until(lambda: application(program), "vantrel on the accessibility bus")
    c = wait_until(lambda: controls(app), "the main window's controls")
    window = wait_until(lambda: output("xdotool", "search", "--onlyvisible", "--name", "^Vantrel$"),
                        "the window Vantrel").split()[0]
    # The keystrokes go to the active window: have openbox activate it, and
    # wait for the program to put the focus in the first box.
    xdotool("windowactivate", "--sync", window)
    wait_until(lambda: c[BOXES[0]].getState().contains(pyatspi.STATE_FOCUSED),
               "the focus in the first box")
    xdotool("type", "--delay", "20", "\t".join(HAND))
    typed = lambda: tuple(c[name].queryText().getText(0, -1) for name in BOXES)
    wait_until(lambda: typed() == HAND, f"{' '.join(HAND)} in the boxes")
    print(f"typed {' '.join(HAND)}")
    c["开始计算"].queryAction().doAction(0)
    wait_until(lambda: rows(c["结果"]) == ANSWER, f"the list to show {ANSWER}")
    print(f"the list shows {rows(c['结果'])}")

    xdotool("windowactivate", "--sync", window, "key", "alt+F4")
    try:
        status = program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("vantrel still running 10 s after Alt+F4")
    if status != 0:
        raise Failure(f"vantrel ended with status {status}")
    print("closed with Alt+F4; status 0")


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    runtime = tempfile.mkdtemp(prefix="vantrel-runtime.")
    os.environ["XDG_RUNTIME_DIR"] = runtime
    # The window in its own language, Simplified Chinese, whose names the
    # test looks for, whatever the testbed's language.
    for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "AT_SPI_BUS_ADDRESS", "LANGUAGE", "LC_ALL",
                 "LC_MESSAGES"):
        os.environ.pop(name, None)
    os.environ["LANG"] = "C.UTF-8"
    started = []
    try:
        started.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher",
                                         "--launch-immediately"]))
        bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        wait_until(lambda: has_owner(bus, "org.a11y.Bus"), "the accessibility bus")
        global pyatspi
        import pyatspi
        # Ready once it runs its start-up command: a window that asks to be
        # shown while openbox is still starting may never be.
        ready = os.path.join(runtime, "openbox-ready")
        started.append(subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"]))
        wait_until(lambda: os.path.exists(ready), "openbox")
        program = subprocess.Popen(["vantrel"],
                                   env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        started.append(program)
        solve(program)
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}")
        print(output("xprop", "-root", "_NET_ACTIVE_WINDOW").strip())
        return 1
    finally:
        for process in reversed(started):
            stop(process)
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
