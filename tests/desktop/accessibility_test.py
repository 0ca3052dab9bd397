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
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


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
            from pyatspi.utils import findAllDescendants as find

            def app():
                desktop_root = pyatspi.Registry.getDesktop(0)
                for i in range(desktop_root.childCount):
                    child = desktop_root.getChildAtIndex(i)
                    if child is not None and child.name == "kugelfix":
                        child.clearCache()
                        return child
                return None

            def named(role, name):
                return wait_for(name, lambda: app() and find(
                    app(), lambda n: n.getRole() == role and n.name == name))[0]

            press(named(pyatspi.ROLE_PUSH_BUTTON, "Tipp  erstellen"))

            def board():
                cells = find(app(), lambda n: n.getRole() == pyatspi.ROLE_CHECK_BOX)
                marked = sorted(int(c.name.split()[1]) for c in cells
                                if c.getState().contains(pyatspi.STATE_CHECKED))
                results = [c.name for c in find(named(pyatspi.ROLE_PANEL, "Ergebnis"),
                                                lambda n: n.getRole() == pyatspi.ROLE_LABEL)]
                return cells, marked, [int(r.rsplit(": ", 1)[1]) for r in results]
            # The run of depth 10 lasts half a second.
            cells, marked, numbers = settled("the run to settle", board, key=lambda b: b[1:],
                                             done=lambda b: len(b[1]) == 6, hold=0.4)
            print("\nmarked through the bus:", marked, "result cells:", numbers, file=sys.stderr)
            self.assertEqual(len(cells), 49)
            self.assertEqual(marked, numbers)

            cell = next(c for c in cells if int(c.name.split()[1]) not in marked)
            press(cell)
            wait_for("the cell marked", lambda: (cell.clearCache() or True) and
                     cell.getState().contains(pyatspi.STATE_CHECKED))
            self.assertEqual(cell.description, "markiert")

            desktop.x("xdotool", "windowactivate", "--sync", main)
            desktop.x("xdotool", "key", "--clearmodifiers", "alt+F4")
            ok = named(pyatspi.ROLE_PUSH_BUTTON, "OK")
            try:
                press(ok)
            except Exception:  # the program may end before it answers
                pass
            self.assertEqual(program.wait(timeout=15), 0)


if __name__ == "__main__":
    unittest.main()
