#!/usr/bin/python3
"""The page from the release zip in headless Chromium, used as a visitor uses it: with the mouse
and by touch, on an ordinary, a high-DPI and a phone's screen, with a screen reader's view
through Chromium's accessibility tree, and once more without a network."""

import json
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from harness import Browser, save_shot, settled, wait_for  # noqa: E402
from pixels import DIALOG, GREEN, MAIN, NEUTRAL, RED, Board  # noqa: E402

ZIP = os.environ.get("KUGELFIX_WEB_ZIP", "dist/kugelfix-1.00-web.zip")
SCREEN = dict(width=1280, height=1024, deviceScaleFactor=1, mobile=False)


class Visit:
    """The main window of one page load."""

    def __init__(self, browser):
        self.browser = browser
        self.window = browser.window(MAIN.title)
        self.origin = tuple(round(v) for v in self.window["client"][:2])

    def click(self, control):
        x, y = MAIN.centre(control)
        self.browser.click(self.origin[0] + x, self.origin[1] + y)

    def board(self):
        return Board(self.browser.screenshot(), self.origin)

    def glance(self):
        """The board's colours and how many result cells show ink, quicker than a screenshot."""
        cells = [MAIN.rect("Label3", n)[:2] for n in range(1, 50)]
        results = [MAIN.rect("label1", i) for i in range(6)]
        colours, filled = self.browser.evaluate("""(() => {
            const frame = %s.find((w) => w.querySelector('.window-name')?.textContent === %s);
            const g = frame.querySelector('canvas').getContext('2d');
            const dark = ([x, y, w, h]) => g.getImageData(x + 2, y + 2, w - 4, h - 4).data.some(
                (v, i, d) => i %% 4 === 0 && v < 128 && d[i + 1] < 128 && d[i + 2] < 128);
            return [%s.map(([x, y]) => [...g.getImageData(x + 3, y + 3, 1, 1).data.slice(0, 3)]),
                    %s.filter(dark).length];
        })()""" % (Browser.WINDOWS, json.dumps(MAIN.title), json.dumps(cells), json.dumps(results)))
        return [tuple(c) for c in colours], filled

    def settled(self):
        return settled("the board to hold still", self.board, key=Board.cells)


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser(ZIP)
        cls.addClassCleanup(cls.browser.close)

    def load(self, **screen):
        self.browser.call("Emulation.setDeviceMetricsOverride", **{**SCREEN, **screen})
        self.browser.open()
        return Visit(self.browser)

    def test_main_window_centred_sharp_with_close_box_only(self):
        for scale in (1, 2):
            with self.subTest(scale=scale):
                window = self.load(deviceScaleFactor=scale).window
                left, top, width, height = window["frame"]
                self.assertEqual(window["canvas"], [scale * MAIN.size[0], scale * MAIN.size[1]])
                self.assertEqual((width, height), (MAIN.size[0] + 2 * Browser.BORDER, MAIN.size[1]
                                                   + 2 * Browser.BORDER + Browser.TITLE_BAR))
                self.assertLessEqual(abs(left + width / 2 - SCREEN["width"] / 2), 1)
                self.assertLessEqual(abs(top + height / 2 - SCREEN["height"] / 2), 1)
                self.assertEqual(window["buttons"], 1)
                # A double click on the title bar keeps the fixed size.
                self.browser.click(left + 100, top + 10, count=2)
                time.sleep(0.3)
                self.assertEqual(self.browser.window(MAIN.title)["frame"], window["frame"])

    def test_tip_shows_six_numbers_green_and_the_draw_reveals_every_two_seconds(self):
        visit = self.load()
        self.assertEqual(set(visit.board().cells().values()), {NEUTRAL})
        visit.click("commando1")
        board = visit.settled()
        save_shot(board.image, "web-after-tip")
        tip = board.coloured(GREEN)
        self.assertEqual((len(tip), board.results()), (6, tip))
        visit.click("commando4")
        start = time.monotonic()
        wait_for("the tip's numbers to go", lambda: visit.glance()[1] == 0)
        reveals = []
        while len(reveals) < 6 and time.monotonic() - start < 20:
            if visit.glance()[1] > len(reveals):
                reveals.append(time.monotonic() - start)
        shown = visit.board().results()
        self.assertEqual(len(reveals), 6, reveals)
        self.assertNotIn(None, shown)
        self.assertEqual(shown, sorted(shown))
        # One every 2 s from the click: on average within an eighth, which a wrong period fails,
        # and no step twice as long, which a stalled frame of a busy machine may give.
        steps = [b - a for a, b in zip([0] + reveals, reveals)]
        self.assertAlmostEqual(reveals[-1] / 6, 2.0, delta=0.25, msg=steps)
        self.assertTrue(all(0 < step < 4 for step in steps), steps)
        board = visit.settled()
        self.assertEqual(set(board.coloured(RED)), set(tip) & set(shown))
        self.assertEqual(set(board.coloured(GREEN)), set(tip) - set(shown))

    def test_depth_200_lasts_ten_seconds(self):
        visit = self.load()
        visit.click("Combo1")
        self.browser.key("a", "KeyA", modifiers=2)
        for digit in "200":
            self.browser.key(digit, "Digit" + digit, text=digit)
        visit.click("commando1")
        start = time.monotonic()
        last_change, last = start, None
        while time.monotonic() - last_change < 1.5 and time.monotonic() - start < 20:
            if (now := visit.glance()[0]) != last:
                last_change, last = time.monotonic(), now
            time.sleep(0.02)
        self.assertAlmostEqual(last_change - start, 10.0, delta=0.5)

    def test_close_box_and_ok_end_the_program(self):
        left, top, width, height = self.load().window["close"]
        self.browser.click(left + width / 2, top + height / 2)
        dialog = self.browser.window(DIALOG.title)
        save_shot(self.browser.screenshot(), "web-dialog")
        self.assertEqual(dialog["buttons"], 1)
        frame = dialog["frame"]
        self.assertLessEqual(abs(frame[0] + frame[2] / 2 - SCREEN["width"] / 2), 1)
        self.assertEqual(self.browser.evaluate(Browser.WINDOWS + ".filter((w) => getComputedStyle("
                                               "w).display === 'block').length"), 1)
        ok = DIALOG.centre("commando1")
        self.browser.click(round(dialog["client"][0]) + ok[0], round(dialog["client"][1]) + ok[1])
        ended = wait_for("the note of the end", lambda: self.browser.evaluate(
            "!document.getElementById('ended').hidden && !document.getElementById('screen') &&"
            " document.getElementById('ended').innerText"))
        self.assertIn("beendet", ended)
        # Its button starts the program again.
        self.browser.evaluate("document.querySelector('#ended button').click()")
        Visit(self.browser)

    def test_phone_upright_scales_to_fit_and_takes_touch(self):
        window = self.load(width=360, height=740, mobile=True, deviceScaleFactor=3).window
        save_shot(self.browser.screenshot(), "web-phone")
        self.assertLess(window["frame"][2], MAIN.size[0])
        self.browser.tap(*(round(v) for v in window["close"][:2]))
        for frame in window["frame"], self.browser.window(DIALOG.title)["frame"]:
            self.assertGreaterEqual(frame[0], 0)
            self.assertLessEqual(frame[0] + frame[2], 360)

    def test_screen_reader_reads_and_presses(self):
        self.load()
        self.browser.evaluate(Browser.SHADOW + ".querySelector("
                              "'.hidden-visually-read-by-screen-reader').click()")
        self.browser.call("Accessibility.enable")

        def read(role):
            """The named nodes of a role in the tree's order: name, checked and DOM node."""
            return [(" ".join(node["name"]["value"].split()), any(
                        p["name"] == "checked" and p["value"]["value"] == "true"
                        for p in node.get("properties", [])), node.get("backendDOMNodeId"))
                    for node in self.browser.call("Accessibility.getFullAXTree")["nodes"]
                    if not node.get("ignored") and node.get("name", {}).get("value")
                    and node["role"]["value"] == role]
        buttons = wait_for("the buttons", lambda: (lambda b: len(b) == 3 and b)(
            {name: node for name, _, node in read("button")}))
        self.assertEqual(set(buttons), {"Tipp erstellen", "Ermittle seltene / häufige Zahlen",
                                        "Ziehung simulieren"})
        self.assertEqual({name for name, *_ in read("checkbox")},
                         {"Zahl %d" % n for n in range(1, 50)})
        self.assertIn("Berechnungstiefe", [name for name, *_ in read("textbox")])
        # Pressed as a screen reader presses it: the tip shows in the cells and the results.
        element = self.browser.call("DOM.resolveNode", backendNodeId=buttons["Tipp erstellen"])
        self.browser.call("Runtime.callFunctionOn", objectId=element["object"]["objectId"],
                          functionDeclaration="function () { this.click(); }")
        marked, results = settled("the tip", lambda: (
            sorted(int(name.split()[1]) for name, checked, _ in read("checkbox") if checked),
            [int(name.rsplit(": ", 1)[1]) for name, *_ in read("textbox")
             if name.startswith("Ergebnis ")]), done=lambda t: len(t[0]) == 6, hold=0.4)
        self.assertEqual(marked, results)

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
