#!/usr/bin/python3
"""Checks the Windows release files themselves: the version record of the executable and what
the portable zip holds."""

import fnmatch
import os
import unittest
import zipfile

import pefile

DIST = os.environ.get("KUGELFIX_DIST", "dist")
VERSION = os.environ.get("KUGELFIX_VERSION", "1.00")
ZIP = os.path.join(DIST, "kugelfix-%s-windows-x64.zip" % VERSION)
CONTENTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "zip-contents.txt")
# Wine's own builds of the Windows system DLLs: what every Windows has.
WINE_DLLS = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"
GERMAN_UNICODE = "040704b0"


def parse(data, directory):
    pe = pefile.PE(data=data, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY[directory]])
    return pe


def read_zip():
    with zipfile.ZipFile(ZIP) as archive:
        return {name.split("/", 1)[1]: archive.read(name) for name in archive.namelist()}


class ReleaseTest(unittest.TestCase):
    def test_version_record(self):
        pe = parse(read_zip()["kugelfix.exe"], "IMAGE_DIRECTORY_ENTRY_RESOURCE")
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
        self.assertEqual(strings["FileVersion"], VERSION)
        self.assertEqual(strings["ProductVersion"], VERSION)
        self.assertEqual(strings["FileDescription"], "Kugelfix - Tipps für 6 aus 49")
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

    def test_every_import_ships_and_nothing_more(self):
        files = read_zip()
        shipped = {name.lower() for name in files if "/" not in name and name.endswith(".dll")}
        system = {name.lower() for name in os.listdir(WINE_DLLS)}
        imported = set()
        for name, data in files.items():
            if not name.endswith((".exe", ".dll")):
                continue
            pe = parse(data, "IMAGE_DIRECTORY_ENTRY_IMPORT")
            for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
                dll = entry.dll.decode().lower()
                imported.add(dll)
                # API sets are names the loader maps onto system DLLs; none is a file.
                self.assertTrue(dll in shipped or dll in system or dll.startswith("api-ms-win-"),
                                "%s needs %s" % (name, dll))
        self.assertEqual(shipped - imported, set(), "shipped but never loaded")
        self.assertEqual(shipped & system, set(), "a system DLL ships")


if __name__ == "__main__":
    unittest.main()
