#!/usr/bin/python3
"""Runs the Windows release under Wine on Xvfb: the program from the portable zip, unpacked into a
folder whose path has blanks and umlauts, in Wine's own desktop, where Wine draws the frames as
Windows does; and the installer, silently, in fresh prefixes."""

import getpass
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "desktop"), os.path.join(HERE, "..", "common")]
from desktop_test import Desktop, wait_for  # noqa: E402
from forms import Form  # noqa: E402
from pixels import read_number  # noqa: E402

DIST = os.environ.get("KUGELFIX_DIST", "dist")
VERSION = os.environ.get("KUGELFIX_VERSION", "1.00")
PROBE = os.environ.get("KUGELFIX_WINPROBE", "winprobe.exe")
SHOTS = os.environ.get("KUGELFIX_SHOTS")
ZIP = os.path.join(DIST, "kugelfix-%s-windows-x64.zip" % VERSION)
SETUP = os.path.join(DIST, "kugelfix-%s-setup.exe" % VERSION)
FOLDER = "Kugelfix %s" % VERSION
DOWNLOADS = "C:\\users\\Jürgen\\Downloads"

MAIN, DIALOG = Form("Form1"), Form("Form2")
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000

BOARD_NEUTRAL, GREEN = (0xFD, 0xE6, 0xE3), (0x00, 0xFF, 0x00)


class Wine(Desktop):
    """A fresh Wine prefix on its own Xvfb, every window inside Wine's own desktop."""

    def __init__(self):
        super().__init__()
        self.prefix = os.path.join(self.runtime.name, "prefix")
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEARCH="win64",
                        # No offer to install Mono or Gecko, which nothing here needs.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.start_xvfb()
        self.run("wineboot", "--init", timeout=240)
        desktop = "HKCU\\Software\\Wine\\Explorer"
        self.wine("reg", "add", desktop, "/v", "Desktop", "/d", "Default", "/f")
        self.wine("reg", "add", desktop + "\\Desktops", "/v", "Default", "/d", "1280x1024", "/f")

    def run(self, *command, timeout=60):
        # Into files, not pipes: what Wine starts on the way (its server, the desktop) keeps a
        # pipe open long after the command has ended.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            status = subprocess.run(command, env=self.env, stdout=out, stderr=err,
                                    timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(command, status,
                                               out.read().decode(errors="replace"),
                                               err.read().decode(errors="replace"))

    def wine(self, *arguments, timeout=60):
        return self.run("wine", *arguments, timeout=timeout)

    def unix(self, windows_path):
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C"
        return os.path.join(self.prefix, "drive_c", *rest.strip("\\").split("\\"))

    def probe(self, command, title, *more):
        result = self.wine(PROBE, command, title, *more)
        if result.returncode != 0:
            raise AssertionError("winprobe %s %r: %s" % (command, title, result.stderr))
        values = {}
        for line in result.stdout.splitlines():
            key, *numbers = line.split()
            values[key] = [int(n, 0) for n in numbers]
        return values

    def shot(self, title, name):
        path = os.path.join(self.runtime.name, name + ".bmp")
        self.probe("shot", title, "Z:" + path.replace("/", "\\"))
        image = Image.open(path).convert("RGB")
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            image.save(os.path.join(SHOTS, name + ".png"))
        return image

    def click(self, window, point):
        x, y = window["client"][0] + point[0], window["client"][1] + point[1]
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def __exit__(self, *rest):
        self.run("wineserver", "-k", timeout=30)
        super().__exit__(*rest)


def end_through_the_dialog(wine, program, scale=1, shot=None):
    """Closes the main window as its close box does and presses "OK" in the dialog that comes;
    gives the dialog's window and the program's exit status."""
    wine.probe("close", MAIN.title)
    dialog = wine.probe("show", DIALOG.title)
    if shot:
        wine.shot(DIALOG.title, shot)
    ok = DIALOG.centre("commando1")
    wine.click(dialog, (round(ok[0] * scale), round(ok[1] * scale)))
    return dialog, program.wait(timeout=30)


class ProgramTest(unittest.TestCase):
    def check_fixed_window(self, window, client_size=None):
        style = window["style"][0]
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
        self.assertFalse(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), hex(style))
        left, top, right, bottom = window["frame"]
        work = window["work"]
        self.assertLessEqual(abs((left + right) - (work[0] + work[2])) / 2, 2, window)
        self.assertLessEqual(abs((top + bottom) - (work[1] + work[3])) / 2, 2, window)
        if client_size:
            client = window["client"]
            self.assertEqual((client[2] - client[0], client[3] - client[1]), client_size)

    @classmethod
    def setUpClass(cls):
        cls.wine = Wine()
        downloads = cls.wine.unix(DOWNLOADS)
        os.makedirs(downloads)
        with zipfile.ZipFile(ZIP) as archive:
            archive.extractall(downloads)

    @classmethod
    def tearDownClass(cls):
        cls.wine.__exit__(None, None, None)

    def start_program(self):
        return self.wine.start("wine", "%s\\%s\\kugelfix.exe" % (DOWNLOADS, FOLDER),
                               cwd=self.wine.runtime.name)

    def end_program(self, program, scale=1, shot=None):
        dialog, status = end_through_the_dialog(self.wine, program, scale, shot)
        self.check_fixed_window(dialog)
        self.assertEqual(status, 0)

    def set_scale(self, percent):
        self.wine.wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                       "/t", "REG_DWORD", "/d", str(96 * percent // 100), "/f")
        # Wine's desktop takes the new resolution when it starts again.
        self.wine.run("wineserver", "-k")
        self.wine.run("wineserver", "-w")

    def test_scaled_windows_stay_centred(self):
        for percent in (150, 200):
            with self.subTest(percent=percent):
                self.set_scale(percent)
                try:
                    program = self.start_program()
                    main = self.wine.probe("show", MAIN.title)
                    scale = percent / 100
                    self.check_fixed_window(main)
                    client = main["client"]
                    for size, logical in zip((client[2] - client[0], client[3] - client[1]),
                                             MAIN.size):
                        self.assertLessEqual(abs(size - logical * scale), 1, main)
                    self.wine.shot(MAIN.title, "windows-main@%gx" % scale)
                    self.end_program(program, scale)
                finally:
                    self.set_scale(100)

    def test_tip_then_close_through_the_dialog(self):
        wine = self.wine
        program = self.start_program()

        main = wine.probe("show", MAIN.title)
        self.check_fixed_window(main, MAIN.size)
        frame_origin = main["frame"][:2]
        inside = lambda point: (main["client"][0] - frame_origin[0] + point[0],
                                main["client"][1] - frame_origin[1] + point[1])
        before = wine.shot(MAIN.title, "windows-main")
        left, top = MAIN.rect("Label3", 1)[:2]
        self.assertEqual(before.getpixel(inside((left + 3, top + 3))), BOARD_NEUTRAL)

        wine.click(main, MAIN.centre("commando1"))

        def board():
            image = wine.shot(MAIN.title, "windows-after-tip")
            green = []
            for number in range(1, 50):
                left, top = MAIN.rect("Label3", number)[:2]
                point = (left + 3, top + 3)
                if image.getpixel(inside(point)) == GREEN:
                    green.append(number)
            return image, green

        def settled():
            first = board()
            time.sleep(0.6)
            second = board()
            return second if len(second[1]) == 6 and second[1] == first[1] else None
        # The run of 100 tips takes five seconds; then the board holds still.
        image, green = wait_for("six green cells that hold still", settled, timeout=30)
        shown = []
        for index in range(6):
            left, top, width, height = MAIN.rect("label1", index)
            box = inside((left + 2, top + 2)) + inside((left + width - 2, top + height - 2))
            number, similarity = read_number(image, box)
            self.assertGreater(similarity, 0.6, (index, number))
            shown.append(number)
        self.assertEqual(shown, green)

        self.end_program(program, shot="windows-dialog")


class InstallerTest(unittest.TestCase):
    def files(self, wine):
        found = set()
        for root, _, names in os.walk(os.path.join(wine.prefix, "drive_c")):
            if os.sep + "temp" in root.lower():
                continue
            found.update(os.path.join(root, name) for name in names)
        return found

    def install_run_uninstall(self, mode, folder, key):
        with Wine() as wine:
            before = self.files(wine)
            installer = os.path.join(wine.runtime.name, os.path.basename(SETUP))
            shutil.copy(SETUP, installer)
            self.assertEqual(wine.wine(installer, "/S", mode, timeout=120).returncode, 0)
            program = wine.unix(folder) + "/kugelfix.exe"
            self.assertTrue(os.path.exists(program), folder)
            self.assertTrue(any(path.endswith("/Start Menu/Programs/Kugelfix.lnk")
                                for path in self.files(wine) - before))
            entry = wine.wine("reg", "query", key)
            for value in ("Kugelfix", VERSION, "Kugelfix-Entwickler", "Deinstallieren.exe"):
                self.assertIn(value, entry.stdout)

            running = wine.start("wine", folder + "\\kugelfix.exe", cwd=wine.runtime.name)
            wine.probe("show", MAIN.title)
            self.assertEqual(end_through_the_dialog(wine, running)[1], 0)

            # The uninstaller runs from a copy of itself and returns at once.
            uninstall = wine.wine(folder + "\\Deinstallieren.exe", "/S", mode)
            self.assertEqual(uninstall.returncode, 0)
            wait_for("the uninstaller", lambda: not os.path.exists(wine.unix(folder)), 60)
            wait_for("the uninstaller's copy to end",
                     lambda: self.files(wine) - before == set() or None, 30)
            self.assertNotEqual(wine.wine("reg", "query", key).returncode, 0)

    def test_for_all_users(self):
        self.install_run_uninstall("/AllUsers", "C:\\Program Files\\Kugelfix",
                                   "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion"
                                   "\\Uninstall\\Kugelfix")

    def test_for_the_current_user_alone(self):
        self.install_run_uninstall("/CurrentUser", "C:\\users\\%s\\AppData\\Local\\Programs"
                                   "\\Kugelfix" % getpass.getuser(),
                                   "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion"
                                   "\\Uninstall\\Kugelfix")


if __name__ == "__main__":
    unittest.main()
