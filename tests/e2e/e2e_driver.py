#!/usr/bin/python3
"""Uses Vantrel in a real desktop session as a person would, and reads it back.

run_e2e.sh starts the session (a session bus, Xvfb, openbox, the accessibility
bus) and runs this script inside it with the name of a scenario:

    e2e_driver.py SCENARIO VANTREL VANTREL_SOLVE OUTPUT_DIR

  xembed   an X11 tray (trayer) up before the program, and a Wayland compositor
           beside X11, as XWayland sessions have: the program runs on X11 and
           is used through all of its window: typing, solving, the check box,
           the Readme window, the tray and its menu, tray clicks in a row, and
           both ways to end it.
  sni      a StatusNotifierItem panel that starts after the program, goes away
           while the window is hidden in it and comes back; the same with only
           the panel's host going and the watcher staying, as on KDE Plasma;
           a second start of the program; all at twice the scale.
  wayland  a Wayland-only session (weston) with a StatusNotifierItem panel.
  orca     the Orca screen reader, and a hand solved by keyboard alone: what
           Orca speaks for each key press.
  practice vantrel --practice with a seeded deck and Orca: answers typed and
           heard, a hint, a second start, statistics across a restart.
  language-en, language-zh_TW
           the program in English or Traditional Chinese, with Orca and an
           X11 tray: a hand solved by keyboard, Qt's own menu of a text box,
           the Readme window, the tray menu and the About box.

Input is real: xdotool keystrokes and clicks, AT-SPI actions, and the calls a
panel makes over D-Bus. What the program shows is read back through AT-SPI,
xprop, xwininfo and D-Bus, and what it says through Orca's debug file. Every
program started here is stopped here, whatever happens.

Two variables of the environment let the xembed scenario run under a checker
such as valgrind: VANTREL_E2E_WRAPPER, a command line that the program is
started under (the wrapper must keep the program's process id, as valgrind
does, and fails the test through the program's exit status), and
VANTREL_E2E_TIME_SCALE, a factor for every time-out, since a program under
such a checker runs many times slower. VANTREL_E2E_TOGGLES sets how many tray
clicks in a row the xembed scenario makes (10 by default).
"""

import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402  (after the version is chosen)
from gi.repository import Atspi, Gio, GLib  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
WRAPPER = shlex.split(os.environ.get("VANTREL_E2E_WRAPPER", ""))
TIME_SCALE = float(os.environ.get("VANTREL_E2E_TIME_SCALE") or 1)
TOGGLES = int(os.environ.get("VANTREL_E2E_TOGGLES") or 10)

# A call to the program over the accessibility bus fails after 0.8 s by
# default, which a program under valgrind on a busy machine does not always
# meet; these limits only ever end a failing run.
Atspi.set_timeout(int(5000 * TIME_SCALE), int(30000 * TIME_SCALE))

TITLE = "Vantrel"
MISSING_INPUT = "请输入4个数字！"
ABOUT_TITLE = "关于 Vantrel"

# Hands to solve, compared with vantrel-solve line by line: a repeated number,
# the classic with a fraction on the way, no solution at all, two-digit numbers,
# and a hand with some sixty lines.
HANDS = [
    ("1", "2", "9", "1"),
    ("3", "3", "8", "8"),
    ("1", "1", "1", "1"),
    ("10", "10", "4", "4"),
    ("1", "2", "3", "4"),
]


class Failure(Exception):
    pass


def check(condition, expected, got):
    """Fails the step unless condition holds, saying first what was expected,
    then what there was (got: a text, or a function that tells it)."""
    if not condition:
        raise Failure(f"expected {expected}; got {got() if callable(got) else got}")


def wait_until(probe, expected, timeout=5.0, got=None):
    """Polls probe until it returns something true, and returns that. On a
    time-out the failure says what was expected and what there was in the
    end: got() when given, else that it never came."""
    limit = timeout * TIME_SCALE
    deadline = time.monotonic() + limit
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            seen = (got() if callable(got) else got) or "nothing of the kind"
            raise Failure(f"expected {expected} within {limit:g} s; got {seen}")
        pump_events(0.02)


def log(message):
    print(f"e2e: {message}", file=sys.stderr, flush=True)


# --- X ------------------------------------------------------------------------

def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=False).stdout


def xdotool(*args):
    subprocess.run(("xdotool",) + args, check=True, capture_output=True)


def visible_windows(name):
    """The viewable windows of that title that the window manager manages.
    Menus and tooltips, which bypass it, are left out: Qt gives those of them
    that have no title of their own the program's name, so the tray icon's
    tooltip, say, would pass for the main window."""
    return [window for window in run("xdotool", "search", "--onlyvisible", "--name", f"^{name}$").split()
            if "Override Redirect State: no" in run("xwininfo", "-id", window)]


def the_window(name):
    """The one visible window of that title; its X id may change over a restore."""
    ids = wait_until(lambda: visible_windows(name), f"a visible window {name!r}", got="no such window")
    check(len(ids) == 1, f"one window {name!r}", f"{len(ids)}: {ids}")
    return ids[0]


def net_wm_state(window):
    return set(re.findall(r"_NET_WM_STATE_\w+", run("xprop", "-id", window, "_NET_WM_STATE")))


def wm_property(window, name):
    return run("xprop", "-id", window, name)


def window_info(window):
    """Client-area position and size, and map state, as xwininfo reports them."""
    result = subprocess.run(("xwininfo", "-id", window), capture_output=True, text=True, check=False)
    text = result.stdout
    if "Width:" not in text:
        raise Failure(f"expected window {window} to exist; got from xwininfo: {result.stderr.strip()}")
    number = lambda label: int(re.search(label + r":\s+(-?\d+)", text).group(1))
    return {
        "x": number("Absolute upper-left X"),
        "y": number("Absolute upper-left Y"),
        "width": number("Width"),
        "height": number("Height"),
        "viewable": "IsViewable" in text,
    }


def centre_of_window(window):
    info = window_info(window)
    return info["x"] + info["width"] // 2, info["y"] + info["height"] // 2


def active_window():
    match = re.search(r"window id # (0x[0-9a-f]+)", run("xprop", "-root", "_NET_ACTIVE_WINDOW"))
    return int(match.group(1), 16) if match else None


def stacking_order():
    text = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
    return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", text)]


def tray_icon(pid):
    """The program's icon in trayer: its viewable 22 × 22 override window."""
    for window in run("xdotool", "search", "--pid", str(pid)).split():
        if "_KDE_NET_WM_WINDOW_TYPE_OVERRIDE" in wm_property(window, "_NET_WM_WINDOW_TYPE"):
            if window_info(window)["viewable"]:
                return window
    return None


_last_tray_click = 0.0


def click_tray(tray, button):
    """Clicks the tray icon. Two clicks of a button closer together than the
    double-click interval make a double click, which is neither a left click
    nor a menu request: keep them apart, as a person does."""
    global _last_tray_click
    pause = 0.5 - (time.monotonic() - _last_tray_click)
    if pause > 0:
        time.sleep(pause)
    xdotool("mousemove", "--window", tray, "8", "8", "click", str(button))
    _last_tray_click = time.monotonic()


def click_at(x, y, button=1):
    xdotool("mousemove", str(x), str(y), "click", str(button))


def screenshot(target, path):
    subprocess.run(["import", "-window", target, path], check=True, capture_output=True)
    size = os.path.getsize(path)
    check(size > 1000, f"a screenshot in {path}", f"a file of {size} bytes")
    log(f"screenshot written: {path}")


# --- AT-SPI -------------------------------------------------------------------

def pump_events(seconds):
    """Runs the GLib loop that AT-SPI events arrive on, for a while."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= deadline:
            return
        time.sleep(0.01)


def application(pid):
    def probe():
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.GError:
                continue  # an application leaving as we look
        return None
    return wait_until(probe, f"process {pid} on the accessibility bus", timeout=10,
                      got="no application of that process")


def top_level(app, role, name):
    def probe():
        for window in app:
            if window is not None and window.getRoleName() == role and window.name == name:
                return window
        return None
    return wait_until(probe, f"the {role} {name!r} on the accessibility bus",
                      got=lambda: [(w.getRoleName(), w.name) for w in app if w is not None])


def has_state(accessible, state):
    return accessible.getState().contains(state)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def rows_of(list_box):
    return [list_box.getChildAtIndex(i).name for i in range(list_box.childCount)]


def centre(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(accessible):
    click_at(*centre(accessible))


class PopupMenus:
    """Finds each pop-up menu as it shows: AT-SPI reports pop-up menus by event
    only, not as children of the application."""

    def __init__(self):
        self.shown = []
        pyatspi.Registry.registerEventListener(self._on_event, "object:state-changed:showing")

    def _on_event(self, event):
        try:
            if event.detail1 == 1 and event.source.getRoleName() == "popup menu":
                self.shown.append(event.source)
        except GLib.GError:
            pass  # a menu gone again before we could look

    @staticmethod
    def items(menu):
        """name → enabled; empty while the menu is still filling in."""
        try:
            return {item.name: has_state(item, pyatspi.STATE_ENABLED) for item in menu
                    if item is not None and item.getRoleName() == "menu item"}
        except GLib.GError:
            return {}

    def open_from_tray(self, tray):
        """Right-clicks the tray icon and returns the menu and its items once
        the menu is on the screen. A program under valgrind on a busy machine
        sometimes reports a menu that is gone again a moment later (or reports
        it late, after the last opening): a person would click again, and so
        does this, up to three times."""
        for attempt in range(3):
            self.shown.clear()
            click_tray(tray, 3)
            items = wait_until(lambda: self.shown and self.items(self.shown[-1]),
                               "the tray menu to show with its items", got="no menu")
            menu = self.shown[-1]
            try:
                wait_until(lambda: self.on_screen(menu), "the tray menu on the screen", timeout=0.5)
                return menu, items
            except Failure:
                log(f"  the tray menu was not on the screen after right-click {attempt + 1}")
        raise Failure("expected the tray menu on the screen after a right-click on the icon; "
                      "got no menu there after three")

    def opened(self, how, *command):
        """Runs the command that opens a menu (a right click, a key), and
        returns the menu and its items once it is on the screen."""
        self.shown.clear()
        subprocess.run(command, check=True, capture_output=True)
        items = wait_until(lambda: self.shown and self.items(self.shown[-1]),
                           f"a menu to show with its items after {how}", got="no menu")
        menu = self.shown[-1]
        wait_until(lambda: self.on_screen(menu), f"the menu on the screen after {how}", got="it not there")
        return menu, items

    @staticmethod
    def showing(menu):
        try:
            return has_state(menu, pyatspi.STATE_SHOWING)
        except GLib.GError:
            return False

    @classmethod
    def on_screen(cls, menu):
        try:
            return cls.showing(menu) and menu.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width > 0
        except GLib.GError:
            return False

    def close(self, menu):
        """Esc, as often as it takes: a key pressed in the moment before the menu
        holds the keyboard goes to another window."""
        for _ in range(5):
            xdotool("key", "Escape")
            try:
                return wait_until(lambda: not self.showing(menu), "the menu closed", timeout=0.5)
            except Failure:
                pass
        raise Failure("expected the tray menu to close on Esc; got it still showing after 5 presses")

    def choose(self, menu, prefix):
        """Clicks the menu item whose name starts with prefix, once the menu
        has settled where it shows: Qt may still move a menu that has just
        opened at the edge of the screen, and a click where it was closes it
        without choosing anything."""
        for item in menu:
            if item is not None and item.name.startswith(prefix):
                where = [None]

                def settled():
                    before, where[0] = where[0], centre(item)
                    pump_events(0.1 * TIME_SCALE)
                    return before == where[0] == centre(item) and self.on_screen(menu)
                wait_until(settled, f"the menu item {prefix} to stay in one place on the screen",
                           got=lambda: f"it at {where[0]}, the menu on the screen: {self.on_screen(menu)}")
                click_at(*where[0])
                wait_until(lambda: not self.showing(menu), f"the menu closed after {prefix}",
                           got="the menu still showing")
                return
        raise Failure(f"expected an item {prefix} in the menu; got {[item.name for item in menu]}")


# --- the desktop's parts that come and go -------------------------------------

class Helper:
    """A program of the desktop (a tray, a panel, a compositor), started by the
    test, ready when ready() says so, and stopped by the test."""

    def __init__(self, command, ready, what, **options):
        self.what = what
        self.process = subprocess.Popen(command, **options)
        try:
            wait_until(lambda: self.process.poll() is not None or ready(self), f"{what} ready",
                       timeout=10, got="it not ready")
            check(self.process.poll() is None, f"{what} running",
                  lambda: f"it ended with status {self.process.poll()}")
        except Failure:
            self.stop()
            raise

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=3)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def start_trayer():
    return Helper(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                   "--height", "24"],
                  lambda helper: run("xdotool", "search", "--pid", str(helper.process.pid)).strip(),
                  "trayer", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start_weston():
    """A Wayland compositor without a screen, on a socket of its own."""
    socket = f"vantrel-{os.getpid()}"
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], socket)
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    weston = Helper(["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={socket}",
                     "--idle-time=0"],
                    lambda helper: os.path.exists(path), "weston", env=env,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    weston.socket = socket
    return weston


def session_bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION)


def bus_call(name, path, interface, method, args=None, reply=None):
    result = session_bus().call_sync(name, path, interface, method, args,
                                     GLib.VariantType(reply) if reply else None,
                                     Gio.DBusCallFlags.NONE, int(5000 * TIME_SCALE))
    return result.unpack() if result is not None else None


def bus_property(name, path, interface, prop):
    return bus_call(name, path, "org.freedesktop.DBus.Properties", "Get",
                    GLib.Variant("(ss)", (interface, prop)), "(v)")[0]


def start_panel(*options, what="the StatusNotifierItem panel"):
    """A StatusNotifierItem panel (sni_watcher.py): the watcher and a host, or
    with --host a host alone."""
    def ready(helper):
        return helper.process.stdout.readline().strip() == "ready"
    return Helper(["/usr/bin/python3", os.path.join(HERE, "sni_watcher.py"), *options], ready, what,
                  stdout=subprocess.PIPE, text=True)


class StatusNotifierItem:
    """The program's icon as a panel sees it, and the calls a panel makes: a
    click (Activate), and the menu over com.canonical.dbusmenu."""

    WATCHER = "org.kde.StatusNotifierWatcher"
    ITEM = "org.kde.StatusNotifierItem"
    MENU = "com.canonical.dbusmenu"

    def __init__(self, pid):
        self.name, self.path = wait_until(
            lambda: self._registered_by(pid), "the program's icon registered with the panel",
            got=lambda: f"no item of process {pid} among {self._registered()}")

    @classmethod
    def _registered(cls):
        try:
            return bus_property(cls.WATCHER, "/StatusNotifierWatcher", cls.WATCHER,
                                "RegisteredStatusNotifierItems")
        except GLib.Error:
            return []  # the panel is not there

    @classmethod
    def _registered_by(cls, pid):
        for item in cls._registered():
            name, _, path = item.partition("/")
            try:
                owner = bus_call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)), "(u)")[0]
            except GLib.Error:
                continue
            if owner == pid:
                return name, "/" + (path or "StatusNotifierItem")
        return None

    def prop(self, name):
        return bus_property(self.name, self.path, self.ITEM, name)

    def activate(self):
        bus_call(self.name, self.path, self.ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))

    def menu_items(self):
        """label → (id, enabled), after the menu was told that it opens."""
        menu = self.prop("Menu")
        bus_call(self.name, menu, self.MENU, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
        _, (_, _, children) = bus_call(self.name, menu, self.MENU, "GetLayout",
                                       GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")
        return {props["label"]: (ident, props.get("enabled", True))
                for ident, props, _ in children if props.get("type") != "separator"}

    def check_menu(self, restore_enabled, when):
        items = self.menu_items()
        labels = list(items)
        check([label[:2] for label in labels] == ["恢复", "练习", "关于", "退出"],
              "the tray menu's items 恢复, 练习, 关于, 退出", labels)
        check(items[labels[0]][1] == restore_enabled,
              f"恢复(&R) {'enabled' if restore_enabled else 'disabled'} {when}", items)
        return items

    def choose(self, prefix):
        for label, (ident, _) in self.menu_items().items():
            if label.startswith(prefix):
                bus_call(self.name, self.prop("Menu"), self.MENU, "Event",
                         GLib.Variant("(isvu)", (ident, "clicked", GLib.Variant("s", ""), 0)))
                return
        raise Failure(f"expected an item {prefix} in the menu; got {list(self.menu_items())}")


class ScreenReader(Helper):
    """Orca, with settings of its own and no speech server: what it would
    speak, key echo included, is read from its debug file, which it writes
    line by line. Orca runs once per user: another Orca of this user makes it
    refuse to start."""

    CUSTOMIZATIONS = (
        "# Written by the end-to-end test.\n"
        "from orca import debug, settings\n"
        "# Each line as it is written, not in blocks of 8 KB.\n"
        "if debug.debugFile:\n"
        "    debug.debugFile.reconfigure(line_buffering=True)\n"
        "# No speech server: Orca still logs what it would speak.\n"
        "settings.speechServerFactory = None\n"
        "settings.speechFactoryModules = []\n")
    # The text, then a voice, if any, and the voice's settings.
    SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)' ?(?:voice=\w+)?\{.*\}$")

    def __init__(self, out):
        check(shutil.which("orca"), "orca installed", "none on PATH (script/setup test installs it)")
        others = run("pgrep", "-u", str(os.getuid()), "-x", "orca").split()
        check(not others, "no other Orca of this user, which would make ours refuse to start",
              f"Orca running as {', '.join(others)}: stop it first")
        prefs = os.path.join(os.environ["XDG_RUNTIME_DIR"], "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w", encoding="utf-8") as file:
            file.write(self.CUSTOMIZATIONS)
        self.debug_file = os.path.join(out, "orca-debug.out")
        if os.path.exists(self.debug_file):
            os.remove(self.debug_file)
        self._offset = 0  # in the debug file, after the last whole line read
        self._spoken = []
        self._started = False
        # Its own role words in English, whatever the caller's language.
        env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", LANGUAGE="")
        with open(os.path.join(out, "orca-output.txt"), "w") as output:
            super().__init__(["orca", "-u", prefs, "--debug-file", self.debug_file],
                             lambda _: self._follow() or self._started, "Orca",
                             env=env, stdout=output, stderr=subprocess.STDOUT)
        self.mark()

    def _follow(self):
        """Reads what Orca has written since the last call."""
        try:
            with open(self.debug_file, "rb") as file:
                file.seek(self._offset)
                new = file.read()
        except FileNotFoundError:
            return
        new = new[:new.rfind(b"\n") + 1]
        self._offset += len(new)
        for line in new.decode("utf-8", errors="replace").splitlines():
            self._started = self._started or "ORCA: Starting registry" in line
            match = self.SPEECH.search(line)
            if match:
                self._spoken.append(match.group(1).strip())

    def mark(self):
        """From here on, what heard() returns."""
        self._follow()
        self._mark = len(self._spoken)

    def heard(self):
        """What Orca has spoken since the mark, one utterance an item."""
        self._follow()
        return self._spoken[self._mark:]


# --- the test -----------------------------------------------------------------

class Session:
    """One run of the program. environment: variables to set, or with None to
    remove, for it."""

    def __init__(self, vantrel, solve, out, environment=None, wrapped=False, arguments=()):
        self.vantrel = vantrel
        self.solve = solve
        self.out = out
        self.env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name, value in (environment or {}).items():
            if value is None:
                self.env.pop(name, None)
            else:
                self.env[name] = value
        self.menus = PopupMenus()
        self.process = subprocess.Popen([*(WRAPPER if wrapped else []), vantrel, *arguments], env=self.env)
        self.pid = self.process.pid

    def controls(self):
        frame = top_level(self.app, "filler", TITLE)
        return {child.name: child for child in frame}

    def boxes(self):
        return [self.c[name] for name in ("第一个数", "第二个数", "第三个数", "第四个数")]

    def box_texts(self):
        return [text_of(box) for box in self.boxes()]

    def expected_lines(self, hand):
        result = subprocess.run([self.solve, *hand], capture_output=True, text=True, check=True)
        return result.stdout.splitlines()

    def wait_for_rows(self, expected, what):
        list_box = self.c["结果"]
        def shown():
            rows = rows_of(list_box)
            return f"{len(rows)} lines {rows[:5]}..."
        wait_until(lambda: rows_of(list_box) == expected,
                   f"{what}: vantrel-solve's {len(expected)} lines {expected[:5]}...", got=shown)
        return expected

    def focused(self):
        """What has the focus in the main window, for failure messages."""
        names = [name for name, control in self.c.items() if has_state(control, pyatspi.STATE_FOCUSED)]
        return f"the focus in {names[0]}" if names else "no control of the main window focused"

    def on_top(self, above, expected=None):
        what = expected or f"the main window {'on top' if above else 'not on top'}"
        wait_until(lambda: ("_NET_WM_STATE_ABOVE" in net_wm_state(self.window)) == above, what,
                   got=lambda: f"_NET_WM_STATE {sorted(net_wm_state(self.window))}")

    def main_window_active_again(self, expected="the main window active again"):
        wait_until(lambda: active_window() == int(self.window), f"{expected} ({self.window})",
                   got=lambda: f"active window {hex(active_window() or 0)}")

    def closes_readme_by_esc(self):
        xdotool("key", "Escape")
        wait_until(lambda: not visible_windows("Readme"), "the Readme window closed by Esc",
                   got="it still open")

    # Each step below is one thing a person does, with what they should see.

    def starts(self):
        self.window = the_window(TITLE)
        wm_class = wm_property(self.window, "WM_CLASS")
        check('"vantrel", "Vantrel"' in wm_class, 'WM_CLASS "vantrel", "Vantrel" as the desktop entry',
              wm_class.strip())
        info = window_info(self.window)
        check((info["width"], info["height"]) == (206, 262), "a client area of 206 × 262", info)
        self.app = application(self.pid)
        self.c = self.controls()
        wait_until(lambda: has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus in 编辑框a",
                   got=self.focused)
        self.tray = wait_until(lambda: tray_icon(self.pid), "the tray icon in trayer", got="none")

    def typing_keeps_only_digits(self):
        xdotool("type", "--delay", "15", "a1b2c")
        wait_until(lambda: text_of(self.c["第一个数"]) == "12", "12 in 编辑框a after typing a1b2c",
                   got=self.box_texts)
        check(self.box_texts() == ["12", "", "", ""], "boxes 12, -, -, -", self.box_texts)

    def enter_hand(self, hand):
        click(self.c["重新计算"])
        wait_until(lambda: self.box_texts() == ["", "", "", ""], "empty boxes after 重新计算",
                   got=self.box_texts)
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus in 编辑框a after 重新计算",
              self.focused)
        xdotool("type", "--delay", "15", "\t".join(hand))
        wait_until(lambda: self.box_texts() == list(hand), f"{list(hand)} in the boxes", got=self.box_texts)

    def solves(self, number, hand):
        self.enter_hand(hand)
        # A click with the mouse, or the button's action through AT-SPI.
        if number % 2 == 0:
            click(self.c["开始计算"])
        else:
            self.c["开始计算"].queryAction().doAction(0)
        expected = self.expected_lines(hand)
        self.wait_for_rows(expected, f"the list for {' '.join(hand)}")
        log(f"  {' '.join(hand)}: {len(expected)} lines, last {expected[-1]!r}")

    def empty_box_asks_for_four_numbers(self):
        self.enter_hand(("3", "3", "8", ""))
        click(self.c["开始计算"])
        self.wait_for_rows([MISSING_INPUT], "the missing-input line alone")
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus back in 编辑框a", self.focused)

        click(self.c["重新计算"])
        wait_until(lambda: self.box_texts() == ["", "", "", ""] and self.c["结果"].childCount == 0,
                   "empty boxes and an empty list after 重新计算",
                   got=lambda: f"boxes {self.box_texts()}, {self.c['结果'].childCount} lines")
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus in 编辑框a after 重新计算",
              self.focused)

    def check_box_sets_and_clears_above(self):
        check_box = self.c["窗口永远在上"]
        click(check_box)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(self.window), "_NET_WM_STATE_ABOVE set",
                   got=lambda: net_wm_state(self.window))
        check(has_state(check_box, pyatspi.STATE_CHECKED), "the check box checked", "it unchecked")
        click(check_box)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in net_wm_state(self.window),
                   "_NET_WM_STATE_ABOVE cleared", got=lambda: net_wm_state(self.window))
        check(not has_state(check_box, pyatspi.STATE_CHECKED), "the check box unchecked", "it checked")
        # The same X window all along: no flicker, no new window.
        check(visible_windows(TITLE) == [self.window], f"the window to keep its X id {self.window}",
              lambda: visible_windows(TITLE))

    def open_readme(self):
        click(self.c["Readme"])
        readme = the_window("Readme")
        dialog = top_level(self.app, "dialog", "Readme")
        labels = [child for child in dialog if child.getRoleName() == "label"]
        check(len(labels) == 1, "one label in the Readme window", len(labels))
        lines = labels[0].name.split("\n")
        check(len(lines) == 2 and "欢迎" in lines[0] and "Vantrel 团队" in lines[1] and "\r" not in labels[0].name,
              "the credit text on two lines", lines)
        info = window_info(readme)
        check((info["width"], info["height"]) == (195, 256), "a Readme client area of 195 × 256", info)
        state = net_wm_state(readme)
        check("_NET_WM_STATE_MODAL" in state, "the Readme window modal (_NET_WM_STATE_MODAL)", state)
        # Modal to the main window alone, which the window manager learns from
        # this: the tray icon stays usable meanwhile.
        transient_for = wm_property(readme, "WM_TRANSIENT_FOR")
        check(f"# {hex(int(self.window))}" in transient_for,
              f"the Readme window transient for the main window {self.window}", transient_for.strip())
        window_type = wm_property(readme, "_NET_WM_WINDOW_TYPE")
        check("_NET_WM_WINDOW_TYPE_UTILITY" in window_type, "the Readme window a tool window (UTILITY)",
              window_type.strip())
        return readme

    def readme_blocks_main_window(self):
        self.enter_hand(("1", "2", "9", "1"))
        click(self.c["开始计算"])
        rows = self.wait_for_rows(self.expected_lines(("1", "2", "9", "1")), "the list before Readme")

        readme = self.open_readme()
        check("_NET_WM_STATE_ABOVE" not in net_wm_state(readme), "Readme not on top with the box unchecked",
              lambda: net_wm_state(readme))
        # Clicks on the main window change nothing while the Readme window is open.
        for name in ("重新计算", "窗口永远在上", "第二个数"):
            click(self.c[name])
        xdotool("type", "7")
        pump_events(0.3 * TIME_SCALE)  # time for a fault to show
        check(rows_of(self.c["结果"]) == rows, f"the list kept while Readme is open ({len(rows)} lines)",
              lambda: f"{self.c['结果'].childCount} lines")
        check(self.box_texts() == ["1", "2", "9", "1"], "boxes 1 2 9 1 kept while Readme is open",
              self.box_texts)
        check(not has_state(self.c["窗口永远在上"], pyatspi.STATE_CHECKED),
              "the check box left unchecked while Readme is open", "it checked")
        check(visible_windows("Readme") == [readme], f"the Readme window {readme} still open",
              lambda: visible_windows("Readme"))

        # The close button at the right end of openbox's title bar.
        info = window_info(readme)
        top = int(wm_property(readme, "_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        click_at(info["x"] + info["width"] - 10, info["y"] - top // 2)
        wait_until(lambda: not visible_windows("Readme"), "the Readme window closed by its close button",
                   got="it still open")
        self.main_window_active_again()
        # And it takes input again.
        click(self.c["重新计算"])
        wait_until(lambda: self.c["结果"].childCount == 0, "an empty list from 重新计算 after Readme",
                   got=lambda: f"{self.c['结果'].childCount} lines")

    def readme_goes_to_the_tray_and_comes_back(self):
        """A left click on the tray icon while the Readme window is open hides
        both windows; the next brings both back, the Readme window in front of
        the main window and active, since the main window is of no use without
        it; and so every time. A click on the main window's title bar leaves
        the Readme window in front as well."""
        readme = self.open_readme()

        def readme_above():
            order = stacking_order()
            return (int(self.window) in order and int(readme) in order
                    and order.index(int(readme)) > order.index(int(self.window)))

        def both_shown():
            return f"shown: main window {visible_windows(TITLE)}, Readme {visible_windows('Readme')}"

        def front():
            return (f"main window {self.window}, Readme {readme}; stacking {stacking_order()}, "
                    f"active {active_window()}")

        for time_round in ("first", "second"):
            click_tray(self.tray, 1)
            wait_until(lambda: not visible_windows(TITLE) and not visible_windows("Readme"),
                       f"both windows hidden by a tray click, the {time_round} time", got=both_shown)
            pump_events(0.3 * TIME_SCALE)
            check(not visible_windows(TITLE) and not visible_windows("Readme"),
                  "both windows still hidden a moment later", both_shown)
            click_tray(self.tray, 1)
            self.window = the_window(TITLE)
            readme = the_window("Readme")
            wait_until(lambda: readme_above() and active_window() == int(readme),
                       "the Readme window in front of the restored main window, active", got=front)

        # Openbox gives the click to the main window and may leave no window
        # with the focus after it; what counts is that the Readme window stays
        # in front.
        info = window_info(self.window)
        top = int(wm_property(self.window, "_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        click_at(info["x"] + 40, info["y"] - top // 2)
        pump_events(0.3 * TIME_SCALE)
        wait_until(readme_above, "the Readme window in front after a click on the main window", got=front)

        click_at(*centre_of_window(readme))
        wait_until(lambda: active_window() == int(readme), "the Readme window active after a click on it",
                   got=front)
        self.closes_readme_by_esc()
        self.main_window_active_again()

    def every_tray_click_counts(self):
        """Left clicks on the tray icon in a row, a second apart as a person
        makes them: each hides the shown window or brings the hidden one back,
        and it stays so until the next click."""
        for n in range(1, TOGGLES + 1):
            hide = bool(visible_windows(TITLE))
            click_tray(self.tray, 1)
            what = f"click {n} of {TOGGLES}"
            now = "shown" if hide else "hidden"
            wait_until(lambda: bool(visible_windows(TITLE)) != hide, f"{what}: the window {now}",
                       got="no change")
            time.sleep(0.6 * TIME_SCALE)
            pump_events(0)
            check(bool(visible_windows(TITLE)) != hide, f"{what}: the window still {now} a moment later",
                  "the click undone again")
        if not visible_windows(TITLE):
            click_tray(self.tray, 1)
        self.window = the_window(TITLE)
        self.main_window_active_again("the restored window active")

    def readme_on_top_when_checked(self):
        click(self.c["窗口永远在上"])
        self.on_top(True)
        readme = self.open_readme()
        check("_NET_WM_STATE_ABOVE" in net_wm_state(readme), "Readme on top with the box checked",
              lambda: net_wm_state(readme))
        order = stacking_order()
        check(order.index(int(readme)) > order.index(int(self.window)),
              f"Readme {readme} above the main window {self.window}", f"stacking {order}")
        screenshot("root", os.path.join(self.out, "vantrel-readme.png"))
        self.closes_readme_by_esc()
        click(self.c["窗口永远在上"])
        self.on_top(False)

    def screenshot_of_results(self):
        self.enter_hand(("3", "3", "8", "8"))
        click(self.c["开始计算"])
        self.wait_for_rows(self.expected_lines(("3", "3", "8", "8")), "the list for the screenshot")
        screenshot(self.window, os.path.join(self.out, "vantrel.png"))

    def result_menu(self):
        """The list's context menu after 1 2 3 4, opened by a real right
        click and by Shift+F10: 复制 puts the clicked line on the clipboard;
        只列出不同的算法 redoes the list with the distinct solutions, and
        unchecked again with every line."""
        list_box = self.c["结果"]
        rows = rows_of(list_box)
        distinct = ["2 × 3 × 4 × 1", "(1 + 2 + 3) × 4", "(1 + 3) × (2 + 4)", "共有3种不同的算法！"]

        def on_line(row):
            at = map(str, centre(list_box.getChildAtIndex(row)))
            return self.menus.opened(f"a right click on line {row + 1}", "xdotool", "mousemove", *at,
                                     "click", "3")[0]
        self.menus.choose(on_line(1), "复制")
        clipboard = lambda: run("xclip", "-o", "-selection", "clipboard")
        wait_until(lambda: clipboard() == rows[1], f"the second line {rows[1]!r} on the clipboard",
                   got=lambda: repr(clipboard()))
        self.menus.choose(self.menus.opened("Shift+F10", "xdotool", "key", "shift+F10")[0], "只列出")
        wait_until(lambda: rows_of(list_box) == distinct, f"the distinct lines {distinct}",
                   got=lambda: rows_of(list_box)[:5])
        # By the last line, so that the lines above it show in the screenshot.
        menu = on_line(3)
        check(has_state(menu[3], pyatspi.STATE_CHECKED), "只列出不同的算法 checked", "it unchecked")
        screenshot("root", os.path.join(self.out, "vantrel-result-menu.png"))
        self.menus.choose(menu, "只列出")
        wait_until(lambda: rows_of(list_box) == rows, f"every line again ({len(rows)})",
                   got=lambda: f"{list_box.childCount} lines")

    def tray_menu(self, restore_enabled, when):
        """Opens the tray menu and checks 恢复(&R) in it; returns the menu."""
        menu, items = self.menus.open_from_tray(self.tray)
        names = list(items)
        check([n[:2] for n in names] == ["恢复", "练习", "关于", "退出"],
              "the tray menu's items 恢复, 练习, 关于, 退出", names)
        check(items[names[0]] == restore_enabled,
              f"恢复(&R) {'enabled' if restore_enabled else 'disabled'} {when}", items)
        return menu

    def minimise(self):
        xdotool("windowminimize", self.window)
        wait_until(lambda: not visible_windows(TITLE), "the window gone after minimising",
                   got="it still shown")
        check(not window_info(self.window)["viewable"], "the window unmapped", "it still viewable")
        check(tray_icon(self.pid) == self.tray, f"the tray icon {self.tray} still there",
              lambda: tray_icon(self.pid))

    def hides_in_tray_and_comes_back(self):
        self.menus.close(self.tray_menu(False, "while the window is shown"))
        self.minimise()
        self.menus.close(self.tray_menu(True, "while the window is hidden"))

        # A left click on the tray icon brings it back, in front and active.
        click_tray(self.tray, 1)
        self.window = the_window(TITLE)
        check(window_info(self.window)["viewable"], "the window mapped again", "it unmapped")
        self.main_window_active_again("the restored window active")
        check("_NET_WM_STATE_ABOVE" not in net_wm_state(self.window), "the raise step to leave it not on top",
              lambda: net_wm_state(self.window))

        # On top, minimised, and back through 恢复(&R): still on top.
        click(self.c["窗口永远在上"])
        self.on_top(True)
        self.minimise()
        self.menus.choose(self.tray_menu(True, "while the window is hidden"), "恢复")
        self.window = the_window(TITLE)
        self.on_top(True, "still on top after 恢复(&R)")
        self.menus.close(self.tray_menu(False, "after 恢复(&R)"))
        click(self.c["窗口永远在上"])
        self.on_top(False)

    def about_from_the_tray(self):
        """关于(&A) while the window is hidden in the tray: the About box shows
        on its own; a second 关于(&A) brings the same box forward, no second
        one. The main window comes back with the box still open."""
        self.minimise()
        self.menus.choose(self.tray_menu(True, "while the window is hidden"), "关于")
        about = the_window(ABOUT_TITLE)
        box = wait_until(lambda: next((w for w in self.app if w is not None and w.name == ABOUT_TITLE), None),
                         f"the {ABOUT_TITLE!r} window on the accessibility bus",
                         got=lambda: [(w.getRoleName(), w.name) for w in self.app if w is not None])
        texts = " ".join(child.name for child in box if child.getRoleName() == "label")
        for part in ("Vantrel 1.", "MIT", "作者：Vantrel 团队"):
            check(part in texts, f"{part!r} in the About box", repr(texts))
        check(not visible_windows(TITLE), "the main window still hidden in the tray", "it shown")
        screenshot("root", os.path.join(self.out, "vantrel-about.png"))

        xdotool("windowminimize", about)
        wait_until(lambda: not visible_windows(ABOUT_TITLE), "the About box minimised", got="it still shown")
        self.menus.choose(self.tray_menu(True, "while the window is hidden"), "关于")
        wait_until(lambda: visible_windows(ABOUT_TITLE) == [about], f"the same About box {about} back",
                   got=lambda: f"About boxes shown: {visible_windows(ABOUT_TITLE)}")
        click_tray(self.tray, 1)
        self.window = the_window(TITLE)

    def exits(self):
        self.menus.choose(self.tray_menu(False, "before 退出(&X)"), "退出")
        try:
            status = self.process.wait(timeout=5 * TIME_SCALE)
        except subprocess.TimeoutExpired:
            raise Failure(f"expected the program to end within {5 * TIME_SCALE:g} s of 退出(&X); "
                          "got it still running")
        check(status == 0, "status 0 after 退出(&X)", f"status {status}"
              + (f" (the output of {WRAPPER[0]} above says why)" if WRAPPER else ""))
        windows = run("xdotool", "search", "--pid", str(self.pid)).split()
        check(not windows, "no window of the program left", windows)
        check(not os.path.exists(f"/proc/{self.pid}"), "the process gone", f"process {self.pid} still there")

    def exits_while_readme_open(self):
        """The Readme window blocks the main window only: the tray menu opens,
        and 退出(&X) ends the program at once."""
        self.open_readme()
        self.exits()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=3 * TIME_SCALE)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class StatusNotifierSession(Session):
    """The program with a StatusNotifierItem panel, on X11 or on Wayland. On
    Wayland nothing outside the program sees its windows: what it shows is
    read through AT-SPI alone."""

    def __init__(self, *args, wayland=False, **kwargs):
        super().__init__(*args, **kwargs)
        self.wayland = wayland
        self.panel = None
        self.host = None  # a host apart from the panel's watcher

    def shown(self):
        if not self.wayland:
            return bool(visible_windows(TITLE))
        try:
            return any(window is not None and window.name == TITLE
                       and has_state(window, pyatspi.STATE_SHOWING) for window in self.app)
        except GLib.GError:
            return False

    def stop(self):
        super().stop()
        for helper in (self.host, self.panel):
            if helper:
                helper.stop()

    def starts_on_its_own(self):
        self.app = application(self.pid)
        self.c = self.controls()
        wait_until(self.shown, "the window shown", got="it not shown")
        if not self.wayland:
            self.window = the_window(TITLE)

    def at_twice_the_scale(self):
        self.solves_one_hand()
        info = window_info(self.window)
        check((info["width"], info["height"]) == (412, 524), "a client area of 412 × 524 at twice the scale",
              info)
        sizes = [int(n) for n in re.findall(r"Icon \((\d+) x \1\)", wm_property(self.window, "_NET_WM_ICON"))]
        check(max(sizes, default=0) >= 64, "an image of 64 px or more in the window's icon",
              f"sizes {sizes}")
        screenshot(self.window, os.path.join(self.out, "vantrel-2x.png"))

    def minimise_without_a_tray_stays_a_minimise(self):
        xdotool("windowminimize", self.window)
        wait_until(lambda: not window_info(self.window)["viewable"], "the window minimised",
                   got="it still viewable")
        pump_events(0.5 * TIME_SCALE)
        check("Iconic" in wm_property(self.window, "WM_STATE"), "an ordinary minimised window (Iconic)",
              lambda: wm_property(self.window, "WM_STATE").strip())
        xdotool("windowactivate", self.window)
        wait_until(lambda: window_info(self.window)["viewable"], "the window back from the task bar",
                   got="it still unmapped")

    def panel_appears(self):
        self.panel = start_panel()
        self.item = StatusNotifierItem(self.pid)
        check(self.item.prop("Title") == TITLE, f"the icon's title {TITLE!r}", lambda: repr(self.item.prop("Title")))
        check(self.item.prop("ToolTip")[2] == TITLE, f"the icon's tooltip {TITLE!r}",
              lambda: repr(self.item.prop("ToolTip")))
        check(self.item.prop("IconName") == "org.vantrel.Vantrel",
              "the installed theme icon by name, 'org.vantrel.Vantrel'", lambda: repr(self.item.prop("IconName")))

    def toggles(self, clicks=4):
        for n in range(clicks):
            hide = self.shown()
            self.item.activate()
            wait_until(lambda: self.shown() != hide,
                       f"click {n + 1} to leave the window {'hidden' if hide else 'shown'}", got="no change")
            self.item.check_menu(hide, "after a click on the icon")
        check(self.shown(), "the window shown after an even number of clicks", "it hidden")

    def menu_restores(self):
        self.item.activate()
        wait_until(lambda: not self.shown(), "the window hidden by a click on the icon", got="it shown")
        self.item.check_menu(True, "while the window is hidden")
        self.item.choose("恢复")
        wait_until(self.shown, "the window shown by 恢复(&R)", got="it hidden")
        self.item.check_menu(False, "while the window is shown")

    def host_lost_while_the_watcher_stays(self):
        """KDE Plasma's way: the watcher lives on in a daemon when the panel
        crashes, still says that a host is there and says nothing; only the
        panel's host name leaves the bus."""
        self.panel.stop()
        self.panel = start_panel()
        self.host = start_panel("--host", what="a StatusNotifierItem host alone")
        self.item = StatusNotifierItem(self.pid)
        self.item.activate()
        wait_until(lambda: not self.shown(), "the window hidden by a click on the icon", got="it shown")
        self.host.process.kill()
        wait_until(self.shown, "the window shown again once the host has gone, the watcher still there",
                   timeout=1, got="it hidden")
        self.host = start_panel("--host", what="a StatusNotifierItem host alone")
        self.item.activate()
        wait_until(lambda: not self.shown(), "the window hidden by a click once a host is back", got="it shown")
        # Then a panel whose host has no such name, once this watcher has gone
        # before its host.
        self.panel.stop()
        wait_until(self.shown, "the window shown again once the watcher has gone", got="it hidden")
        self.host.stop()
        self.panel = start_panel()
        self.item = StatusNotifierItem(self.pid)

    def panel_lost_while_hidden(self):
        self.item.activate()
        wait_until(lambda: not self.shown(), "the window hidden by a click on the icon", got="it shown")
        self.panel.stop()
        wait_until(self.shown, "the window shown again once the panel has gone", got="it hidden")
        # A minimise now is an ordinary one: there is nowhere to hide.
        self.panel = start_panel()
        self.item = StatusNotifierItem(self.pid)
        self.item.activate()
        wait_until(lambda: not self.shown(), "the window hidden in the panel that came back", got="it shown")

    def second_start_brings_the_window(self):
        check(not self.shown(), "the window hidden before the second start", "it shown")
        second = subprocess.run([self.vantrel], env=self.env, timeout=10 * TIME_SCALE, check=False)
        check(second.returncode == 0, "status 0 from the second start", f"status {second.returncode}")
        wait_until(self.shown, "the window brought back by the second start", got="it hidden")
        if not self.wayland:
            self.window = the_window(TITLE)
            self.main_window_active_again("the window active")
        check(StatusNotifierItem._registered_by(self.pid), f"the first copy's icon (process {self.pid}) "
              "still in the panel", lambda: f"the panel's items {StatusNotifierItem._registered()}")

    def check_box_says_why_it_cannot(self):
        box = self.c["窗口永远在上"]
        check(not has_state(box, pyatspi.STATE_ENABLED), "the always-on-top check box disabled", "it enabled")
        check("不允许" in box.description, "a description of the check box that says why (不允许)",
              repr(box.description))

    def solves_one_hand(self):
        for box, number in zip(self.boxes(), ("3", "3", "8", "8")):
            box.queryEditableText().setTextContents(number)
        self.c["开始计算"].queryAction().doAction(0)
        self.wait_for_rows(self.expected_lines(("3", "3", "8", "8")), "the list for 3 3 8 8")

    def exits_from_the_menu(self):
        self.item.choose("退出")
        try:
            status = self.process.wait(timeout=5 * TIME_SCALE)
        except subprocess.TimeoutExpired:
            raise Failure(f"expected the program to end within {5 * TIME_SCALE:g} s of 退出(&X); "
                          "got it still running")
        check(status == 0, "status 0 after 退出(&X)", f"status {status}")


def xembed(vantrel, solve, out, helpers):
    # A Wayland compositor beside X11, as on a desktop with XWayland: the
    # program still runs on X11, where the windows are found below.
    weston = start_weston()
    trayers = [start_trayer()]
    helpers += [weston, trayers[0]]
    on_both = {"WAYLAND_DISPLAY": weston.socket}
    session = Session(vantrel, solve, out, on_both, wrapped=True)

    def tray_lost_while_hidden():
        click_tray(session.tray, 1)
        wait_until(lambda: not visible_windows(TITLE), "the window hidden by a tray click", got="it shown")
        trayers[-1].stop()
        session.window = the_window(TITLE)  # shown again, with nowhere left to hide
        trayers.append(start_trayer())
        helpers.append(trayers[-1])
        session.tray = wait_until(lambda: tray_icon(session.pid), "the icon in the new tray", got="none")

    def run_again():
        # Ending the program ends the run: a second, short one for 退出(&X)
        # while the Readme window is open.
        again = Session(vantrel, solve, out, on_both, wrapped=True)
        helpers.append(again)
        again.starts()
        again.exits_while_readme_open()

    return session, [
        ("window appears on X11, focus in 编辑框a", session.starts),
        ("typing a1b2c leaves 12", session.typing_keeps_only_digits),
        *[(f"solving {' '.join(hand)}", lambda n=n, hand=hand: session.solves(n, hand))
          for n, hand in enumerate(HANDS)],
        ("the list's context menu: copying, only the distinct solutions", session.result_menu),
        ("an empty box asks for four numbers; 重新计算 empties", session.empty_box_asks_for_four_numbers),
        ("the check box sets and clears _NET_WM_STATE_ABOVE", session.check_box_sets_and_clears_above),
        ("screenshot of the results", session.screenshot_of_results),
        ("Readme blocks the main window; its close button", session.readme_blocks_main_window),
        ("Readme goes to the tray and comes back with the main window", session.readme_goes_to_the_tray_and_comes_back),
        ("Readme on top when checked; Esc", session.readme_on_top_when_checked),
        ("minimise to the tray and back", session.hides_in_tray_and_comes_back),
        (f"{TOGGLES} tray clicks in a row, none lost", session.every_tray_click_counts),
        ("the tray goes while the window is hidden, and comes back", tray_lost_while_hidden),
        ("关于(&A) from the tray while hidden; one About box", session.about_from_the_tray),
        ("退出(&X) ends the program while the About box is open", session.exits),
        ("退出(&X) from the tray while Readme is open, in a second run", run_again),
    ]


def sni(vantrel, solve, out, helpers):
    session = StatusNotifierSession(vantrel, solve, out, {"QT_SCALE_FACTOR": "2"})
    return session, [
        ("window appears at twice the scale, no tray anywhere", session.starts_on_its_own),
        ("window and icon sized for twice the scale; screenshot", session.at_twice_the_scale),
        ("minimise without a tray stays a minimise", session.minimise_without_a_tray_stays_a_minimise),
        ("a panel that starts later shows the icon", session.panel_appears),
        ("clicks on the icon hide and restore", session.toggles),
        ("恢复(&R) from the menu", session.menu_restores),
        ("KDE's way: only the host goes while the window is hidden, and comes back",
         session.host_lost_while_the_watcher_stays),
        ("the panel goes while the window is hidden, and comes back", session.panel_lost_while_hidden),
        ("a second start brings the hidden window back and ends", session.second_start_brings_the_window),
        ("退出(&X) from the menu", session.exits_from_the_menu),
    ]


def wayland(vantrel, solve, out, helpers):
    weston = start_weston()
    helpers.append(weston)
    panel = start_panel()
    session = StatusNotifierSession(vantrel, solve, out, {"DISPLAY": None, "WAYLAND_DISPLAY": weston.socket},
                                    wayland=True)
    session.panel = panel

    def icon():
        session.item = StatusNotifierItem(session.pid)

    return session, [
        ("window appears on Wayland, the icon in the panel", lambda: (session.starts_on_its_own(), icon())),
        ("the always-on-top check box says why it is off", session.check_box_says_why_it_cannot),
        ("solving 3 3 8 8", session.solves_one_hand),
        ("clicks on the icon hide and restore", session.toggles),
        ("恢复(&R) from the menu", session.menu_restores),
        ("退出(&X) from the menu", session.exits_from_the_menu),
    ]


def orca(vantrel, solve, out, helpers):
    """What a blind user hears, driving the window by keyboard alone: Orca's
    speech for each key press, read from its debug file (orca-debug.out in
    the output folder)."""
    reader = ScreenReader(out)
    helpers.append(reader)
    session = Session(vantrel, solve, out)
    lines = session.expected_lines(("3", "3", "8", "8"))

    def keys(*presses, hear=(), then_focus=None, never=()):
        """Presses the keys and waits for Orca to speak each of hear, in an
        utterance of its own or within a longer one; never lists what it
        must not speak meanwhile."""
        reader.mark()
        xdotool("key", "--delay", "50", *presses)
        wait_until(lambda: all(any(h in u for u in reader.heard()) for h in hear),
                   f"Orca to speak {hear} for {' '.join(presses)}", got=lambda: f"it spoke {reader.heard()}")
        pump_events(0.3 * TIME_SCALE)  # what Orca speaks straight after
        heard = reader.heard()
        log(f"  Orca: {heard}")
        spoken = [n for n in never if any(n in u for u in heard)]
        check(not spoken, f"Orca not to speak {list(never)} for {' '.join(presses)}", f"it spoke {heard}")
        if then_focus:
            check(has_state(session.c[then_focus], pyatspi.STATE_FOCUSED), f"the focus on {then_focus}",
                  session.focused)

    def starts():
        session.window = the_window(TITLE)
        session.app = application(session.pid)
        session.c = session.controls()
        wait_until(lambda: any("第一个数" in u for u in reader.heard()), "Orca reading the first box",
                   got=lambda: f"it spoke {reader.heard()}")

    return session, [
        ("Orca reads the first box", starts),
        ("typing 3 3 8 8, Tab to 开始计算",
         lambda: keys("3", "Tab", "3", "Tab", "8", "Tab", "8", "Tab", hear=["开始计算"])),
        # The focus stays on the button; the list is not read unasked.
        ("space on 开始计算: the summary",
         lambda: keys("space", hear=[lines[-1]], then_focus="开始计算", never=["结果"])),
        ("Tab into the list: its first line", lambda: keys("Tab", hear=[lines[0]])),
        ("Down: the second line", lambda: keys("Down", hear=[lines[1]])),
        ("Shift+F10: the list's menu", lambda: keys("shift+F10", hear=["复制"])),
        # Qt 6.4 tells a screen reader that a menu item is checked, but
        # never that it could be: unchecked, the item is heard by its name.
        ("Down twice: 只列出不同的算法", lambda: keys("Down", "Down", hear=["只列出不同的算法"])),
        ("Enter: the distinct solutions' summary",
         lambda: keys("Return", hear=["共有1种不同的算法！"], then_focus="结果")),
        # No line is current in the new list: the menu starts at 复制全部.
        ("the menu again, Up: 只列出不同的算法 checked",
         lambda: keys("shift+F10", "Up", hear=["只列出不同的算法 checked"])),
        ("Enter: every solution again", lambda: keys("Return", hear=[lines[-1]], then_focus="结果")),
        ("Tab, space on 重新计算: the first box",
         lambda: keys("Tab", "space", hear=["第一个数"], then_focus="第一个数")),
        ("3 3 8 and an empty box, Tab to 开始计算",
         lambda: keys("3", "Tab", "3", "Tab", "8", "Tab", "Tab", hear=["开始计算"])),
        ("space on 开始计算: the missing number, with the first box",
         lambda: keys("space", hear=[MISSING_INPUT, "第一个数"], then_focus="第一个数")),
    ]


PRACTICE = "练习"


def practice(vantrel, solve, out, helpers):
    """vantrel --practice with a seeded deck and Orca, no tray: the hand
    A 6 8 J, a wrong answer and two ways typed, a hint, the time on request,
    each heard; a second start with --practice brings the window back from a
    minimise; statistics kept across a restart."""
    reader = ScreenReader(out)
    helpers.append(reader)
    env = {"VANTREL_PRACTICE_SEED": "21"}
    runs = []

    def start():
        runs.append(Session(vantrel, solve, out, env, arguments=["--practice"]))
        session = runs[-1]
        session.window = the_window(PRACTICE)
        check(not visible_windows(TITLE), "the practice window alone", "the main window too")
        session.app = application(session.pid)
        session.c = {child.name: child for child in top_level(session.app, "filler", PRACTICE)}
        return session

    def hears(*heard):
        wait_until(lambda: all(any(h in u for u in reader.heard()) for h in heard),
                   f"Orca to speak {list(heard)}", got=lambda: f"it spoke {reader.heard()}")

    def answers(text, *heard):
        reader.mark()
        xdotool("key", "ctrl+a")  # in place of what the box still holds
        xdotool("type", "--delay", "30", text)
        xdotool("key", "Return")
        hears(*heard)

    def statistics():
        return next(c.name for c in runs[-1].c.values() if c.name.startswith("已玩"))

    def opens():
        session = start()
        cards = [int(name.rpartition("，")[2]) for name in session.c if "，" in name]
        check(cards == [1, 6, 8, 11], "the cards A 6 8 J for the seed", cards)
        hears("算式", "红桃 A，1")  # the answer box, with the hand

    def hint():
        reader.mark()
        click(runs[-1].c["提示"])
        hears("提示：先算 8")
        screenshot(runs[-1].window, os.path.join(out, "practice.png"))

    def second_start():
        xdotool("windowminimize", runs[-1].window)
        wait_until(lambda: not visible_windows(PRACTICE), "the practice window minimised", got="it shown")
        second = subprocess.run([vantrel, "--practice"], env=runs[-1].env, timeout=10 * TIME_SCALE)
        check(second.returncode == 0, "status 0 from the second start", f"status {second.returncode}")
        runs[-1].window = the_window(PRACTICE)

    def restart():
        kept = statistics()
        check(kept.startswith("已玩 1 手 · 独立解出 1 手"), "one hand solved unaided", kept)
        xdotool("key", "alt+F4")
        check(runs[-1].process.wait(timeout=5 * TIME_SCALE) == 0, "status 0 once the window closed",
              runs[-1].process.returncode)
        start()
        check(statistics() == kept, f"the statistics kept: {kept}", statistics)

    return PracticeRuns(runs), [
        ("vantrel --practice: the practice window, the hand read with the answer box", opens),
        ("a wrong answer: its exact value heard", lambda: answers("6+8+11+1", "算出来是 26，不是 24。")),
        ("a right answer: which way", lambda: answers("(1+11-8)*6", "对了！这是第 2 种算法，共 3 种。")),
        ("提示: its first step heard; screenshot", hint),
        ("a second way", lambda: answers("j+8+6-a", "对了！这是第 1 种算法，共 3 种。")),
        ("Ctrl+T: the time heard", lambda: (reader.mark(), xdotool("key", "ctrl+t"), hears("用时 0:"))),
        ("a second start with --practice brings the window back", second_start),
        ("closing ends the program; the statistics kept for the next run", restart),
    ]


class PracticeRuns:
    """The runs of the practice scenario, stopped together at the end."""

    def __init__(self, runs):
        self.runs = runs

    def stop(self):
        for run in self.runs:
            run.stop()


# What the program says in the languages beside its own: the names of the
# first box and its description, of the solve button and the list, the
# summary for 1 2 3 4, the first item of Qt's own menu of a text box, the
# Readme text, the tray menu's items, and the About box's title, texts and
# button.
LANGUAGES = {
    "en": ("First number", "A whole number of one or two digits", "Solve", "Results",
           "62 solutions in all!", "Undo", "Welcome to Vantrel!\nBy the Vantrel team",
           ["Restore", "Practice", "About", "Exit"], "About Vantrel",
           ["Finds every way to make 24 from four numbers.", "Released under the MIT licence."], "OK"),
    "zh_TW": ("第一個數", "一到兩位的整數", "開始計算", "結果", "共有62種算法！", "復原",
              "歡迎使用 Vantrel！\n作者：Vantrel 團隊", ["還原", "練習", "關於", "結束"], "關於 Vantrel",
              ["找出用四個數算出 24 的所有算法。", "以 MIT 授權條款發布。"], "確定"),
}


def language(vantrel, solve, out, helpers, name):
    """The program in another language (LANGUAGE=name), with Orca and an X11
    tray: what Orca speaks while 1 2 3 4 is solved by keyboard, the list with
    its summary, Qt's own menu of a text box, the Readme window, the tray
    menu and the About box, each in that language, with screenshots."""
    (first, described, solve_button, results, summary, undo, readme_text, tray_items, about_title,
     about_texts, ok) = LANGUAGES[name]
    helpers.append(start_trayer())
    reader = ScreenReader(out)
    helpers.append(reader)
    session = Session(vantrel, solve, out, {"LANGUAGE": name})
    lines = session.expected_lines(("1", "2", "3", "4"))[:-1] + [summary]

    def hears(*heard):
        wait_until(lambda: all(any(h in u for u in reader.heard()) for h in heard),
                   f"Orca to speak {list(heard)}", got=lambda: f"it spoke {reader.heard()}")

    def keys(text, *heard):
        reader.mark()
        xdotool("type", "--delay", "50", text)
        hears(*heard)

    def starts():
        session.window = the_window(TITLE)
        session.app = application(session.pid)
        session.c = session.controls()
        check({first, solve_button, results} <= set(session.c), "the controls in the language",
              lambda: list(session.c))
        hears(first, described)
        session.tray = wait_until(lambda: tray_icon(session.pid), "the tray icon in trayer", got="none")

    def solves_by_keyboard():
        keys("1\t2\t3\t4\t", solve_button)
        keys(" ", summary)
        list_box = session.c[results]
        wait_until(lambda: rows_of(list_box) == lines, f"vantrel-solve's lines, then {summary!r}",
                   got=lambda: f"{list_box.childCount} lines ending {rows_of(list_box)[-1:]}")
        keys("\t", results)  # into the list, then to its summary for the screenshot
        xdotool("key", "End")
        pump_events(0.3 * TIME_SCALE)
        screenshot(session.window, os.path.join(out, f"vantrel-{name}.png"))

    def qt_texts():
        at = map(str, centre(session.c[first]))
        menu, items = session.menus.opened("a right click on the first box", "xdotool", "mousemove",
                                           *at, "click", "3")
        check(any(item.startswith(undo) for item in items), f"{undo!r} in Qt's menu of the box",
              list(items))
        session.menus.close(menu)

    def readme():
        click(session.c["Readme"])
        window = the_window("Readme")
        label = [c.name for c in top_level(session.app, "dialog", "Readme") if c.getRoleName() == "label"]
        check(label == [readme_text], f"the Readme text {readme_text!r}", label)
        screenshot(window, os.path.join(out, f"vantrel-readme-{name}.png"))
        session.closes_readme_by_esc()

    def tray_menu():
        menu, items = session.menus.open_from_tray(session.tray)
        check([item[:len(want)] for item, want in zip(items, tray_items)] == tray_items,
              f"the tray menu's items {tray_items}", list(items))
        return menu

    def about():
        session.menus.choose(tray_menu(), tray_items[2])
        window = the_window(about_title)
        box = top_level(session.app, "alert", about_title)
        # The button is in a button box of its own.
        texts = [c.name for group in box for c in [group, *group]
                 if c.getRoleName() in ("label", "push button")]
        check(all(t in " ".join(texts) for t in about_texts) and ok in texts,
              f"{about_texts} and the button {ok!r} in the About box", texts)
        screenshot(window, os.path.join(out, f"vantrel-about-{name}.png"))
        xdotool("key", "Escape")
        wait_until(lambda: not visible_windows(about_title), "the About box closed by Esc",
                   got="it still open")
        session.menus.choose(tray_menu(), tray_items[3])
        check(session.process.wait(timeout=5 * TIME_SCALE) == 0, "status 0 after the last item",
              session.process.returncode)

    return session, [
        ("the window in the language; Orca reads the first box", starts),
        ("1 2 3 4 by keyboard: Orca speaks the summary; the list; screenshot", solves_by_keyboard),
        ("Qt's own menu of a box in the language", qt_texts),
        ("the Readme window; screenshot", readme),
        ("the tray menu, the About box (screenshot), the last item ends the program", about),
    ]


SCENARIOS = {"xembed": xembed, "sni": sni, "wayland": wayland, "orca": orca, "practice": practice,
             **{f"language-{name}": lambda *args, name=name: language(*args, name)
                for name in LANGUAGES}}


def main():
    scenario, vantrel, solve, out = sys.argv[1:5]
    # Stopped from outside (a time-out): leave through the finally below, which
    # stops the program too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    os.makedirs(out, exist_ok=True)
    started = time.monotonic()
    helpers = []  # stopped in reverse order at the end
    name = f"setting up {scenario}"
    try:
        session, steps = SCENARIOS[scenario](vantrel, solve, out, helpers)
        helpers.append(session)
        for name, step in steps:
            begun = time.monotonic()
            step()
            log(f"ok   {name} ({time.monotonic() - begun:.2f} s)")
    except (Failure, subprocess.CalledProcessError, GLib.Error) as failure:
        if isinstance(failure, subprocess.CalledProcessError):
            said = failure.stderr or ""
            said = said.decode(errors="replace") if isinstance(said, bytes) else said
            failure = (f"expected {shlex.join(map(str, failure.cmd))} to succeed; "
                       f"got status {failure.returncode}" + (f": {said.strip()}" if said.strip() else ""))
        elif isinstance(failure, GLib.Error):
            failure = f"expected the call over D-Bus to succeed; got {failure.message}"
        log(f"FAIL {name}: {failure}")
        try:
            screenshot("root", os.path.join(out, f"failure-{scenario}.png"))
        except Exception:  # the screen may be gone with the failure
            pass
        return 1
    finally:
        for helper in reversed(helpers):
            helper.stop()
    log(f"{scenario} passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
