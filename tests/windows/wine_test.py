#!/usr/bin/python3
"""The Windows release: its files themselves, the version record of the executable and what the
portable zip holds; and under Wine on Xvfb the program from that zip, unpacked into a folder
whose path has blanks and umlauts, in Wine's own desktop, where Wine draws the frames as Windows
does, and the installer, silently, in fresh prefixes."""

import fnmatch
import getpass
import os
import shutil
import subprocess
import sys
import unittest
import zipfile

import pefile
from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from harness import Wine, settled, wait_for  # noqa: E402
from pixels import DIALOG, GREEN, MAIN, NEUTRAL, TEXTS, Board, ink, text_box  # noqa: E402

DIST = os.environ.get("KUGELFIX_DIST", "dist")
VERSION = os.environ.get("KUGELFIX_VERSION", "1.00")
ZIP = os.path.join(DIST, "kugelfix-%s-windows-x64.zip" % VERSION)
SETUP = os.path.join(DIST, "kugelfix-%s-setup.exe" % VERSION)
LATER_VERSION = os.environ.get("KUGELFIX_LATER_VERSION", "1.01")
LATER_SETUP = os.environ.get("KUGELFIX_LATER_SETUP", "kugelfix-%s-setup.exe" % LATER_VERSION)
FOLDER = "Kugelfix %s" % VERSION
DOWNLOADS = "C:\\users\\Jürgen\\Downloads"
# The Linux build's tool that draws both windows offscreen, at a scale.
LINUX_SCREENSHOTS = os.environ.get("KUGELFIX_LINUX_SCREENSHOTS", "kugelfix_screenshots")
CONTENTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "zip-contents.txt")
GERMAN_UNICODE = "040704b0"
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000


def read_zip():
    with zipfile.ZipFile(ZIP) as archive:
        return {name.split("/", 1)[1]: archive.read(name) for name in archive.namelist()}


class ReleaseTest(unittest.TestCase):
    def test_version_record(self):
        pe = pefile.PE(data=read_zip()["kugelfix.exe"])
        self.assertEqual(pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"])
        self.assertEqual(pe.OPTIONAL_HEADER.Subsystem,
                         pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        groups = [entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries
                  if entry.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
        self.assertEqual(len(groups), 1, "the icon Windows shows for the program")
        fixed = pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.ProductVersionMS), (0x10000, 0x10000))
        tables = [table for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
                  for table in info.StringTable]
        self.assertEqual([table.LangID.decode().lower() for table in tables], [GERMAN_UNICODE])
        strings = {key.decode(): value.decode() for key, value in tables[0].entries.items()}
        self.assertEqual((strings["FileVersion"], strings["ProductVersion"],
                          strings["FileDescription"]),
                         (VERSION, VERSION, "Kugelfix - Tipps für 6 aus 49"))
        translations = [var.entry[b"Translation"] for info in pe.FileInfo[0]
                        if info.Key == b"VarFileInfo" for var in info.Var]
        self.assertEqual(translations, ["0x0407 0x04b0"])

    def test_contents_are_the_list(self):
        # A pattern stands where Qt's or Debian's version decides: the style plug-in's name, and
        # a second Liberation package on Debian 13.
        with open(CONTENTS) as listed:
            patterns = [line.strip() for line in listed if line.strip()]
        names = set(read_zip())
        self.assertEqual({name for name in names
                          if not any(fnmatch.fnmatchcase(name, p) for p in patterns)}, set())
        self.assertEqual([p for p in patterns if not fnmatch.filter(names, p)], [])


def end_through_the_dialog(wine, program, scale=1, shoot=None):
    """Closes the main window as its close box does and presses "OK" in the dialog that comes
    (after shoot(), if given); gives the dialog's window and the program's exit status."""
    wine.probe("close", MAIN.title)
    dialog = wine.probe("show", DIALOG.title)
    if shoot:
        shoot()
    wine.click(dialog, tuple(round(v * scale) for v in DIALOG.centre("commando1")))
    return dialog, program.wait(timeout=30)


class ProgramTest(unittest.TestCase):
    # Wine draws text a shade darker than the Linux build does; a bold drawn regular kept 0.44
    # to 0.79 of the ink, and the raster face's captions were 7 to 9 pixels off at an edge.
    INK_RATIO = (0.8, 1.4)
    EDGE_PIXELS = 3

    def check_fixed_window(self, window, form, scale=1):
        style = window["style"][0]
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
        self.assertFalse(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), hex(style))
        frame, work = window["frame"], window["work"]
        for a, b in ((0, 2), (1, 3)):  # centred across and down
            self.assertLessEqual(abs(frame[a] + frame[b] - work[a] - work[b]) / 2, 2, window)
        client = window["client"]
        for size, logical in zip((client[2] - client[0], client[3] - client[1]), form.size):
            self.assertLessEqual(abs(size - logical * scale), 0 if scale == 1 else 1, window)

    def check_texts(self, shots, scale):
        """Holds each text of both windows (shots: their client areas) against the Linux
        build's drawing at the same scale."""
        folder = os.path.join(self.wine.runtime.name, "linux")
        suffix = "" if scale == 1 else "@%gx" % scale
        os.makedirs(folder, exist_ok=True)
        subprocess.run([LINUX_SCREENSHOTS, folder, "%g" % scale], check=True, timeout=120,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                       stderr=subprocess.DEVNULL)
        reference = {MAIN: Image.open(os.path.join(folder, "main%s.png" % suffix)),
                     DIALOG: Image.open(os.path.join(folder, "info-dialog%s.png" % suffix))}
        for form, name, index in TEXTS:
            with self.subTest(scale=scale, text=name, index=index):
                box = text_box(form, name, index, scale)
                expected, expected_box, colours = ink(reference[form], box)
                drawn, drawn_box, _ = ink(shots[form], box, colours)
                ratio = drawn / expected
                self.assertTrue(self.INK_RATIO[0] <= ratio <= self.INK_RATIO[1], ratio)
                self.assertLessEqual(max(abs(a - b) for a, b in zip(drawn_box, expected_box)),
                                     self.EDGE_PIXELS, (drawn_box, expected_box))

    @classmethod
    def setUpClass(cls):
        # The program as a Windows user meets it: with the raster "MS Sans Serif", Tahoma and
        # Marlett that every Windows has; or, where asked, without them, as on a Windows that
        # lacks a designed face.
        faces = os.environ.get("KUGELFIX_WINE_FACES")
        if os.environ.get("KUGELFIX_WITHOUT_FACES"):
            faces = None
        elif not faces or not os.path.isfile(os.path.join(faces, "sserife.fon")):
            raise AssertionError("Windows' own faces are missing: " + repr(faces))
        cls.wine = Wine(faces)
        cls.addClassCleanup(cls.wine.end)
        # The text cursor holds still, as Windows' setting for no blinking has it, so that a
        # screenshot finds it where the Linux build draws it.
        cls.wine.wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "CursorBlinkRate",
                      "/d", "-1", "/f")
        downloads = cls.wine.unix(DOWNLOADS)
        os.makedirs(downloads)
        with zipfile.ZipFile(ZIP) as archive:
            archive.extractall(downloads)

    def start_program(self):
        return self.wine.start("wine", "%s\\%s\\kugelfix.exe" % (DOWNLOADS, FOLDER),
                               cwd=self.wine.runtime.name)

    def set_scale(self, percent):
        self.wine.wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                       "/t", "REG_DWORD", "/d", str(96 * percent // 100), "/f")
        # Wine's desktop takes the new resolution when it starts again.
        self.wine.run("wineserver", "-k")
        self.wine.run("wineserver", "-w")

    def test_every_scale_centred_with_the_designed_texts(self):
        wine = self.wine
        self.addCleanup(self.set_scale, 100)
        for percent in (100, 150, 200):
            scale = percent / 100
            suffix = "" if percent == 100 else "@%gx" % scale
            self.set_scale(percent)
            program = self.start_program()
            main = wine.probe("show", MAIN.title)
            self.check_fixed_window(main, MAIN, scale)
            wine.shot(MAIN.title, "windows-main" + suffix)
            shots = {MAIN: wine.shot(MAIN.title, part="client")}
            dialog, status = end_through_the_dialog(
                wine, program, scale, lambda: shots.update(
                    {DIALOG: wine.shot(DIALOG.title, "windows-dialog" + suffix, "client")}))
            self.check_fixed_window(dialog, DIALOG, scale)
            self.assertEqual(status, 0)
            self.check_texts(shots, scale)

    def test_tip(self):
        wine = self.wine
        program = self.start_program()
        main = wine.probe("show", MAIN.title)
        self.assertEqual(Board(wine.shot(MAIN.title, part="client"), (0, 0)).cells()[1], NEUTRAL)

        wine.click(main, MAIN.centre("commando1"))
        # The run of 100 tips takes five seconds; then the board holds still.
        board = settled("six green cells that hold still",
                        lambda: Board(wine.shot(MAIN.title, part="client"), (0, 0)),
                        key=lambda b: b.coloured(GREEN), done=lambda b: len(b.coloured(GREEN)) == 6)
        wine.shot(MAIN.title, "windows-after-tip")
        self.assertEqual(board.results(), board.coloured(GREEN))
        self.assertEqual(end_through_the_dialog(wine, program)[1], 0)


UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kugelfix"
ALL_USERS = ("/AllUsers", "C:\\Program Files\\Kugelfix", "HKLM\\" + UNINSTALL_KEY)
CURRENT_USER = ("/CurrentUser", "C:\\users\\%s\\AppData\\Local\\Programs\\Kugelfix"
                % getpass.getuser(), "HKCU\\" + UNINSTALL_KEY)


class InstallerTest(unittest.TestCase):
    def files(self, wine, under="C:\\"):
        top = wine.unix(under)
        return {os.path.relpath(os.path.join(root, name), top) for root, _, names in os.walk(top)
                if os.sep + "temp" not in root.lower() for name in names}

    def install(self, wine, setup, mode, folder, key, version):
        installer = os.path.join(wine.runtime.name, os.path.basename(setup))
        shutil.copy(setup, installer)
        self.assertEqual(wine.wine(installer, "/S", mode, timeout=120).returncode, 0)
        self.assertIn("kugelfix.exe", self.files(wine, folder))
        entry = wine.wine("reg", "query", key).stdout
        for value in ("Kugelfix", version, "Kugelfix-Entwickler", "Deinstallieren.exe"):
            self.assertIn(value, entry)

    def run_program(self, wine, folder):
        program = wine.start("wine", folder + "\\kugelfix.exe", cwd=wine.runtime.name)
        wine.probe("show", MAIN.title)
        return program

    def uninstall(self, wine, before, mode, folder, key):
        # The uninstaller runs from a copy of itself and returns at once.
        self.assertEqual(wine.wine(folder + "\\Deinstallieren.exe", "/S", mode).returncode, 0)
        wait_for("the uninstaller", lambda: not os.path.exists(wine.unix(folder)), 60)
        wait_for("the uninstaller's copy to end",
                 lambda: self.files(wine) - before == set() or None, 30)
        self.assertNotEqual(wine.wine("reg", "query", key).returncode, 0)

    def test_for_the_current_user_alone(self):
        mode, folder, key = CURRENT_USER
        with Wine() as wine:
            before = self.files(wine)
            self.install(wine, SETUP, mode, folder, key, VERSION)
            self.assertTrue(any(path.endswith("/Start Menu/Programs/Kugelfix.lnk")
                                for path in self.files(wine) - before))
            installed = self.files(wine, folder)
            running = self.run_program(wine, folder)
            # While it runs, the uninstaller stops and says why. Run in place (_?=, which
            # works only in a path without blanks), its own status comes back.
            uninstaller = (folder + "\\Deinstallieren.exe", mode, "_?=" + folder)
            self.assertEqual(wine.wine(uninstaller[0], "/S", *uninstaller[1:]).returncode, 2)
            asking = wine.start("wine", *uninstaller, cwd=wine.runtime.name)
            caption = "Deinstallation von Kugelfix " + VERSION
            self.assertIn("Kugelfix läuft noch. Bitte beenden Sie Kugelfix",
                          wine.wine(Wine.PROBE, "text", caption).stdout)
            wine.probe("close", caption)
            self.assertEqual(asking.wait(timeout=30), 2)
            self.assertEqual(self.files(wine, folder), installed)
            self.assertEqual(end_through_the_dialog(wine, running)[1], 0)
            self.uninstall(wine, before, mode, folder, key)

    def test_for_all_users_over_an_earlier_version(self):
        mode, folder, key = ALL_USERS
        with zipfile.ZipFile(ZIP) as archive:
            expected = {name.split("/", 1)[1] for name in archive.namelist()}
        expected.add("Deinstallieren.exe")
        with Wine() as wine:
            before = self.files(wine)
            self.install(wine, SETUP, mode, folder, key, VERSION)
            self.install(wine, LATER_SETUP, mode, folder, key, LATER_VERSION)
            self.assertEqual(self.files(wine, folder), expected)
            self.assertNotEqual(wine.wine("reg", "query", CURRENT_USER[2]).returncode, 0)
            # The same version again repairs what went missing.
            os.remove(os.path.join(wine.unix(folder), "Qt6Core.dll"))
            self.install(wine, LATER_SETUP, mode, folder, key, LATER_VERSION)
            self.assertEqual(self.files(wine, folder), expected)
            self.assertEqual(end_through_the_dialog(wine, self.run_program(wine, folder))[1], 0)
            self.uninstall(wine, before, mode, folder, key)


if __name__ == "__main__":
    unittest.main()
