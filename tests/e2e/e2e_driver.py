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
           while the window is hidden in it and comes back; a second start of
           the program; all at twice the scale.
  wayland  a Wayland-only session (weston) with a StatusNotifierItem panel.
  orca     the Orca screen reader, and a hand solved by keyboard alone: what
           Orca speaks for each key press.

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

import pyatspi
from gi.repository import Gio, GLib

HERE = os.path.dirname(os.path.abspath(__file__))
WRAPPER = shlex.split(os.environ.get("VANTREL_E2E_WRAPPER", ""))
TIME_SCALE = float(os.environ.get("VANTREL_E2E_TIME_SCALE") or 1)
TOGGLES = int(os.environ.get("VANTREL_E2E_TOGGLES") or 10)

TITLE = "Vantrel"
MISSING_INPUT = "请输入4个数字！"

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


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_until(probe, what, timeout=5.0):
    """Polls probe until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout * TIME_SCALE
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        pump_events(0.02)


def log(message):
    print(f"e2e: {message}", file=sys.stderr, flush=True)


# --- X ------------------------------------------------------------------------

def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=False).stdout


def xdotool(*args):
    subprocess.run(("xdotool",) + args, check=True, capture_output=True)


def visible_windows(name):
    return run("xdotool", "search", "--onlyvisible", "--name", f"^{name}$").split()


def the_window(name):
    """The one visible window of that title; its X id may change over a restore."""
    ids = wait_until(lambda: visible_windows(name), f"the window {name!r}")
    check(len(ids) == 1, f"one window {name!r} expected, found {ids}")
    return ids[0]


def net_wm_state(window):
    return set(re.findall(r"_NET_WM_STATE_\w+", run("xprop", "-id", window, "_NET_WM_STATE")))


def wm_property(window, name):
    return run("xprop", "-id", window, name)


def window_info(window):
    """Client-area position and size, and map state, as xwininfo reports them."""
    text = run("xwininfo", "-id", window)
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
    check(os.path.getsize(path) > 1000, f"screenshot {path} is empty")
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
    return wait_until(probe, "the program on the accessibility bus", timeout=10)


def top_level(app, role, name):
    def probe():
        for window in app:
            if window is not None and window.getRoleName() == role and window.name == name:
                return window
        return None
    return wait_until(probe, f"the {role} {name!r} on the accessibility bus")


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
            return {item.name: has_state(item, pyatspi.STATE_ENABLED)
                    for item in menu if item is not None and item.getRoleName() == "menu item"}
        except GLib.GError:
            return {}

    def open_from_tray(self, tray):
        """Right-clicks the tray icon and returns the menu and its items."""
        self.shown.clear()
        click_tray(tray, 3)
        items = wait_until(lambda: self.shown and self.items(self.shown[-1]), "the tray menu")
        return self.shown[-1], items

    @staticmethod
    def showing(menu):
        try:
            return has_state(menu, pyatspi.STATE_SHOWING)
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
        raise Failure("the tray menu does not close on Esc")

    def choose(self, menu, prefix):
        """Clicks the menu item whose name starts with prefix."""
        for item in menu:
            if item is not None and item.name.startswith(prefix):
                click(item)
                wait_until(lambda: not self.showing(menu), f"the menu closed after {prefix}")
                return
        raise Failure(f"no item {prefix} in the menu")


# --- the desktop's parts that come and go -------------------------------------

class Helper:
    """A program of the desktop (a tray, a panel, a compositor), started by the
    test, ready when ready() says so, and stopped by the test."""

    def __init__(self, command, ready, what, **options):
        self.what = what
        self.process = subprocess.Popen(command, **options)
        try:
            wait_until(lambda: self.process.poll() is not None or ready(self), what, timeout=10)
            check(self.process.poll() is None, f"{what} ended at once")
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


def start_panel():
    """A StatusNotifierItem panel (sni_watcher.py): the watcher and a host."""
    def ready(helper):
        return helper.process.stdout.readline().strip() == "ready"
    return Helper(["/usr/bin/python3", os.path.join(HERE, "sni_watcher.py")], ready,
                  "the StatusNotifierItem panel", stdout=subprocess.PIPE, text=True)


class StatusNotifierItem:
    """The program's icon as a panel sees it, and the calls a panel makes: a
    click (Activate), and the menu over com.canonical.dbusmenu."""

    WATCHER = "org.kde.StatusNotifierWatcher"
    ITEM = "org.kde.StatusNotifierItem"
    MENU = "com.canonical.dbusmenu"

    def __init__(self, pid):
        self.name, self.path = wait_until(lambda: self._registered_by(pid),
                                          "the program's icon registered with the panel")

    @classmethod
    def _registered_by(cls, pid):
        try:
            items = bus_property(cls.WATCHER, "/StatusNotifierWatcher", cls.WATCHER,
                                 "RegisteredStatusNotifierItems")
        except GLib.Error:
            return None  # the panel is not there
        for item in items:
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
        check([label[:2] for label in labels] == ["恢复", "关于", "退出"], f"the tray menu's items: {labels}")
        check(items[labels[0]][1] == restore_enabled,
              f"恢复(&R) {'enabled' if restore_enabled else 'disabled'} {when}: {items}")
        return items

    def choose(self, prefix):
        for label, (ident, _) in self.menu_items().items():
            if label.startswith(prefix):
                bus_call(self.name, self.prop("Menu"), self.MENU, "Event",
                         GLib.Variant("(isvu)", (ident, "clicked", GLib.Variant("s", ""), 0)))
                return
        raise Failure(f"no item {prefix} in the menu")


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
        check(shutil.which("orca"), "orca is missing; script/setup installs it")
        others = run("pgrep", "-u", str(os.getuid()), "-x", "orca").split()
        check(not others, f"another Orca of this user is running ({', '.join(others)}): stop it first")
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

    def __init__(self, vantrel, solve, out, environment=None, wrapped=False):
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
        self.process = subprocess.Popen([*(WRAPPER if wrapped else []), vantrel], env=self.env)
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
        try:
            wait_until(lambda: rows_of(list_box) == expected, what)
            return expected
        except Failure:
            rows = rows_of(list_box)
            raise Failure(f"{what}: list shows {len(rows)} lines {rows[:5]}..., "
                          f"vantrel-solve printed {len(expected)} {expected[:5]}...")

    # Each step below is one thing a person does, with what they should see.

    def starts(self):
        self.window = the_window(TITLE)
        wm_class = wm_property(self.window, "WM_CLASS")
        check('"vantrel", "Vantrel"' in wm_class, f"WM_CLASS should match the desktop entry: {wm_class}")
        info = window_info(self.window)
        check((info["width"], info["height"]) == (206, 262), f"client area {info}")
        self.app = application(self.pid)
        self.c = self.controls()
        wait_until(lambda: has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus in 编辑框a")
        self.tray = wait_until(lambda: tray_icon(self.pid), "the tray icon")

    def typing_keeps_only_digits(self):
        xdotool("type", "--delay", "15", "a1b2c")
        wait_until(lambda: text_of(self.c["第一个数"]) == "12", "12 in 编辑框a after typing a1b2c")
        check(self.box_texts() == ["12", "", "", ""], f"boxes {self.box_texts()}")

    def enter_hand(self, hand):
        click(self.c["重新计算"])
        wait_until(lambda: self.box_texts() == ["", "", "", ""], "empty boxes after 重新计算")
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "重新计算 puts the focus in 编辑框a")
        xdotool("type", "--delay", "15", "\t".join(hand))
        wait_until(lambda: self.box_texts() == list(hand), f"{hand} in the boxes")

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
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus back in 编辑框a")

        click(self.c["重新计算"])
        wait_until(lambda: self.box_texts() == ["", "", "", ""] and self.c["结果"].childCount == 0,
                   "everything empty after 重新计算")
        check(has_state(self.c["第一个数"], pyatspi.STATE_FOCUSED), "the focus in 编辑框a after 重新计算")

    def check_box_sets_and_clears_above(self):
        check_box = self.c["窗口永远在上"]
        click(check_box)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(self.window), "_NET_WM_STATE_ABOVE set")
        check(has_state(check_box, pyatspi.STATE_CHECKED), "the check box checked")
        click(check_box)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in net_wm_state(self.window),
                   "_NET_WM_STATE_ABOVE cleared")
        check(not has_state(check_box, pyatspi.STATE_CHECKED), "the check box not checked")
        # The same X window all along: no flicker, no new window.
        check(visible_windows(TITLE) == [self.window], "the window kept its X id")

    def open_readme(self):
        click(self.c["Readme"])
        readme = the_window("Readme")
        dialog = top_level(self.app, "dialog", "Readme")
        labels = [child for child in dialog if child.getRoleName() == "label"]
        check(len(labels) == 1, f"one label in the Readme window, found {len(labels)}")
        lines = labels[0].name.split("\n")
        check(len(lines) == 2 and "欢迎" in lines[0] and "Vantrel 团队" in lines[1] and "\r" not in labels[0].name,
              f"the credit text on two lines: {lines}")
        info = window_info(readme)
        check((info["width"], info["height"]) == (195, 256), f"Readme client area {info}")
        state = net_wm_state(readme)
        check("_NET_WM_STATE_MODAL" in state, f"the Readme window is modal: {state}")
        # Modal to the main window alone, which the window manager learns from
        # this: the tray icon stays usable meanwhile.
        transient_for = wm_property(readme, "WM_TRANSIENT_FOR")
        check(f"# {hex(int(self.window))}" in transient_for,
              f"the Readme window stands over the main window: {transient_for.strip()}")
        check("_NET_WM_WINDOW_TYPE_UTILITY" in wm_property(readme, "_NET_WM_WINDOW_TYPE"),
              "the Readme window has a tool-window frame")
        return readme

    def readme_blocks_main_window(self):
        self.enter_hand(("1", "2", "9", "1"))
        click(self.c["开始计算"])
        rows = self.wait_for_rows(self.expected_lines(("1", "2", "9", "1")), "the list before Readme")

        readme = self.open_readme()
        check("_NET_WM_STATE_ABOVE" not in net_wm_state(readme), "Readme not on top with the box unchecked")
        # Clicks on the main window change nothing while the Readme window is open.
        for name in ("重新计算", "窗口永远在上", "第二个数"):
            click(self.c[name])
        xdotool("type", "7")
        pump_events(0.3 * TIME_SCALE)  # time for a fault to show
        check(rows_of(self.c["结果"]) == rows, "the list kept while Readme is open")
        check(self.box_texts() == ["1", "2", "9", "1"], f"boxes kept while Readme is open: {self.box_texts()}")
        check(not has_state(self.c["窗口永远在上"], pyatspi.STATE_CHECKED), "check box kept while Readme is open")
        check(visible_windows("Readme") == [readme], "the Readme window still open")

        # The close button at the right end of openbox's title bar.
        info = window_info(readme)
        top = int(wm_property(readme, "_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        click_at(info["x"] + info["width"] - 10, info["y"] - top // 2)
        wait_until(lambda: not visible_windows("Readme"), "the Readme window closed by its close button")
        wait_until(lambda: active_window() == int(self.window), "the main window active again")
        # And it takes input again.
        click(self.c["重新计算"])
        wait_until(lambda: self.c["结果"].childCount == 0, "重新计算 working after Readme")

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

        for time_round in ("first", "second"):
            click_tray(self.tray, 1)
            wait_until(lambda: not visible_windows(TITLE) and not visible_windows("Readme"),
                       f"both windows hidden by a tray click, the {time_round} time")
            pump_events(0.3 * TIME_SCALE)
            check(not visible_windows(TITLE) and not visible_windows("Readme"),
                  "both windows still hidden a moment later")
            click_tray(self.tray, 1)
            self.window = the_window(TITLE)
            readme = the_window("Readme")
            wait_until(lambda: readme_above() and active_window() == int(readme),
                       "the Readme window in front of the restored main window, active")

        # Openbox gives the click to the main window and may leave no window
        # with the focus after it; what counts is that the Readme window stays
        # in front.
        info = window_info(self.window)
        top = int(wm_property(self.window, "_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        click_at(info["x"] + 40, info["y"] - top // 2)
        pump_events(0.3 * TIME_SCALE)
        wait_until(readme_above, "the Readme window in front after a click on the main window")

        click_at(*centre_of_window(readme))
        wait_until(lambda: active_window() == int(readme), "the Readme window active after a click on it")
        xdotool("key", "Escape")
        wait_until(lambda: not visible_windows("Readme"), "the Readme window closed by Esc")
        wait_until(lambda: active_window() == int(self.window), "the main window active again")

    def every_tray_click_counts(self):
        """Left clicks on the tray icon in a row, a second apart as a person
        makes them: each hides the shown window or brings the hidden one back,
        and it stays so until the next click."""
        for n in range(1, TOGGLES + 1):
            hide = bool(visible_windows(TITLE))
            click_tray(self.tray, 1)
            what = f"click {n} of {TOGGLES} {'hiding' if hide else 'restoring'} the window"
            wait_until(lambda: bool(visible_windows(TITLE)) != hide, what)
            time.sleep(0.6 * TIME_SCALE)
            pump_events(0)
            check(bool(visible_windows(TITLE)) != hide, f"{what}: undone again before the next click")
        if not visible_windows(TITLE):
            click_tray(self.tray, 1)
        self.window = the_window(TITLE)
        wait_until(lambda: active_window() == int(self.window), "the restored window active")

    def readme_on_top_when_checked(self):
        click(self.c["窗口永远在上"])
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(self.window), "the main window on top")
        readme = self.open_readme()
        check("_NET_WM_STATE_ABOVE" in net_wm_state(readme), "Readme on top with the box checked")
        order = stacking_order()
        check(order.index(int(readme)) > order.index(int(self.window)), "Readme above the main window")
        screenshot("root", os.path.join(self.out, "vantrel-readme.png"))
        xdotool("key", "Escape")
        wait_until(lambda: not visible_windows("Readme"), "the Readme window closed by Esc")
        click(self.c["窗口永远在上"])
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in net_wm_state(self.window), "the main window not on top")

    def screenshot_of_results(self):
        self.enter_hand(("3", "3", "8", "8"))
        click(self.c["开始计算"])
        self.wait_for_rows(self.expected_lines(("3", "3", "8", "8")), "the list for the screenshot")
        screenshot(self.window, os.path.join(self.out, "vantrel.png"))

    def tray_menu(self, restore_enabled, when):
        """Opens the tray menu and checks 恢复(&R) in it; returns the menu."""
        menu, items = self.menus.open_from_tray(self.tray)
        names = list(items)
        check(len(names) == 3 and [n[:2] for n in names] == ["恢复", "关于", "退出"],
              f"the tray menu's items: {names}")
        check(items[names[0]] == restore_enabled,
              f"恢复(&R) {'enabled' if restore_enabled else 'disabled'} {when}: {items}")
        return menu

    def minimise(self):
        xdotool("windowminimize", self.window)
        wait_until(lambda: not visible_windows(TITLE), "the window gone after minimising")
        check(not window_info(self.window)["viewable"], "the window unmapped")
        check(tray_icon(self.pid) == self.tray, "the tray icon still there")

    def hides_in_tray_and_comes_back(self):
        self.menus.close(self.tray_menu(False, "while the window is shown"))
        self.minimise()
        self.menus.close(self.tray_menu(True, "while the window is hidden"))

        # A left click on the tray icon brings it back, in front and active.
        click_tray(self.tray, 1)
        self.window = the_window(TITLE)
        check(window_info(self.window)["viewable"], "the window mapped again")
        wait_until(lambda: active_window() == int(self.window), "the restored window active")
        check("_NET_WM_STATE_ABOVE" not in net_wm_state(self.window), "the raise step leaves it not on top")

        # On top, minimised, and back through 恢复(&R): still on top.
        click(self.c["窗口永远在上"])
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(self.window), "the main window on top")
        self.minimise()
        self.menus.choose(self.tray_menu(True, "while the window is hidden"), "恢复")
        self.window = the_window(TITLE)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(self.window), "still on top after 恢复(&R)")
        self.menus.close(self.tray_menu(False, "after 恢复(&R)"))
        click(self.c["窗口永远在上"])
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in net_wm_state(self.window), "the main window not on top")

    def exits(self):
        self.menus.choose(self.tray_menu(False, "before 退出(&X)"), "退出")
        try:
            status = self.process.wait(timeout=5 * TIME_SCALE)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program still running {5 * TIME_SCALE:g} s after 退出(&X)")
        check(status == 0, f"退出(&X) ends with status 0, not {status}"
                           + (f" (see the output of {WRAPPER[0]} above)" if WRAPPER else ""))
        check(not run("xdotool", "search", "--pid", str(self.pid)).split(), "windows of the program left")
        check(not os.path.exists(f"/proc/{self.pid}"), "the process left behind")

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
        if self.panel:
            self.panel.stop()

    def starts_on_its_own(self):
        self.app = application(self.pid)
        self.c = self.controls()
        wait_until(self.shown, "the window shown")
        if not self.wayland:
            self.window = the_window(TITLE)

    def at_twice_the_scale(self):
        self.solves_one_hand()
        info = window_info(self.window)
        check((info["width"], info["height"]) == (412, 524), f"client area at twice the scale: {info}")
        sizes = [int(n) for n in re.findall(r"Icon \((\d+) x \1\)", wm_property(self.window, "_NET_WM_ICON"))]
        check(max(sizes, default=0) >= 64, f"the window's icon has images for twice the scale: {sizes}")
        screenshot(self.window, os.path.join(self.out, "vantrel-2x.png"))

    def minimise_without_a_tray_stays_a_minimise(self):
        xdotool("windowminimize", self.window)
        wait_until(lambda: not window_info(self.window)["viewable"], "the window minimised")
        pump_events(0.5 * TIME_SCALE)
        check("Iconic" in wm_property(self.window, "WM_STATE"),
              f"an ordinary minimised window, not hidden: {wm_property(self.window, 'WM_STATE').strip()}")
        xdotool("windowactivate", self.window)
        wait_until(lambda: window_info(self.window)["viewable"], "the window back from the task bar")

    def panel_appears(self):
        self.panel = start_panel()
        self.item = StatusNotifierItem(self.pid)
        check(self.item.prop("Title") == TITLE, f"the icon's title: {self.item.prop('Title')!r}")
        check(self.item.prop("ToolTip")[2] == TITLE, f"the icon's tooltip: {self.item.prop('ToolTip')!r}")
        check(self.item.prop("IconName") == "org.vantrel.Vantrel",
              f"the installed theme icon by name: {self.item.prop('IconName')!r}")

    def toggles(self, clicks=4):
        for n in range(clicks):
            hide = self.shown()
            self.item.activate()
            wait_until(lambda: self.shown() != hide, f"click {n + 1} {'hiding' if hide else 'restoring'}")
            self.item.check_menu(hide, "after a click on the icon")
        check(self.shown(), "shown after an even number of clicks")

    def menu_restores(self):
        self.item.activate()
        wait_until(lambda: not self.shown(), "hidden by a click on the icon")
        self.item.check_menu(True, "while the window is hidden")
        self.item.choose("恢复")
        wait_until(self.shown, "shown by 恢复(&R)")
        self.item.check_menu(False, "while the window is shown")

    def panel_lost_while_hidden(self):
        self.item.activate()
        wait_until(lambda: not self.shown(), "hidden by a click on the icon")
        self.panel.stop()
        wait_until(self.shown, "the window shown again once the panel has gone")
        # A minimise now is an ordinary one: there is nowhere to hide.
        self.panel = start_panel()
        self.item = StatusNotifierItem(self.pid)
        self.item.activate()
        wait_until(lambda: not self.shown(), "hidden in the panel that came back")

    def second_start_brings_the_window(self):
        check(not self.shown(), "hidden before the second start")
        second = subprocess.run([self.vantrel], env=self.env, timeout=10 * TIME_SCALE, check=False)
        check(second.returncode == 0, f"the second start ends with status 0, not {second.returncode}")
        wait_until(self.shown, "the window brought back by the second start")
        if not self.wayland:
            self.window = the_window(TITLE)
            wait_until(lambda: active_window() == int(self.window), "the window active")
        check(StatusNotifierItem._registered_by(self.pid), "the first copy's icon still in the panel")

    def check_box_says_why_it_cannot(self):
        box = self.c["窗口永远在上"]
        check(not has_state(box, pyatspi.STATE_ENABLED), "the always-on-top check box disabled")
        check("不允许" in box.description, f"the check box says why: {box.description!r}")

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
            raise Failure("the program still running after 退出(&X)")
        check(status == 0, f"退出(&X) ends with status 0, not {status}")


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
        wait_until(lambda: not visible_windows(TITLE), "hidden by a tray click")
        trayers[-1].stop()
        session.window = the_window(TITLE)  # shown again, with nowhere left to hide
        trayers.append(start_trayer())
        helpers.append(trayers[-1])
        session.tray = wait_until(lambda: tray_icon(session.pid), "the icon in the new tray")

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
        ("an empty box asks for four numbers; 重新计算 empties", session.empty_box_asks_for_four_numbers),
        ("the check box sets and clears _NET_WM_STATE_ABOVE", session.check_box_sets_and_clears_above),
        ("screenshot of the results", session.screenshot_of_results),
        ("Readme blocks the main window; its close button", session.readme_blocks_main_window),
        ("Readme goes to the tray and comes back with the main window", session.readme_goes_to_the_tray_and_comes_back),
        ("Readme on top when checked; Esc", session.readme_on_top_when_checked),
        ("minimise to the tray and back", session.hides_in_tray_and_comes_back),
        (f"{TOGGLES} tray clicks in a row, none lost", session.every_tray_click_counts),
        ("the tray goes while the window is hidden, and comes back", tray_lost_while_hidden),
        ("退出(&X) ends the program", session.exits),
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
        try:
            wait_until(lambda: all(any(h in u for u in reader.heard()) for h in hear), "Orca")
        except Failure:
            raise Failure(f"Orca did not speak {hear} for {' '.join(presses)}; it spoke {reader.heard()}")
        pump_events(0.3 * TIME_SCALE)  # what Orca speaks straight after
        heard = reader.heard()
        log(f"  Orca: {heard}")
        spoken = [n for n in never if any(n in u for u in heard)]
        check(not spoken, f"Orca spoke {spoken} for {' '.join(presses)}: {heard}")
        if then_focus:
            check(has_state(session.c[then_focus], pyatspi.STATE_FOCUSED), f"the focus on {then_focus}")

    def starts():
        session.window = the_window(TITLE)
        session.app = application(session.pid)
        session.c = session.controls()
        wait_until(lambda: any("第一个数" in u for u in reader.heard()), "Orca reading the first box")

    return session, [
        ("Orca reads the first box", starts),
        ("typing 3 3 8 8, Tab to 开始计算",
         lambda: keys("3", "Tab", "3", "Tab", "8", "Tab", "8", "Tab", hear=["开始计算"])),
        # The focus stays on the button; the list is not read unasked.
        ("space on 开始计算: the summary",
         lambda: keys("space", hear=[lines[-1]], then_focus="开始计算", never=["结果"])),
        ("Tab into the list: its first line", lambda: keys("Tab", hear=[lines[0]])),
        ("Down: the second line", lambda: keys("Down", hear=[lines[1]])),
        ("Tab, space on 重新计算: the first box",
         lambda: keys("Tab", "space", hear=["第一个数"], then_focus="第一个数")),
        ("3 3 8 and an empty box, Tab to 开始计算",
         lambda: keys("3", "Tab", "3", "Tab", "8", "Tab", "Tab", hear=["开始计算"])),
        ("space on 开始计算: the missing number, with the first box",
         lambda: keys("space", hear=[MISSING_INPUT, "第一个数"], then_focus="第一个数")),
    ]


SCENARIOS = {"xembed": xembed, "sni": sni, "wayland": wayland, "orca": orca}


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
