#!/usr/bin/python3
"""Runs the real program under Xvfb with the window managers of the common desktops, or under a
headless weston with XWayland, and checks what the desktop sees of its windows, with every core
kept busy, as on a loaded machine or a desktop that is still starting. And operates it as a screen
reader does: through its own D-Bus session and the AT-SPI accessibility bus, with pyatspi."""

import glob
import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from forms import Form  # noqa: E402
from harness import Desktop, settled, wait_for  # noqa: E402

PROGRAM = os.environ.get("KUGELFIX", "kugelfix")
MAIN, DIALOG = Form("Form1").title, Form("Form2").title
FORBIDDEN = {"MAXIMIZE_HORZ", "MAXIMIZE_VERT", "MINIMIZE", "RESIZE"}
# Each window manager's command and what its policy offers beyond the program's hints; all but
# kwin announce the work area their panels leave (kwin leaves that to its shell).
WINDOW_MANAGERS = [("mutter --x11 --replace", set()), ("kwin_x11 --replace", {"MINIMIZE"}),
                   ("xfwm4 --replace", set()), ("marco --replace", set()),
                   ("openbox --replace", {"MINIMIZE"}), ("metacity --replace", set()),
                   ("icewm --replace", set()), ("fluxbox", set())]


def press(node):
    action = node.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))


def frame_offset(desktop, window):
    """How far the centre of the window's frame lies from that of the work area, the screen
    less the window manager's panels."""
    left, right, top, bottom = map(int, desktop.prop(window, "_NET_FRAME_EXTENTS").split(","))
    x, y, width, height = desktop.geometry(window)
    area = re.findall(r"\d+", desktop.prop("-root", "_NET_WORKAREA"))[:4]
    area_x, area_y, area_w, area_h = map(int, area) if area else desktop.geometry("-root")
    return (x + (right - left + width) / 2 - area_x - area_w / 2,
            y + (bottom - top + height) / 2 - area_y - area_h / 2)


class WindowManagerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        load = subprocess.Popen(["stress-ng", "--cpu", str(os.cpu_count()), "--timeout", "600"],
                                start_new_session=True, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        cls.addClassCleanup(lambda: (os.killpg(load.pid, signal.SIGTERM), load.wait(10)))

    def check_window(self, desktop, window, title, adds):
        for name in ("WM_NAME", "_NET_WM_NAME", "_NET_WM_ICON_NAME"):
            self.assertEqual(desktop.prop(window, name), '"%s"' % title, name)
        actions = set(re.findall(r"_NET_WM_ACTION_(\w+)",
                                 desktop.prop(window, "_NET_WM_ALLOWED_ACTIONS")))
        self.assertIn("CLOSE", actions)
        self.assertFalse(actions & (FORBIDDEN - adds), title)
        # A frame the window manager reports late is corrected for by the program.
        wait_for(title + " centred", lambda: max(map(abs, frame_offset(desktop, window))) <= 2,
                 timeout=10)
        placed = desktop.geometry(window)
        time.sleep(0.5)
        self.assertEqual(desktop.geometry(window), placed, title + " moved")

    def test_window_managers(self):
        for command, adds in WINDOW_MANAGERS:
            with self.subTest(command.split()[0]), Desktop() as desktop:
                desktop.start_xvfb()
                desktop.start_session_bus()
                desktop.start_window_manager(command.split(), not command.startswith("kwin"))
                program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
                main = desktop.window(MAIN, program, managed=True)
                self.check_window(desktop, main, MAIN, adds)
                # As the close box does: the window manager asks the program to close it.
                desktop.x("wmctrl", "-i", "-c", main)
                dialog = desktop.window(DIALOG, program, managed=True)
                self.check_window(desktop, dialog, DIALOG, adds)
                self.assertNotIn(main, desktop.x("xdotool", "search", "--onlyvisible", "--name",
                                                 re.escape(MAIN)).split())
                self.assertIsNone(program.poll())
                desktop.x("wmctrl", "-i", "-c", dialog)
                self.assertEqual(program.wait(timeout=15), 0)

    def test_weston_runs_it_through_xwayland(self):
        """Where Qt's Wayland plug-in is installed, the program still chooses XWayland, where it
        can centre itself and keep only its close box."""
        self.assertTrue(glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so"),
                        "without Qt's Wayland plug-in there is no choice to check")
        with Desktop() as desktop:
            desktop.start_session_bus()
            desktop.start_weston()
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            main = desktop.window(MAIN, program)
            self.assertEqual(desktop.prop(main, "_NET_WM_NAME"), '"%s"' % MAIN)
            hints = [int(v, 16) for v in desktop.prop(main, "_MOTIF_WM_HINTS").split(",")]
            self.assertFalse(hints[2] & (0x20 | 0x40), "minimise or maximise decorated")


class AccessibilityBusTest(unittest.TestCase):
    def test_round_trip_through_the_bus(self):
        with Desktop() as desktop:
            desktop.start_xvfb()
            desktop.start_session_bus()
            desktop.start_window_manager(["metacity", "--replace"], work_area=False)
            desktop.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            desktop.window(MAIN, program)
            # The client finds the accessibility bus through the session bus.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
            import pyatspi
            from pyatspi.utils import findAllDescendants

            def find(role, name=None):
                found = []
                for app in pyatspi.Registry.getDesktop(0):
                    if app is not None and app.name == "kugelfix":
                        app.clearCache()
                        found += [n for n in findAllDescendants(app, lambda n: n.getRole() == role)
                                  if name in (None, n.name)]
                return found

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


if __name__ == "__main__":
    unittest.main()
