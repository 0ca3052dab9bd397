#!/usr/bin/python3
"""Operates the real program as a screen reader does: through its own D-Bus session and the
AT-SPI accessibility bus, read with pyatspi, under Xvfb and metacity."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from forms import Form  # noqa: E402
from harness import Desktop, settled, wait_for  # noqa: E402

PROGRAM = os.environ.get("KUGELFIX", "kugelfix")


def press(node):
    action = node.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))


class AccessibilityBusTest(unittest.TestCase):
    def test_round_trip_through_the_bus(self):
        with Desktop() as desktop:
            desktop.start_xvfb()
            desktop.start_session_bus()
            desktop.start_window_manager(["metacity", "--replace"], work_area=False)
            desktop.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            main = desktop.window(Form("Form1").title, program)
            # The client finds the accessibility bus through the session bus.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
            import pyatspi
            from pyatspi.utils import findAllDescendants

            def find(role, name=None):
                app = next((a for a in pyatspi.Registry.getDesktop(0)
                            if a is not None and a.name == "kugelfix"), None)
                if app is not None:
                    app.clearCache()
                    return [n for n in findAllDescendants(app, lambda n: n.getRole() == role)
                            if name in (None, n.name)]
                return []

            press(wait_for("the tip button", lambda: find(pyatspi.ROLE_PUSH_BUTTON,
                                                          "Tipp  erstellen"))[0])

            def board():
                cells = find(pyatspi.ROLE_CHECK_BOX)
                marked = sorted(int(c.name.split()[1]) for c in cells
                                if c.getState().contains(pyatspi.STATE_CHECKED))
                results = [n.name for n in findAllDescendants(
                    find(pyatspi.ROLE_PANEL, "Ergebnis")[0],
                    lambda n: n.getRole() == pyatspi.ROLE_LABEL)]
                return cells, marked, [int(r.rsplit(": ", 1)[1]) for r in results]
            cells, marked, numbers = settled("the run to settle", board, key=lambda b: b[1:],
                                             done=lambda b: len(b[1]) == 6, hold=0.4)
            self.assertEqual(len(cells), 49)
            self.assertEqual(marked, numbers)

            cell = next(c for c in cells if int(c.name.split()[1]) not in marked)
            press(cell)
            wait_for("the cell marked", lambda: (cell.clearCache() or True) and
                     cell.getState().contains(pyatspi.STATE_CHECKED))
            self.assertEqual(cell.description, "markiert")

            desktop.x("xdotool", "windowactivate", "--sync", main)
            desktop.x("xdotool", "key", "--clearmodifiers", "alt+F4")
            ok = wait_for("OK", lambda: find(pyatspi.ROLE_PUSH_BUTTON, "OK"))[0]
            try:
                press(ok)
            except Exception:  # the program may end before it answers
                pass
            self.assertEqual(program.wait(timeout=15), 0)


if __name__ == "__main__":
    unittest.main()
