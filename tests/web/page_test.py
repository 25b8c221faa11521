#!/usr/bin/python3
"""Uses the web page in headless Chromium as a person would: real key presses
and clicks through WebDriver, read back from the page.

Serves a copy of the built site on 127.0.0.1 (a free port), then checks the
number boxes, the Tab order, solving, the missing-input line, reset, the
Readme dialog, the layout at phone width, the section below the window (by
keyboard, its messages, what a reload keeps, at phone width), the engines'
worker (the page's timers keep firing while it solves seven numbers; its
requests answered in order, older ones superseded), a reload that
opens, solves and deals a hand of practice after the server has stopped, and a new build replacing the
old one on the next visit, all in a browser whose language is Simplified
Chinese; then the page in a browser in English and in one in Traditional
Chinese. Saves web-desktop.png (after solving 1 2 9 1), web-phone.png (390 x
844 with the Readme dialog open), web-phone-more.png (390 x 844, the section
open after solving 1 2 3 4 5), web-phone-en.png (the same in English) and
web-desktop-zh-TW.png (1 2 9 1 in Traditional Chinese) in the output folder.

Usage: page_test.py SITE OUTPUT_DIR
"""

import contextlib
import functools
import http.server
import os
import re
import shutil
import socket
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

BOXES = ["编辑框a", "编辑框b", "编辑框c", "编辑框d"]
MISSING = "请输入4个数字！"
LINES_1291 = ["(1 + 2) × (9 - 1)", "(9 - 1) × (2 + 1)", "(9 - 1) × (1 + 2)",
              "(2 + 1) × (9 - 1)", "共有4种算法！"]
CREDITS = ["欢迎使用 Vantrel！", "作者：Vantrel 团队"]


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class Httpd(http.server.ThreadingHTTPServer):
    """Closes the connections it still holds when it closes: a browser opens
    some ahead of its requests, and would be served on them after a stop."""

    def __init__(self, *args):
        self.connections = set()
        super().__init__(*args)

    def process_request(self, request, client_address):
        self.connections.add(request)
        super().process_request(request, client_address)

    def shutdown_request(self, request):
        self.connections.discard(request)
        super().shutdown_request(request)

    def server_close(self):
        super().server_close()
        for connection in list(self.connections):
            with contextlib.suppress(OSError):
                connection.shutdown(socket.SHUT_RDWR)


class Server:
    """The site on 127.0.0.1; stopped and started again on the same port."""

    def __init__(self, folder):
        self.folder = folder
        self.port = 0
        self.start()

    def start(self):
        handler = functools.partial(Handler, directory=self.folder)
        self.httpd = Httpd(("127.0.0.1", self.port), handler)
        self.port = self.httpd.server_port
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"


def start_chromium(profile, language):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", "--window-size=1024,768",
                     f"--user-data-dir={profile}", f"--lang={language}"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page:
    def __init__(self, driver):
        self.d = driver

    def __getitem__(self, element_id):
        return self.d.find_element(By.ID, element_id)

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def shift_tab(self):
        ActionChains(self.d).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()

    def focused(self):
        return self.d.execute_script("return document.activeElement.id")

    def selection(self, element_id):
        return self.d.execute_script(
            "const e = document.getElementById(arguments[0]);"
            "return [e.selectionStart, e.selectionEnd];", element_id)

    def lines(self):
        # In one script: the list may be redrawn between two calls.
        return self.d.execute_script(
            "return [...document.querySelectorAll('#结果列表框 > *')].map((e) => e.textContent);")

    def values(self):
        return [self[box].get_attribute("value") for box in BOXES]

    def wait(self, condition, what, timeout=20):
        WebDriverWait(self.d, timeout, poll_frequency=0.1).until(
            lambda _: condition(), message=f"timed out waiting for {what}")

    def enter_hand(self, hand):
        self["重新按钮"].click()
        for number in hand:
            self.keys(number, Keys.TAB)

    def solve(self, hand):
        self.enter_hand(hand)
        self["计算按钮"].click()
        self.wait(lambda: self.lines(), "the result list")
        return self.lines()

    def metrics(self, width, height, scale, mobile):
        self.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})

    def dialog_open(self):
        return self.d.execute_script("return document.getElementById('readme窗口').open")


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def check_opening(page):
    page.wait(lambda: page.d.execute_script("return document.readyState") == "complete",
              "the page")
    expect(page.d.title == "Vantrel", f"title {page.d.title!r}")
    expect(page.d.execute_script("return document.documentElement.lang") == "zh-CN", "lang")
    expect(page.focused() == "编辑框a", f"focus at start in {page.focused()!r}")
    names = [page[box].accessible_name for box in BOXES] + [page["结果列表框"].accessible_name]
    expect(names == ["第一个数", "第二个数", "第三个数", "第四个数", "结果"],
           f"accessible names {names}")
    expect(not page["窗口永远在上选择框"].is_enabled(), "the on-top check box is enabled")


def check_number_boxes(page):
    page["编辑框a"].click()
    page.keys("x1-", " 2", "3", "e")
    expect(page.values()[0] == "12", f"box a took {page.values()[0]!r} from 'x1- 23e'")
    page.keys(Keys.TAB)
    expect(page.focused() == "编辑框b", page.focused())
    expect(page.selection("编辑框b") == [0, 0], "an empty box selected something")
    page.keys("34")
    page.shift_tab()
    expect(page.focused() == "编辑框a" and page.selection("编辑框a") == [0, 2],
           f"Shift+Tab back: {page.focused()} selection {page.selection('编辑框a')}")
    page.keys("5")
    expect(page.values()[0] == "5", f"typing over the selection gave {page.values()[0]!r}")
    page["编辑框b"].click()
    expect(page.selection("编辑框b") == [0, 2], f"a click selected {page.selection('编辑框b')}")
    page.keys("6")
    expect(page.values()[:2] == ["5", "6"], f"boxes {page.values()}")


def check_tab_order(page):
    page["重新按钮"].click()
    visited = []
    for _ in range(7):
        page.keys(Keys.TAB)
        visited.append(page.focused())
    expect(visited == BOXES[1:] + ["计算按钮", "结果列表框", "重新按钮", "readme按钮"],
           f"Tab went {visited}")
    page.shift_tab()
    expect(page.focused() == "重新按钮", f"Shift+Tab went to {page.focused()}")


def check_solving(page, output):
    lines = page.solve(["1", "2", "9", "1"])
    expect(lines == LINES_1291, f"1 2 9 1 gave {lines}")
    # Heard without moving: the summary, in the status region.
    page.wait(lambda: page["结果播报"].get_attribute("textContent") == LINES_1291[-1],
              f"the status region to read {LINES_1291[-1]}")
    page.d.save_screenshot(os.path.join(output, "web-desktop.png"))
    # The list: its lines are options that the arrow keys walk through.
    page["结果列表框"].click()
    page.keys(Keys.HOME, Keys.DOWN)
    current = page["结果列表框"].get_attribute("aria-activedescendant")
    expect(page[current].text == LINES_1291[1], f"Home, Down selected {page[current].text!r}")
    page.keys(Keys.END)
    current = page["结果列表框"].get_attribute("aria-activedescendant")
    expect(page[current].text == LINES_1291[-1], f"End selected {page[current].text!r}")

    # An empty box: the missing-input line alone, the focus in box a, its text selected.
    page["编辑框c"].click()
    page.keys(Keys.BACKSPACE)
    page["计算按钮"].click()
    page.wait(lambda: page.lines() == [MISSING], f"the list to read {MISSING}")
    expect(page.focused() == "编辑框a" and page.selection("编辑框a") == [0, 1],
           f"missing input: focus {page.focused()}, selection {page.selection('编辑框a')}")
    page.wait(lambda: page["结果播报"].get_attribute("textContent") == MISSING,
              f"the status region to read {MISSING}")
    described = page["结果列表框"].get_attribute("aria-describedby")
    expect(described is None, f"the one-line list is still described by {described}")

    page["重新按钮"].click()
    expect(page.values() == ["", "", "", ""], f"reset left {page.values()}")
    expect(page.lines() == [], f"reset left {page.lines()}")
    expect(page.focused() == "编辑框a", f"reset put the focus in {page.focused()}")


def check_readme(page):
    page.enter_hand(["3", "3", "8", "8"])
    page["readme按钮"].click()
    page.wait(page.dialog_open, "the Readme dialog")
    text = page["标签1"].text
    expect(text.split("\n") == CREDITS, f"标签1 reads {text!r}")
    # The page behind takes no clicks and no keys.
    ActionChains(page.d).move_to_element(page["计算按钮"]).click().perform()
    ActionChains(page.d).move_to_element(page["编辑框a"]).click().perform()
    page.keys("7", Keys.TAB, Keys.TAB, Keys.TAB, "7")
    expect(page.lines() == [], f"a click behind the dialog solved: {page.lines()}")
    expect(page.values() == ["3", "3", "8", "8"], f"keys behind the dialog: {page.values()}")
    expect(page.dialog_open(), "the dialog closed on a click or key behind it")
    page.keys(Keys.ESCAPE)
    page.wait(lambda: not page.dialog_open(), "Esc to close the dialog")
    expect(page.focused() == "readme按钮", f"after the dialog, focus in {page.focused()}")
    page["readme按钮"].click()
    page.wait(page.dialog_open, "the dialog to open again")
    page["关闭按钮"].click()
    page.wait(lambda: not page.dialog_open(), "the close button")


def check_phone(page, output):
    page.metrics(390, 844, 2, True)
    try:
        page.solve(["1", "2", "9", "1"])
        sizes = page.d.execute_script("""
            const fits = document.scrollingElement.scrollWidth <= window.innerWidth;
            const ids = [...arguments[0], '计算按钮', '重新按钮', '结果列表框', '置顶', 'readme按钮'];
            return [fits, ids.map((id) => {
              const r = document.getElementById(id).getBoundingClientRect();
              return [id, Math.round(r.width), Math.round(r.height), r.right <= window.innerWidth];
            })];""", BOXES)
        expect(sizes[0], "the page scrolls sideways at 390 pixels")
        for element_id, width, height, inside in sizes[1]:
            expect(width >= 44 and height >= 44 and inside,
                   f"{element_id} is {width} x {height} at 390 pixels (inside: {inside})")
        expect(page["编辑框a"].get_attribute("inputmode") == "numeric", "no numeric keyboard")
        page["readme按钮"].click()
        page.wait(page.dialog_open, "the Readme dialog")
        size = page["关闭按钮"].size
        expect(size["width"] >= 44 and size["height"] >= 44, f"the close button is {size}")
        page.d.save_screenshot(os.path.join(output, "web-phone.png"))
        page.keys(Keys.ESCAPE)
        page.wait(lambda: not page.dialog_open(), "Esc to close the dialog")
    finally:
        page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def check_more(page, output):
    more = lambda: page.d.execute_script("return document.getElementById('更多').open")
    expect(not more(), "the section is open at first")
    # By keyboard: into the section after Readme, open it, fill it in.
    page["readme按钮"].click()
    page.keys(Keys.ESCAPE)
    page.wait(lambda: not page.dialog_open(), "Esc to close the dialog")
    page.keys(Keys.TAB)
    expect(page.focused() == "更多标题", f"Tab after Readme went to {page.focused()}")
    page.keys(Keys.ENTER, Keys.TAB, "100", Keys.TAB, "17", Keys.TAB, Keys.TAB, Keys.TAB, " ")
    expect(more() and page["不同选择框"].is_selected(), "the section by keyboard")
    names = [page[i].accessible_name for i in ("目标框", "编辑框e", "不同选择框")]
    expect(names == ["目标", "第五个数", "只列出不同的算法"], f"accessible names {names}")
    page["不同选择框"].click()
    lines = page.solve(["13", "14", "15", "16"])
    expect(lines == ["(13 + 15) × (17 - 14) + 16", "(14 + 15) × (17 - 13) - 16",
                     "共有2种不同的算法！"], f"13 14 15 16 17 for 100 gave {lines}")

    # Bad numbers: a message, the focus in the box, which says it is wrong.
    for text, message in [("1/0", "第六个数的分母是0！"), ("2..", "第六个数不是一个数！"),
                          ("9" * 19, "第六个数的位数太多了（最多18位）！")]:
        page["编辑框f"].clear()
        page["编辑框f"].send_keys(text)
        page["计算按钮"].click()
        page.wait(lambda: page.lines() == [message], f"the list to read {message}")
        expect(page.focused() == "编辑框f" and
               page["编辑框f"].get_attribute("aria-invalid") == "true",
               f"after {message}: focus in {page.focused()}")
    page["编辑框f"].clear()

    # Kept on this device.
    page.d.refresh()
    page.wait(lambda: page.d.execute_script("return document.readyState") == "complete", "reload")
    kept = [page[i].get_attribute("value") for i in ("目标框", "编辑框e", "编辑框f")]
    expect(more() and kept == ["100", "17", ""] and not page["不同选择框"].is_selected(),
           f"after a reload: open {more()}, {kept}")

    page.metrics(390, 844, 2, True)
    try:
        page["目标框"].clear()
        page["编辑框e"].clear()
        page["编辑框e"].send_keys("5")
        lines = page.solve(["1", "2", "3", "4"])
        expect(len(lines) == 49 and lines[-1] == "共有48种不同的算法！", f"1 2 3 4 5: {lines[-1]}")
        wrong = page.d.execute_script("""
            return ['更多标题', '目标框', '编辑框e', '编辑框g', '不同', '语言选择'].filter((id) => {
              const r = document.getElementById(id).getBoundingClientRect();
              return r.width < 44 || r.height < 44 || r.right > innerWidth;
            }).concat(document.scrollingElement.scrollWidth > innerWidth ? ['the page'] : []);""")
        expect(wrong == [], f"too small or too wide at 390 pixels: {wrong}")
        page.d.save_screenshot(os.path.join(output, "web-phone-more.png"))
    finally:
        page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        page.metrics(800, 600, 1, False)

    # Emptied and closed, the section is unused: the window's solve command again.
    page["编辑框e"].clear()
    page["更多标题"].click()
    lines = page.solve(["3", "3", "8", "8"])
    expect(not more() and lines == ["8 / (3 - 8 / 3)", "共有1种算法！"], f"unused: {lines}")


# While the list says it is calculating, how often and how regularly a 10 ms
# timer of the page fires; then the list's last line, and whether the page
# fetched the WebAssembly itself (the worker's fetches are its own).
RESPONSIVE = """
    const done = arguments[arguments.length - 1];
    const list = document.getElementById('结果列表框');
    let ticks = 0, last = null, longest = 0;
    const timer = setInterval(() => {
      const now = performance.now();
      if (list.textContent === '正在计算……') {
        if (last !== null) longest = Math.max(longest, now - last);
        [ticks, last] = [ticks + 1, now];
      } else if (list.textContent.endsWith('！')) {
        clearInterval(timer);
        const loaded = performance.getEntriesByType('resource').map((e) => e.name);
        done([ticks, Math.round(longest), list.lastElementChild.textContent,
              loaded.filter((name) => name.endsWith('solver.wasm'))]);
      }
    }, 10);
    document.getElementById('计算按钮').click();"""
# Requests to a worker of its own: answered in order; a newer one with the
# same key supersedes those not answered yet; a name that is not an engine
# function is refused. Where no worker starts, the engines answer in the page.
PROTOCOL = """
    const done = arguments[arguments.length - 1];
    import('./engines.js').then(async ({ startEngines, superseded }) => {
      const engines = startEngines();
      const { Worker } = window;
      window.Worker = class { constructor() { throw new Error('no workers here'); } };
      const inPage = startEngines();
      window.Worker = Worker;
      const order = [];
      const note = (promise) => promise.then((value) => value === superseded ? 'superseded'
          : JSON.stringify(value), (error) => error.message).then((text) => order.push(text));
      await Promise.all([
        note(engines.latest('list', 'solveDistinct', '1 2 3 4 5 6 7'.split(' '), '24')),
        note(engines.call('checkNumber', '1/0')),
        note(engines.latest('list', 'solve', ['1', '2', '3', '4'])),
        note(engines.latest('list', 'solve', ['3', '3', '8', '8'])),
        note(engines.call('toString')),
      ]);
      done([order, await engines.ready, await inPage.call('checkNumber', '1/0')]);
    });"""


def check_worker(page):
    page["更多标题"].click()
    page.enter_hand(["1", "2", "3", "4"])
    for box, number in zip(("编辑框e", "编辑框f", "编辑框g"), ("5", "6", "7")):
        page[box].clear()
        page[box].send_keys(number)
    ticks, longest, summary, loaded = page.d.execute_async_script(RESPONSIVE)
    expect(summary == "共有13672种不同的算法！", f"1 to 7 gave {summary}")
    expect(ticks >= 5 and longest < 100,
           f"while solving 1 to 7, the page's timer fired {ticks} times, at most {longest} ms apart")
    expect(loaded == [], f"the page itself loaded {loaded}")
    order, constants, in_page = page.d.execute_async_script(PROTOCOL)
    expect(order == ["superseded", '"zeroDenominator"', "superseded",
                     '{"lines":["8 / (3 - 8 / 3)","共有1种算法！"],"inputMissing":false}',
                     "no engine call toString"] and constants == {"maxDigits": 18},
           f"the worker answered {order}, {constants}")
    expect(in_page == "zeroDenominator", f"without a worker, the page answered {in_page}")
    for box in ("编辑框e", "编辑框f", "编辑框g"):
        page[box].clear()


HAN = re.compile(r"[\u3400-\u9fff\uff01-\uff5e]")
PAGE_TEXTS = """
    const texts = [document.title, document.body.innerText,
                   document.querySelector('meta[name="description"]').content];
    for (const e of document.querySelectorAll('[aria-label], [title], [hidden]'))
      texts.push(e.getAttribute('aria-label') ?? '', e.title, e.hidden ? e.textContent : '');
    return texts.join('\\n');"""
# The texts of the elements that name a catalogue's text, as the page shows
# them, or (arguments[0]) as index.html has them.
NAMED_TEXTS = """
    const done = arguments[arguments.length - 1];
    const read = (root) => [...root.querySelectorAll('[data-text], [data-label], [data-title]')]
      .map((e) => [e.dataset.text && e.textContent, e.dataset.label && e.getAttribute('aria-label'),
                   e.dataset.title && e.title]);
    fetch('index.html').then((r) => r.text()).then((html) =>
      done([read(document), read(new DOMParser().parseFromString(html, 'text/html'))]));"""
# Every catalogue has the keys of the page's own, with texts of the same kind.
CATALOGUES = """
    const done = arguments[arguments.length - 1];
    import('./texts.js').then(({ catalogues, pickLanguage }) => {
      const kinds = (c) => Object.entries(c)
        .map(([k, v]) => `${k}:${typeof v === 'function' ? v.length : typeof v}`).sort();
      const own = JSON.stringify(kinds(catalogues['zh-CN']));
      const unlike = Object.keys(catalogues).filter((name) =>
        JSON.stringify(kinds(catalogues[name])) !== own ||
        Object.values(catalogues[name]).some((v) => v === '' || String(v).includes('undefined')));
      const picks = [['zh-TW'], ['zh-hk'], ['zh-MO'], ['zh-Hant'], ['zh-Hant-CN'], ['zh-Hans-HK'],
                     ['zh'], ['zh-CN'], ['zh-SG'], ['en-GB'], ['fr', 'zh-TW'], ['fr'], []]
        .map(pickLanguage).join(' ');
      done([unlike, picks]);
    });"""
PICKS = "zh-TW zh-TW zh-TW zh-TW zh-TW zh-CN zh-CN zh-CN zh-CN en zh-TW en zh-CN"


def check_english(page, output):
    """A browser in English: every text in English, then back to 简体中文."""
    page.wait(lambda: page.d.execute_script("return document.documentElement.lang") == "en",
              "the page in English")
    names = [page[box].accessible_name for box in BOXES[:2]]
    manifest = page.d.execute_script(
        "return document.querySelector('link[rel=manifest]').getAttribute('href')")
    expect(names == ["First number", "Second number"] and manifest == "manifest-en.webmanifest",
           f"accessible names {names}, manifest {manifest}")
    page["更多标题"].click()
    page["编辑框e"].send_keys("1/0")
    page["计算按钮"].click()
    page.wait(lambda: page.lines() == ["Please enter 4 numbers!"], "the missing-input line")
    page.enter_hand(["1", "2", "3", "4"])
    page["计算按钮"].click()
    page.wait(lambda: page.lines() == ["The fifth number is a fraction over 0!"], "the message")
    page["编辑框e"].clear()
    page["编辑框e"].send_keys("5")
    page.metrics(390, 844, 2, True)
    try:
        lines = page.solve(["1", "2", "3", "4"])
        expect(lines[-1] == "48 distinct solutions!", f"1 2 3 4 5: {lines[-1]}")
        page.d.save_screenshot(os.path.join(output, "web-phone-en.png"))
    finally:
        page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        page.metrics(800, 600, 1, False)
    page["readme按钮"].click()
    page.wait(page.dialog_open, "the Readme dialog")
    shown = page.d.execute_script(PAGE_TEXTS)
    left = HAN.findall(shown.replace("简体中文", "").replace("繁體中文", ""))
    expect(not left, f"Chinese left on the English page: {''.join(left)}")
    page.keys(Keys.ESCAPE)
    unlike, picks = page.d.execute_async_script(CATALOGUES)
    expect(unlike == [] and picks == PICKS, f"catalogues unlike zh-CN's: {unlike}; picks {picks}")

    # Back to the page's own language: every text as index.html has it, and
    # the list's lines too; kept for the next visit.
    Select(page["语言选择"]).select_by_value("zh-CN")
    shown, own = page.d.execute_async_script(NAMED_TEXTS)
    expect(shown == own, "in 简体中文 the texts differ from index.html's: " +
           str([pair for pair in zip(shown, own) if pair[0] != pair[1]]))
    expect(page.lines()[-1] == "共有48种不同的算法！", f"the list after 简体中文: {page.lines()[-1]}")
    page.d.refresh()
    page.wait(lambda: page["计算按钮"].text == "开始计算", "简体中文 after a reload")


def check_traditional(page, output):
    """A browser in Traditional Chinese (Taiwan)."""
    page.wait(lambda: page.d.execute_script("return document.documentElement.lang") == "zh-TW",
              "the page in Traditional Chinese")
    lines = page.solve(["1", "2", "9", "1"])
    expect(page["计算按钮"].text == "開始計算" and lines == LINES_1291[:-1] + ["共有4種算法！"],
           f"{page['计算按钮'].text}: 1 2 9 1 gave {lines}")
    page.d.save_screenshot(os.path.join(output, "web-desktop-zh-TW.png"))
    expect(page.solve(["1", "1", "1", "1"]) == ["電腦我也算不出啦：（"], f"{page.lines()}")


def cache_names(page):
    return page.d.execute_async_script("caches.keys().then(arguments[0])")


def check_offline(page, server, folder):
    page.d.set_script_timeout(20)
    page.wait(lambda: page.d.execute_script("return !!navigator.serviceWorker.controller"),
              "the service worker to take over the page")
    errors = [entry for entry in page.d.get_log("browser") if entry["level"] == "SEVERE"]
    expect(not errors, f"the browser reported {errors}")
    kept = cache_names(page)
    expect(len(kept) == 1, f"caches {kept}")

    server.stop()
    reached = page.d.execute_async_script(
        "fetch('not-in-the-site').then(() => arguments[0](true), () => arguments[0](false))")
    expect(not reached, "the server still answers")
    page.d.refresh()
    lines = page.solve(["3", "3", "8", "8"])
    expect(lines == ["8 / (3 - 8 / 3)", "共有1种算法！"], f"offline, 3 3 8 8 gave {lines}")
    in_page = [e for e in page.d.get_log("browser") if "in the page itself" in e["message"]]
    expect(not in_page, f"offline, the engines' worker did not start: {in_page}")
    page.d.get(server.url + "#practice")
    page.wait(lambda: len(page.d.find_elements(By.CSS_SELECTOR, "#牌面 .牌")) == 4,
              "a hand of practice dealt offline")
    page.d.get(server.url)

    # A new build: on the next visit it is fetched and replaces the old one,
    # cache and all; the visit after shows it.
    with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
        html = f.read()
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as f:
        f.write(html.replace("<title>Vantrel</title>", "<title>Vantrel 2</title>"))
    with open(os.path.join(folder, "sw.js"), encoding="utf-8") as f:
        worker = f.read()
    worker, count = re.subn(r"const build = '(\w+)'", r"const build = '\1-2'", worker)
    expect(count == 1, "sw.js names no build")
    with open(os.path.join(folder, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)
    server.start()
    page.d.refresh()
    page.wait(lambda: [name for name in cache_names(page)] == [kept[0] + "-2"],
              "the new build's cache to replace the old one")
    page.d.refresh()
    expect(page.d.title == "Vantrel 2", f"after the new build, the title is {page.d.title!r}")


def run_sessions(sessions, page_type, url, scratch):
    """Runs each language's checks in a browser of its own, with a profile of its
    own, and says how long each check took."""
    driver = None
    try:
        for language, checks in sessions:
            driver = start_chromium(os.path.join(scratch, f"profile-{language}"), language)
            page = page_type(driver)
            page.metrics(800, 600, 1, False)
            driver.get(url)
            for name, check in checks:
                start = time.monotonic()
                check(page)
                print(f"ok  {name} ({time.monotonic() - start:.1f} s)", flush=True)
            driver.quit()
            driver = None
    finally:
        if driver is not None:
            driver.quit()


def main():
    site, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="vantrel-web-")
    folder = os.path.join(scratch, "site")
    shutil.copytree(site, folder)
    server = Server(folder)
    # A browser for each language, with a profile of its own.
    sessions = [
        ("zh-CN", [
            ("opening", check_opening),
            ("number boxes", check_number_boxes),
            ("Tab order", check_tab_order),
            ("solving, missing input, reset", lambda page: check_solving(page, output)),
            ("Readme dialog", check_readme),
            ("phone width", lambda page: check_phone(page, output)),
            ("the section below the window", lambda page: check_more(page, output)),
            ("the engines' worker", check_worker),
            ("offline, and a new build", lambda page: check_offline(page, server, folder)),
        ]),
        ("en-US", [("in English", lambda page: check_english(page, output))]),
        ("zh-TW", [("in Traditional Chinese", lambda page: check_traditional(page, output))]),
    ]
    try:
        run_sessions(sessions, Page, server.url, scratch)
    finally:
        try:
            server.stop()
        except Exception:
            pass
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
