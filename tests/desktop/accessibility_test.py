#!/usr/bin/python3
"""Operates the real program as a screen reader does: through its own D-Bus session and the
AT-SPI accessibility bus, read with pyatspi, under Xvfb and metacity."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_test import MAIN_TITLE, PROGRAM, Desktop, wait_for  # noqa: E402


def find(node, predicate, found=None):
    found = [] if found is None else found
    if predicate(node):
        found.append(node)
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            find(child, predicate, found)
    return found


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


class AccessibilityBusTest(unittest.TestCase):
    def test_round_trip_through_the_bus(self):
        with Desktop() as desktop:
            desktop.start_xvfb()
            desktop.start_session_bus()
            desktop.start("metacity", "--replace", stderr=subprocess.DEVNULL)
            wait_for("metacity", lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in
                     desktop.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
            desktop.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            main = desktop.window(MAIN_TITLE, program)

            # The client finds the accessibility bus through the session bus.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
            import pyatspi

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

            last = [None]

            def settled():  # the run of depth 10 lasts half a second
                time.sleep(0.4)
                now = board()[1:]
                done = now == last[0] and len(now[0]) == 6
                last[0] = now
                return done
            wait_for("the run to settle", settled, timeout=30)
            cells, marked, numbers = board()
            print("\nmarked through the bus:", marked, "result cells:", numbers, file=sys.stderr)
            self.assertEqual(len(cells), 49)
            self.assertEqual(marked, numbers)

            cell = next(c for c in cells if int(c.name.split()[1]) not in marked)
            press(cell)
            wait_for("the cell marked", lambda: (cell.clearCache() or True) and
                     cell.getState().contains(pyatspi.STATE_CHECKED))
            print("pressed %s: now %s" % (cell.name, cell.description), file=sys.stderr)
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
