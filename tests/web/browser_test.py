#!/usr/bin/python3
"""The page from the release zip in headless Chromium, used as a visitor uses it: with the mouse
and by touch, on an ordinary, a high-DPI and a phone's screen, with a screen reader's view
through Chromium's accessibility tree, and once more without a network."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "common")]
from browser import BORDER, SHADOW, TITLE_BAR, Browser, wait_for  # noqa: E402
from forms import Form  # noqa: E402
from pixels import glyphs, read_number  # noqa: E402

ZIP = os.environ.get("KUGELFIX_WEB_ZIP", "dist/kugelfix-1.00-web.zip")
SHOTS = os.environ.get("KUGELFIX_SHOTS")
MAIN, DIALOG = Form("Form1"), Form("Form2")
NEUTRAL, GREEN, RED = (0xFD, 0xE6, 0xE3), (0x00, 0xFF, 0x00), (0xFF, 0x00, 0x00)
SCREEN = dict(width=1280, height=1024, deviceScaleFactor=1, mobile=False)


def analysis_colour(count):
    """The colour 4000 x count, written &H00BBGGRR, as red, green and blue."""
    value = 4000 * count
    return value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF


class Visit:
    """The main window of one page load, read from the page's pixels."""

    def __init__(self, browser):
        self.browser = browser
        self.window = browser.window(MAIN.title)
        self.origin = tuple(round(v) for v in self.window["client"][:2])

    def at(self, point):
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def click(self, control):
        self.browser.click(*self.at(MAIN.centre(control)))

    def cells(self, image):
        """Each board number's colour, read inside its cell clear of its digits."""
        colours = {}
        for number in range(1, 50):
            left, top, _, _ = MAIN.rect("Label3", number)
            colours[number] = image.getpixel(self.at((left + 3, top + 3)))
        return colours

    def result_boxes(self):
        for index in range(6):
            left, top, width, height = MAIN.rect("label1", index)
            yield self.at((left + 2, top + 2)) + self.at((left + width - 2, top + height - 2))

    def results(self, image):
        """The numbers the six result cells show (None for an empty cell)."""
        shown = []
        for box in self.result_boxes():
            number, similarity = read_number(image, box)
            shown.append(number if similarity > 0.6 else None)
        return shown

    def filled(self, image):
        """How many result cells show something."""
        return sum(glyphs(image, box) is not None for box in self.result_boxes())

    def settled(self, hold=0.6, timeout=30):
        """The picture once the board has held still for a while."""
        last = [None]

        def still():
            image = self.browser.screenshot()
            now = self.cells(image)
            done = now == last[0]
            last[0] = now
            return image if done else time.sleep(hold)
        return wait_for("the board to hold still", still, timeout)

    def type_depth(self, text):
        self.click("Combo1")
        keys = self.browser.call
        keys("Input.dispatchKeyEvent", type="keyDown", key="a", code="KeyA",
             windowsVirtualKeyCode=65, modifiers=2)
        keys("Input.dispatchKeyEvent", type="keyUp", key="a", code="KeyA",
             windowsVirtualKeyCode=65, modifiers=2)
        for character in text:
            code = ord(character)
            keys("Input.dispatchKeyEvent", type="keyDown", key=character, text=character,
                 code="Digit" + character, windowsVirtualKeyCode=code)
            keys("Input.dispatchKeyEvent", type="keyUp", key=character,
                 code="Digit" + character, windowsVirtualKeyCode=code)


def save(image, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        image.save(os.path.join(SHOTS, name + ".png"))


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser(ZIP)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def load(self, **screen):
        self.browser.call("Emulation.setDeviceMetricsOverride", **{**SCREEN, **screen})
        self.browser.open()
        return Visit(self.browser)

    def test_page_is_the_programs(self):
        self.load()
        page = self.browser.evaluate("""(async () => ({
            title: document.querySelector('title').textContent,
            icons: [...document.querySelectorAll('link[rel=icon]')].map((l) => l.sizes.value),
            manifest: await (await fetch('kugelfix.webmanifest')).json(),
            progress: !!document.querySelector('#loading progress') }))()""")
        self.assertEqual(page["title"].replace("\u00a0", " "), MAIN.title)
        self.assertIn("64x64", page["icons"])
        self.assertEqual(page["manifest"]["display"], "standalone")
        self.assertEqual(sorted(i["sizes"] for i in page["manifest"]["icons"]),
                         ["192x192", "512x512"])
        self.assertTrue(page["progress"])

    def test_main_window_centred_with_close_box_only(self):
        window = self.load().window
        left, top, width, height = window["frame"]
        self.assertEqual(window["client"][2:], list(MAIN.size))
        self.assertEqual((width, height), (MAIN.size[0] + 2 * BORDER,
                                           MAIN.size[1] + 2 * BORDER + TITLE_BAR))
        self.assertLessEqual(abs(left + width / 2 - SCREEN["width"] / 2), 1)
        self.assertLessEqual(abs(top + height / 2 - SCREEN["height"] / 2), 1)
        self.assertIsNotNone(window["close"])
        self.assertEqual(window["buttons"], 1)

    def test_tip_shows_six_numbers_green(self):
        visit = self.load()
        self.assertEqual(set(visit.cells(self.browser.screenshot()).values()), {NEUTRAL})
        visit.click("commando1")
        image = visit.settled()
        save(image, "web-after-tip")
        green = sorted(n for n, colour in visit.cells(image).items() if colour == GREEN)
        self.assertEqual(len(green), 6)
        self.assertEqual(visit.results(image), green)

    def test_touch_works_as_the_mouse(self):
        visit = self.load()
        self.browser.tap(*visit.at(MAIN.centre("commando1")))
        green = [n for n, c in visit.cells(visit.settled()).items() if c == GREEN]
        self.assertEqual(len(green), 6)
        self.browser.tap(*visit.at(MAIN.centre("Label3", 25)))
        cells = visit.cells(visit.settled())
        self.assertEqual(cells[25], NEUTRAL if 25 in green else GREEN)

    def test_analysis_counts_every_tip(self):
        visit = self.load()
        visit.click("commando3")
        image = visit.settled()
        counts = {}
        colours = {analysis_colour(n): n for n in range(12)}
        for number, colour in visit.cells(image).items():
            self.assertIn(colour, colours, number)
            counts[number] = colours[colour]
        # Depth 10: eleven tips of six numbers each.
        self.assertEqual(sum(counts.values()), 66)

    def test_draw_reveals_every_two_seconds(self):
        visit = self.load()
        visit.click("commando1")
        tip = {n for n, c in visit.cells(visit.settled()).items() if c == GREEN}
        visit.click("commando4")
        start = time.monotonic()
        reveals = []
        while len(reveals) < 6 and time.monotonic() - start < 20:
            image = self.browser.screenshot()
            if visit.filled(image) > len(reveals):
                reveals.append(time.monotonic() - start)
        shown = visit.results(self.browser.screenshot())
        self.assertEqual(len(reveals), 6, reveals)
        self.assertNotIn(None, shown)
        self.assertEqual(shown, sorted(shown))
        steps = [b - a for a, b in zip([0] + reveals, reveals)]
        for step in steps:
            self.assertAlmostEqual(step, 2.0, delta=0.5, msg=steps)
        cells = visit.cells(visit.settled())
        self.assertEqual({n for n, c in cells.items() if c == RED}, tip & set(shown))
        self.assertEqual({n for n, c in cells.items() if c == GREEN}, tip - set(shown))

    def test_depth_200_lasts_ten_seconds(self):
        visit = self.load()
        visit.type_depth("200")
        visit.click("commando1")
        start = time.monotonic()
        last_change, last = start, None
        while time.monotonic() - last_change < 1.5 and time.monotonic() - start < 20:
            now = visit.cells(self.browser.screenshot())
            if now != last:
                last_change, last = time.monotonic(), now
            time.sleep(0.02)
        self.assertAlmostEqual(last_change - start, 10.0, delta=0.5)

    def test_close_box_and_ok_end_the_program(self):
        window = self.load().window
        left, top, width, height = window["close"]
        self.browser.click(left + width / 2, top + height / 2)
        dialog = self.browser.window(DIALOG.title)
        save(self.browser.screenshot(), "web-dialog")
        self.assertEqual(dialog["buttons"], 1)
        frame = dialog["frame"]
        self.assertLessEqual(abs(frame[0] + frame[2] / 2 - SCREEN["width"] / 2), 1)
        self.assertEqual(self.browser.titles(), [DIALOG.title])

        x, y = (round(v) for v in dialog["client"][:2])
        ok = DIALOG.centre("commando1")
        self.browser.click(x + ok[0], y + ok[1])
        ended = wait_for("the note of the end", lambda: self.browser.evaluate(
            "!document.getElementById('ended').hidden && !document.getElementById('screen') &&"
            " document.getElementById('ended').innerText"))
        self.assertIn("beendet", ended)
        # Its button starts the program again.
        self.browser.evaluate("document.querySelector('#ended button').click()")
        Visit(self.browser)

    def test_title_bar_keeps_the_size(self):
        window = self.load().window
        left, top = window["frame"][:2]
        self.browser.mouse("mousePressed", left + 100, top + 10, button="left", clickCount=2)
        self.browser.mouse("mouseReleased", left + 100, top + 10, button="left", clickCount=2)
        time.sleep(0.3)
        self.assertEqual(self.browser.window(MAIN.title)["frame"], window["frame"])

    def test_sharp_on_high_dpi(self):
        visit = self.load(deviceScaleFactor=2)
        self.assertEqual(visit.window["canvas"], [2 * MAIN.size[0], 2 * MAIN.size[1]])

    def test_phone_upright_scales_to_fit(self):
        width, height = 360, 740
        visit = self.load(width=width, height=height, mobile=True, deviceScaleFactor=3)
        save(self.browser.screenshot(), "web-phone")
        left, top, frame_width, frame_height = visit.window["frame"]
        self.assertGreaterEqual(left, 0)
        self.assertLessEqual(left + frame_width, width)
        self.assertLess(frame_width, MAIN.size[0])
        self.browser.tap(*(round(v) for v in visit.window["close"][:2]))
        dialog = self.browser.window(DIALOG.title)["frame"]
        self.assertGreaterEqual(dialog[0], 0)
        self.assertLessEqual(dialog[0] + dialog[2], width)

    def test_screen_reader_reads_and_presses(self):
        self.load()
        self.browser.evaluate(SHADOW + ".querySelector('.hidden-visually-read-by-screen-reader')"
                              ".click()")
        self.browser.call("Accessibility.enable")

        def read():
            """Each named node's role, name and whether it is checked."""
            nodes = []
            for node in self.browser.call("Accessibility.getFullAXTree")["nodes"]:
                name = node.get("name", {}).get("value")
                if node.get("ignored") or not name:
                    continue
                checked = any(p["name"] == "checked" and p["value"]["value"] == "true"
                              for p in node.get("properties", []))
                nodes.append((node["role"]["value"], " ".join(name.split()), checked,
                              node.get("backendDOMNodeId")))
            return nodes

        def named(role):
            return {name: node for kind, name, *node in read() if kind == role}
        buttons = wait_for("the buttons", lambda: (lambda b: len(b) == 3 and b)(named("button")))
        self.assertEqual(set(buttons), {"Tipp erstellen", "Ermittle seltene / häufige Zahlen",
                                        "Ziehung simulieren"})
        self.assertEqual(set(named("checkbox")), {"Zahl %d" % n for n in range(1, 50)})
        self.assertIn("Berechnungstiefe", named("textbox"))

        # Pressed as a screen reader presses it: the tip shows in the cells and the results.
        element = self.browser.call("DOM.resolveNode",
                                    backendNodeId=buttons["Tipp erstellen"][1])["object"]
        self.browser.call("Runtime.callFunctionOn", objectId=element["objectId"],
                          functionDeclaration="function () { this.click(); }")
        last = [None]

        def settled():
            time.sleep(0.4)
            nodes = read()
            now = (sorted(int(name.split()[1]) for kind, name, checked, _ in nodes
                          if kind == "checkbox" and checked),
                   [int(name.rsplit(": ", 1)[1]) for kind, name, *_ in nodes
                    if kind == "textbox" and name.startswith("Ergebnis ")])
            done = now == last[0] and len(now[0]) == 6
            last[0] = now
            return now if done else None
        marked, results = wait_for("the tip", settled, timeout=30)
        self.assertEqual(marked, results)


class OfflineTest(unittest.TestCase):
    def test_opens_without_network_after_the_first_visit(self):
        with Browser(ZIP) as browser:
            browser.open()
            browser.window(MAIN.title)
            wait_for("the service worker", lambda: browser.evaluate(
                "navigator.serviceWorker.ready.then((r) => !!r.active)"))
            browser.stop_serving()
            browser.open()
            browser.window(MAIN.title)


if __name__ == "__main__":
    unittest.main()
