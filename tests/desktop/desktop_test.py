#!/usr/bin/python3
"""Runs the real program under Xvfb with the window managers of the common desktops, or under a
headless weston with XWayland, and checks what the desktop sees of its windows. All of it runs
with every core kept busy, as on a loaded machine or a desktop that is still starting."""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from collections import namedtuple

PROGRAM = os.environ.get("KUGELFIX", "kugelfix")
MAIN_TITLE = "Kugelfix    6 aus 49"
DIALOG_TITLE = "Beenden"
FORBIDDEN_ACTIONS = {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                     "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_RESIZE"}
MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 0x20, 0x40

# How to start each window manager, what its policy offers beyond the program's hints, and
# whether it announces the work area its panels leave (kwin leaves that to its shell).
WindowManager = namedtuple("WindowManager", "command adds work_area",
                           defaults=(frozenset(), True))
WINDOW_MANAGERS = {
    "mutter": WindowManager(["mutter", "--x11", "--replace"]),
    "kwin_x11": WindowManager(["kwin_x11", "--replace"], {"_NET_WM_ACTION_MINIMIZE"}, False),
    "xfwm4": WindowManager(["xfwm4", "--replace"]),
    "marco": WindowManager(["marco", "--replace"]),
    "openbox": WindowManager(["openbox", "--replace"], {"_NET_WM_ACTION_MINIMIZE"}),
    "metacity": WindowManager(["metacity", "--replace"]),
    "icewm": WindowManager(["icewm", "--replace"]),
    "fluxbox": WindowManager(["fluxbox"]),
}


def wait_for(what, probe, timeout=15.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def session_members(sid):
    members = []
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except (OSError, IndexError):
            continue
        if int(fields[3]) == sid:
            members.append(int(entry))
    return members


class Desktop:
    """The processes of one desktop session, all ended on exit."""

    def __init__(self):
        self.processes = []
        self.bus = None
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.runtime = tempfile.TemporaryDirectory(prefix="kugelfix-desktop-")
        # Window managers write their settings into the home folder.
        for name in ("XDG_RUNTIME_DIR", "HOME"):
            self.env[name] = self.runtime.name
        for name in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"):
            self.env.pop(name, None)

    def start(self, *command, **options):
        options.setdefault("stdout", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=self.env, start_new_session=True, **options)
        self.processes.append(process)
        return process

    def start_session_bus(self):
        """A session bus of the test's own: without one, programs autolaunch one that outlives
        the test, or fail to start (xfwm4)."""
        self.bus = self.start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().strip()

    def start_xvfb(self):
        reader, writer = os.pipe()
        # Without -noreset the server resets when its last client leaves, and a window manager
        # that connects just then is turned away.
        self.start("Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", "-noreset", pass_fds=(writer,), stderr=subprocess.DEVNULL)
        os.close(writer)
        with os.fdopen(reader) as display:
            self.env["DISPLAY"] = ":" + display.readline().strip()

    def start_weston(self):
        log = os.path.join(self.runtime.name, "weston.log")
        self.start("weston", "--backend=headless-backend.so", "--xwayland", "--socket=wayland-kf",
                   "--width=1280", "--height=1024", "--idle-time=0", "--log=" + log,
                   stderr=subprocess.DEVNULL)
        self.env["WAYLAND_DISPLAY"] = "wayland-kf"

        def x_display():
            if not os.path.exists(log):
                return None
            with open(log) as text:
                found = re.search(r"xserver listening on display (:\d+)", text.read())
            return found and found.group(1)
        self.env["DISPLAY"] = wait_for("XWayland", x_display)

    def start_window_manager(self, manager):
        self.start(*manager.command, stderr=subprocess.DEVNULL)
        # Ready once it has taken over the screen and said what its panels leave free.
        ready = ["_NET_SUPPORTING_WM_CHECK(WINDOW)"]
        ready += ["_NET_WORKAREA(CARDINAL)"] * manager.work_area
        wait_for(manager.command[0], lambda: all(
            p in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", "_NET_WORKAREA")
            for p in ready))

    def x(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=10).stdout

    def window(self, title, program, managed=False):
        # By the program's process as well: mutter 44 and later draw each frame in a window
        # of their own that bears the title too.
        found = wait_for(title, lambda: self.x("xdotool", "search", "--all", "--onlyvisible",
                                               "--pid", str(program.pid), "--name",
                                               "^" + re.escape(title) + "$").split())[0]
        if managed:  # the window manager has framed it and said what it offers
            wait_for(title + " framed", lambda: "," in self.prop(found, "_NET_FRAME_EXTENTS")
                     and "_NET_WM_ACTION" in self.prop(found, "_NET_WM_ALLOWED_ACTIONS"))
        return found

    def prop(self, window, name):
        which = ["-root"] if window == "-root" else ["-id", window]
        return self.x("xprop", *which, name).split("=", 1)[-1].strip()

    def geometry(self, window):
        info = self.x("xwininfo", *(["-root"] if window == "-root" else ["-id", window]))
        field = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))

    def frame_offset(self, window):
        """How far the centre of the window's frame lies from that of the work area, the
        screen less the window manager's panels."""
        left, right, top, bottom = map(int, self.prop(window, "_NET_FRAME_EXTENTS").split(","))
        x, y, width, height = self.geometry(window)
        area = re.findall(r"\d+", self.prop("-root", "_NET_WORKAREA"))[:4]
        area_x, area_y, area_w, area_h = map(int, area) if area else self.geometry("-root")
        return (x + (right - left + width) / 2 - area_x - area_w / 2,
                y + (bottom - top + height) / 2 - area_y - area_h / 2)

    def close(self, window):
        """As the close box does: the window manager asks the program to close the window."""
        self.x("wmctrl", "-i", "-c", window)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        # What the bus started (the accessibility bus and its registry) stays in its session.
        helpers = session_members(self.bus.pid) if self.bus else []
        # Politely first, so that weston takes its own helpers down with it.
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        if self.bus:
            self.bus.stdout.close()
        for pid in helpers:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        self.runtime.cleanup()


def setUpModule():
    """Every core busy, so that the window manager answers late, as on a loaded machine."""
    global load
    load = subprocess.Popen(["stress-ng", "--cpu", str(os.cpu_count()), "--timeout", "600"],
                            start_new_session=True, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def tearDownModule():
    os.killpg(load.pid, signal.SIGTERM)
    load.wait(timeout=10)


class WindowManagerTest(unittest.TestCase):
    def check_window(self, desktop, window, title, adds):
        for name in ("WM_NAME", "_NET_WM_NAME", "_NET_WM_ICON_NAME"):
            self.assertEqual(desktop.prop(window, name), '"%s"' % title, name)
        actions = set(re.findall(r"_NET_WM_ACTION_\w+",
                                 desktop.prop(window, "_NET_WM_ALLOWED_ACTIONS")))
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        self.assertFalse(actions & (FORBIDDEN_ACTIONS - adds), title)

        try:  # a frame the window manager reports late is corrected for by the program
            wait_for(title + " centred", lambda: max(map(abs, desktop.frame_offset(window))) <= 2,
                     timeout=10)
        except AssertionError:
            self.fail("%s: frame centre off by %s" % (title, desktop.frame_offset(window)))
        placed = desktop.geometry(window)
        time.sleep(0.5)
        self.assertEqual(desktop.geometry(window), placed, title + " moved")

    def run_under(self, manager):
        with Desktop() as desktop:
            desktop.start_xvfb()
            desktop.start_session_bus()
            desktop.start_window_manager(manager)
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            main = desktop.window(MAIN_TITLE, program, managed=True)
            self.check_window(desktop, main, MAIN_TITLE, manager.adds)

            desktop.close(main)
            dialog = desktop.window(DIALOG_TITLE, program, managed=True)
            self.check_window(desktop, dialog, DIALOG_TITLE, manager.adds)
            self.assertNotIn(main, desktop.x("xdotool", "search", "--onlyvisible", "--name",
                                             re.escape(MAIN_TITLE)).split())
            self.assertIsNone(program.poll())

            desktop.close(dialog)
            self.assertEqual(program.wait(timeout=15), 0)

    def test_weston_runs_it_through_xwayland(self):
        with Desktop() as desktop:
            desktop.start_session_bus()
            desktop.start_weston()
            program = desktop.start(PROGRAM, stderr=subprocess.DEVNULL)
            main = desktop.window(MAIN_TITLE, program)
            self.assertEqual(desktop.prop(main, "_NET_WM_NAME"), '"%s"' % MAIN_TITLE)
            hints = [int(v, 16) for v in desktop.prop(main, "_MOTIF_WM_HINTS").split(",")]
            self.assertFalse(hints[2] & (MWM_DECOR_MINIMIZE | MWM_DECOR_MAXIMIZE))


for _name, _manager in WINDOW_MANAGERS.items():
    setattr(WindowManagerTest, "test_" + _name, lambda self, manager=_manager: self.run_under(manager))


if __name__ == "__main__":
    unittest.main()
