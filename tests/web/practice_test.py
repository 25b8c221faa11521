#!/usr/bin/python3
"""Practice in the web page (#practice), used in headless Chromium as a
person would, with the hands fixed by the address's seed: the view's address
and the way back, wrong answers of each kind with the stretch they point at,
hints, a right answer tapped on the cards and keypad, a second way and the
same way again, the timer paused while the page is hidden, the statistics
across a reload, the answers shown, a level changed, a hand without a
solution, the worker doing the work, the phone width and the printed
worksheet; then the same view in English, by keyboard, and switched to
Traditional Chinese. Saves
web-practice.png (after a second way), web-phone-practice.png (390 x 844) and
web-worksheet.pdf in the output folder.

Usage: practice_test.py SITE OUTPUT_DIR
"""

import base64
import os
import re
import shutil
import sys
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from page_test import Page, Server, expect, run_sessions

# With seed 6, Easy and A to K: 1 1 5 7 (two ways), then 1 1 12 13 (one way).
HAND = ["方块 A，1", "黑桃 A，1", "方块 5，5", "红桃 7，7"]
STATISTICS = "已玩 {} 手 · 独立解出 {} 手 · 平均 {} 秒 · 最快 {} 秒 · 连胜 {}（最多 {}）"
# Answers to 1 1 5 7 that are wrong: what the page says, and what of the
# answer it selects (None: the selection stays where typing left it).
WRONG = [
    ("(1+5)/(7+1)", "算出来是 3/4，不是 24。", None),
    ("(1+1)×(5+5)", "5 用得比牌多。", [9, 10]),
    ("(1+1)*(5+7+2)", "2 不是这手牌里的数。", [11, 12]),
    ("(１＋１)×(5+7", "括号没有配对。", [6, 7]),
    ("(1+1)*5+7", "算出来是 17，不是 24。", None),
    ("1+1+5", "还有牌没用上：7。", None),
    ("7/(1-1)*5", "不能除以 0。", [2, 7]),
    ("(1+1)×(5+7)=12", "算式等于 24，不是 12。", [12, 14]),
    ("(1+1)x(5+7)", "看不懂这里的字符。", [5, 6]),
    ("(1+1)(5+7)", "这里少了一个运算符。", [5, 6]),
    ("(1+1)×(5+7)+", "这里少了一个数。", [12, 12]),
    ("-1+1+5×7", "24 点里没有负数：只在牌之间用 + − × ÷。", [0, 1]),
    ("", "请先输入算式。", [0, 0]),
    ("无解", "这手牌有解，再想想。", None),
]

# Tells the page it is shown or hidden, as a browser does when its tab is.
VISIBLE = """
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => !arguments[0] });
    document.dispatchEvent(new Event('visibilitychange'));"""


class Practice(Page):
    def go(self, address, values):
        self.d.get(address)
        self.wait(lambda: self.values() == values, f"{values} at {address}")

    def cards(self):
        """The cards' names, read at once: a new hand replaces the buttons."""
        return self.d.execute_script("return [...document.querySelectorAll('#牌面 .牌')]"
                                     ".map((card) => card.getAttribute('aria-label'))")

    def values(self):
        """The cards' values, as their names end."""
        return [int(re.split(r"[，,] ?", name)[-1]) for name in self.cards()]

    def said(self):
        return self["练习反馈"].get_attribute("textContent")

    def check(self, text, expected):
        """Types text over the answer, Enter, and waits for the feedback."""
        box = self["答案框"]
        box.click()
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.DELETE)
        if text:
            box.send_keys(text)
        box.send_keys(Keys.ENTER)
        self.wait(lambda: self.said() == expected, f"{text!r} to say {expected!r}, not "
                  f"{self.said()!r}")

    def statistics(self):
        return self["统计行"].text

    def ways(self):
        return [(item.text, item.get_attribute("class") == "找到")
                for item in self.d.find_elements(By.CSS_SELECTOR, "#算法列表 > li")]

    def shown(self):
        return self.d.execute_script(
            "return [!document.getElementById('练习').hidden, "
            "!document.getElementById('主窗口').hidden, location.hash, document.title]")


def check_view(page, url):
    """The link to practice, its address, the way back, and back and forward."""
    page["练习链接"].click()
    page.wait(lambda: len(page.cards()) == 4, "a hand dealt")
    expect(page.shown() == [True, False, "#practice", "练习 · Vantrel"], f"{page.shown()}")
    expect(page.focused() == "练习标题", f"practice opened with the focus in {page.focused()}")
    page["计算链接"].click()
    expect(page.shown() == [False, True, "", "Vantrel"], f"back to the solver: {page.shown()}")
    expect(page.focused() == "练习链接", f"the solver's focus in {page.focused()}")
    page.d.back()
    page.wait(lambda: page.shown()[0], "Back to open practice again")
    page.d.forward()
    page.wait(lambda: page.shown()[1], "Forward to open the solver")
    page.go(url + "#practice?seed=6", [1, 1, 5, 7])
    names = [card.accessible_name for card in page.d.find_elements(By.CSS_SELECTOR, "#牌面 .牌")]
    expect(names == HAND, f"seed 6 dealt {names}")


def check_answers(page, url, output):
    page["清空统计按钮"].click()
    page.d.switch_to.alert.accept()
    expect(page.statistics() == STATISTICS.format(0, 0, "–", "–", 0, 0), page.statistics())
    for text, message, selected in WRONG:
        page.check(text, message)
        if selected is not None:
            expect(page.selection("答案框") == selected,
                   f"{text!r} selected {page.selection('答案框')}, not {selected}")
    page.wait(lambda: page["练习播报"].get_attribute("textContent") == WRONG[-1][1],
              "the screen reader to hear the feedback")
    # A pasted answer far too long reaches the checker whole.
    page.d.execute_script("document.getElementById('答案框').value = '1+'.repeat(600)")
    page["答案框"].send_keys(Keys.END, Keys.ENTER)
    page.wait(lambda: page.said() == "算式太长了。", "the long answer's feedback")
    expect(page.selection("答案框") == [1000, 1200], f"selected {page.selection('答案框')}")

    page["提示按钮"].click()
    expect(page["提示行"].text == "提示：先算 5 − 1 = 4。", f"hint: {page['提示行'].text}")
    page["提示按钮"].click()
    expect(page["提示行"].text == "一种算法：(5 - 1) × (7 - 1)", f"hint: {page['提示行'].text}")

    # Tapped: the keypad and the cards type where the cursor is.
    keys = {key.get_attribute("data-key"): key
            for key in page.d.find_elements(By.CSS_SELECTOR, "#键盘 .键")}
    cards = page.d.find_elements(By.CSS_SELECTOR, "#牌面 .牌")
    for tap in [keys["clear"], keys["("], cards[0], keys["+"], cards[1], keys[")"], keys["×"],
                keys["("], cards[2], keys["+"], cards[3], keys["÷"], keys["backspace"], keys[")"]]:
        tap.click()
    expect(page["答案框"].get_attribute("value") == "(1+1)×(5+7)",
           f"tapped {page['答案框'].get_attribute('value')!r}")
    page["提交按钮"].click()
    page.wait(lambda: re.fullmatch(r"对了！这是第 1 种算法，共 2 种。\n用时 \d+:\d\d", page.said()),
              f"the first way, not {page.said()!r}")
    stopped = page["用时"].text
    page.check("(7−1)*(5-1)", "对了！这是第 2 种算法，共 2 种。\n2 种算法全都找到了！")
    page.check("(5+7)×(1+1)", "这种算法已经找到过了（第 1 种）。")
    found = page.ways()
    expect(page["算法标题"].text == "找到 2 种，共 2 种" and
           found == [("(1 + 1) × (5 + 7)", True), ("(1 - 5) × (1 - 7)", True)], f"ways {found}")
    page.d.save_screenshot(os.path.join(output, "web-practice.png"))
    # The timer stopped at the first right answer, and is heard on request.
    time.sleep(1.1)
    expect(page["用时"].text == stopped, f"the timer went on to {page['用时'].text}")
    page["用时按钮"].click()
    page.wait(lambda: page["练习播报"].get_attribute("textContent") == stopped, "the time heard")
    expect(page.statistics() == STATISTICS.format(1, 0, "–", "–", 0, 0),
           f"helped by a hint: {page.statistics()}")

    page["下一手按钮"].click()
    page.wait(lambda: page.values() == [1, 1, 12, 13], "the next hand, 1 1 12 13")
    # Hidden, the page stops the clock; shown again, it goes on.
    page.d.execute_script(VISIBLE, False)
    paused = page["用时"].text
    time.sleep(2.2)
    expect(page["用时"].text == paused, f"hidden, the timer went from {paused} to "
           f"{page['用时'].text}")
    page.d.execute_script(VISIBLE, True)
    page.check("12+13-1*1", f"对了！这是第 1 种算法，共 1 种。\n{page['用时'].text}")
    unaided = re.fullmatch(STATISTICS.format(2, 1, r"(\d+\.\d)", r"(\d+\.\d)", 1, 1),
                           page.statistics())
    expect(unaided and unaided[1] == unaided[2], f"solved unaided: {page.statistics()}")

    # Kept across a reload; the seed deals the same hands again.
    kept = page.statistics()
    page.d.refresh()
    page.wait(lambda: page.cards() == HAND, "the seed's first hand after a reload")
    expect(page.statistics() == kept, f"after a reload: {page.statistics()}")
    page["看答案按钮"].click()
    expect(page["算法标题"].text == "全部 2 种算法：" and
           page.ways() == [("(1 + 1) × (5 + 7)", False), ("(1 - 5) × (1 - 7)", False)],
           f"the answers: {page['算法标题'].text} {page.ways()}")
    expect(re.fullmatch(STATISTICS.format(3, 1, r"\d+\.\d", r"\d+\.\d", 0, 1), page.statistics()),
           f"answers shown: {page.statistics()}")

    Select(page["难度选择"]).select_by_visible_text("中等")
    page.wait(lambda: page.cards() != HAND, "a hand of 中等")
    expect(page.statistics() == STATISTICS.format(0, 0, "–", "–", 0, 0), page.statistics())
    Select(page["难度选择"]).select_by_visible_text("简单")
    # The cards chosen are kept for the next visit.
    Select(page["牌选择"]).select_by_visible_text("A 到 10")
    page.d.refresh()
    page.wait(lambda: len(page.cards()) == 4, "a hand after a reload")
    expect(max(page.values()) <= 10 and page["牌选择"].get_attribute("value") == "10",
           f"A 到 10 after a reload: {page.values()}")
    Select(page["牌选择"]).select_by_visible_text("A 到 K")

    # Hands without a solution: with seed 1 the first is 6 J J K.
    page.go(url + "#practice?seed=1", [10, 10, 12, 12])
    page["无解牌选择框"].click()
    page.wait(lambda: page.values() == [6, 11, 11, 13], "6 J J K")
    page["无解按钮"].click()
    page.wait(lambda: page.said().startswith("对了，这手牌无解。\n用时"), "无解 to be right")
    page["无解牌选择框"].click()

    # Every engine call went to the worker: the page never loaded the module.
    loaded = page.d.execute_script("return performance.getEntriesByType('resource')"
                                   ".map((e) => e.name).filter((n) => n.endsWith('.wasm'))")
    in_page = [e for e in page.d.get_log("browser") if "in the page itself" in e["message"]]
    expect(loaded == [] and in_page == [], f"the page ran the engines itself: {loaded} {in_page}")


def check_phone(page, output):
    """390 x 844: nothing wider than the screen, every target 44 pixels or more."""
    page.metrics(390, 844, 2, True)
    try:
        page.d.refresh()
        page.wait(lambda: len(page.cards()) == 4, "a hand at phone width")
        small = page.d.execute_script("""
            const targets = document.querySelectorAll(
              '#练习 button, #练习 select, #答案框, #计算链接, #无解牌');
            return [...targets].map((e) => [e.id || e.textContent, e.getBoundingClientRect()])
              .filter(([, r]) => r.width < 44 || r.height < 44 || r.right > innerWidth)
              .map(([name, r]) => `${name} ${r.width} x ${r.height}`)
              .concat(document.scrollingElement.scrollWidth > innerWidth ? ['the page'] : []);""")
        expect(small == [], f"at 390 pixels: {small}")
        page.d.save_screenshot(os.path.join(output, "web-phone-practice.png"))
    finally:
        page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        page.metrics(800, 600, 1, False)


def check_worksheet(page, output):
    """Eight hands, then the answers on a page of their own."""
    page.d.execute_script("window.print = () => { window.printed = true; };")
    page["打印按钮"].click()
    page["题数框"].clear()
    page["题数框"].send_keys("8")
    page["打印确定按钮"].click()
    page.wait(lambda: page.d.execute_script("return window.printed === true"), "window.print()")
    sheet = page.d.execute_script("""
        const texts = (selector) => [...document.querySelectorAll(selector)]
          .map((e) => e.textContent);
        return [texts('#练习题 h1'), texts('.题目 .题牌'), texts('.答案 > li')];""")
    titles, hands, answers = sheet
    expect(titles == ["24 点练习题 · 简单 · A–K"] * 2 and len(hands) == 8 and
           len(set(hands)) == 8 and len(answers) == 8, f"the worksheet: {sheet}")
    page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    try:
        paper = page.d.execute_script("""
            const shown = (id) => getComputedStyle(document.getElementById(id)).display !== 'none';
            return [shown('练习'), shown('窗口下方'), shown('练习题'),
                    getComputedStyle(document.querySelector('.答案页')).breakBefore];""")
        expect(paper == [False, False, True, "page"], f"printed: {paper}")
    finally:
        page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
    pdf = base64.b64decode(page.d.execute_cdp_cmd("Page.printToPDF", {})["data"])
    with open(os.path.join(output, "web-worksheet.pdf"), "wb") as f:
        f.write(pdf)
    pages = len(re.findall(rb"/Type\s*/Page\b", pdf))
    expect(pages == 2, f"the worksheet printed on {pages} pages")
    # Esc prints nothing, after a worksheet as before.
    page.d.execute_script("window.printed = false;")
    page["打印按钮"].click()
    page.keys(Keys.ESCAPE)
    page.wait(lambda: not page.d.execute_script("return document.getElementById('打印窗口').open"),
              "Esc to close the dialog")
    time.sleep(0.3)
    expect(not page.d.execute_script("return window.printed"), "Esc printed a worksheet")


def check_english(page, url):
    page.go(url + "#practice?seed=6", [1, 1, 5, 7])
    names = page.cards()
    expect(names == ["Ace of diamonds, 1", "Ace of spades, 1", "5 of diamonds, 5",
                     "7 of hearts, 7"] and page.d.title == "Practice · Vantrel",
           f"{names}, the title {page.d.title}")
    page.check("(1+5)/(7+1)", "That makes 3/4, not 24.")
    page.check("1+1+5", "Not every card is used: 7 is left.")
    # A card activated by keyboard types its value too.
    page["答案框"].send_keys(Keys.TAB)
    expect(page.focused() == "提交按钮", f"Tab went to {page.focused()}")
    page.shift_tab()
    page.shift_tab()
    expect(page.focused() == "牌4", f"Shift+Tab went to {page.focused()}")
    page.keys(Keys.ENTER)
    typed = page["答案框"].get_attribute("value")
    expect(typed == "1+1+57", f"Enter on the fourth card: {typed!r}")
    # Another language changes what is shown at once.
    Select(page["语言选择"]).select_by_value("zh-TW")
    expect(page.cards()[0] == "方塊 A，1" and page.said() == "還有牌沒用上：7。" and
           page.d.title == "練習 · Vantrel", f"in 繁體中文: {page.cards()} {page.said()}")


def main():
    site, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="vantrel-practice-")
    server = Server(site)
    sessions = [
        ("zh-CN", [
            ("the view and its address", lambda page: check_view(page, server.url)),
            ("answers, hints, ways, statistics", lambda page: check_answers(page, server.url,
                                                                           output)),
            ("phone width", lambda page: check_phone(page, output)),
            ("worksheet", lambda page: check_worksheet(page, output)),
        ]),
        ("en-US", [("in English", lambda page: check_english(page, server.url))]),
    ]
    try:
        run_sessions(sessions, Practice, server.url, scratch)
    finally:
        server.stop()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
