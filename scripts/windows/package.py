#!/usr/bin/python3
"""Makes the Windows release of a cross-built Kugelfix: a portable folder with exactly the DLLs
its executable and plug-ins import, the program's own faces and the licences of what it ships,
packed as a zip and as an NSIS installer, with the debug symbols in a zip of their own."""

import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

import pefile

TRIPLET = "x86_64-w64-mingw32"
FONT_FAMILIES = ["LiberationSans", "LiberationSansNarrow", "LiberationMono"]
FONT_STYLES = ["Regular", "Bold", "Italic", "BoldItalic"]
# Every Windows has these; all other imports ship with the program.
SYSTEM_DLLS = {
    "advapi32.dll", "authz.dll", "comdlg32.dll", "d3d11.dll", "d3d9.dll", "dwmapi.dll",
    "dxgi.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "mpr.dll", "msvcrt.dll",
    "netapi32.dll", "ole32.dll", "oleaut32.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "userenv.dll", "uxtheme.dll", "version.dll", "winmm.dll", "ws2_32.dll",
    "wtsapi32.dll", "d3d12.dll", "dcomp.dll", "shcore.dll", "comctl32.dll", "dwrite.dll",
    "d2d1.dll", "uiautomationcore.dll", "winspool.drv", "crypt32.dll", "bcrypt.dll",
    "rpcrt4.dll", "secur32.dll", "ntdll.dll", "opengl32.dll", "gdiplus.dll",
}


def is_system(name):
    name = name.lower()
    return name in SYSTEM_DLLS or name.startswith(("api-ms-win-", "ext-ms-win-"))


def imports(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    return [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]


def mingw_file(name):
    found = subprocess.run([TRIPLET + "-g++-posix", "-print-file-name=" + name],
                           capture_output=True, text=True, check=True).stdout.strip()
    return os.path.realpath(found) if os.path.isabs(found) else None


def find_dll(name, qt):
    candidate = os.path.join(qt, "bin", name)
    return candidate if os.path.exists(candidate) else mingw_file(name)


def strip(path, debug_folder=None):
    if debug_folder:
        debug = os.path.join(debug_folder, os.path.basename(path) + ".debug")
        subprocess.run([TRIPLET + "-objcopy", "--only-keep-debug", path, debug], check=True)
        subprocess.run([TRIPLET + "-strip", "--strip-debug", path], check=True)
        subprocess.run([TRIPLET + "-objcopy", "--add-gnu-debuglink=" + debug, path], check=True)
    else:
        subprocess.run([TRIPLET + "-strip", "--strip-unneeded", path], check=True)


def stage_program(folder, exe, qt, plugins):
    """The program, the plug-ins it loads (Qt finds them in these folders beside it) and the
    DLLs they import."""
    shutil.copy2(exe, os.path.join(folder, "kugelfix.exe"))
    for plugin in plugins:
        os.makedirs(os.path.join(folder, os.path.dirname(plugin)), exist_ok=True)
        shutil.copy2(os.path.join(qt, "plugins", plugin), os.path.join(folder, plugin))
    # The closure of the imports: Qt's DLLs and the MinGW runtime, nothing unused.
    pending = [os.path.join(folder, "kugelfix.exe")] + [os.path.join(folder, p) for p in plugins]
    shipped = set()
    while pending:
        for name in imports(pending.pop()):
            if is_system(name) or name.lower() in shipped:
                continue
            source = find_dll(name, qt)
            if not source:
                sys.exit("package: %s is imported but found nowhere" % name)
            shipped.add(name.lower())
            target = os.path.join(folder, name)
            shutil.copy2(source, target)
            pending.append(target)
    # Without this file Qt would also search a folder above the program's for plug-ins.
    with open(os.path.join(folder, "qt.conf"), "w", newline="\r\n") as conf:
        conf.write("[Paths]\nPrefix = .\nPlugins = .\n")


def stage_fonts(folder, font_folder):
    """Copies the faces; gives the Debian packages they come from."""
    fonts = os.path.join(folder, "fonts")
    os.makedirs(fonts)
    packages = set()
    for family in FONT_FAMILIES:
        for style in FONT_STYLES:
            path = os.path.join(font_folder, "%s-%s.ttf" % (family, style))
            shutil.copy2(path, fonts)
            owner = subprocess.run(["dpkg-query", "-S", os.path.realpath(path)],
                                   capture_output=True, text=True, check=True).stdout
            packages.add(owner.split(":")[0])
    return packages


def stage_licences(folder, source, qt, font_packages):
    licences = os.path.join(folder, "licenses")
    os.makedirs(licences)
    copies = {
        "Kugelfix.txt": os.path.join(source, "debian/copyright"),
        "Qt.txt": os.path.join(qt["source"][0], "debian/copyright"),
        "LGPL-3.txt": "/usr/share/common-licenses/LGPL-3",
        "GPL-3.txt": "/usr/share/common-licenses/GPL-3",
        "GPL-2.txt": "/usr/share/common-licenses/GPL-2",
        "MinGW-w64-GCC-runtime.txt":
            "/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright",
        "MinGW-w64-winpthreads.txt": "/usr/share/doc/mingw-w64-x86-64-dev/copyright",
    }
    for package in font_packages:
        copies[package + ".txt"] = "/usr/share/doc/%s/copyright" % package
    for name, path in copies.items():
        shutil.copyfile(path, os.path.join(licences, name))
    version = qt["version"][0]
    with open(os.path.join(licences, "Qt-source.txt"), "w", newline="\r\n") as note:
        note.write(
            "Kugelfix ships Qt %s (Qt6Core, Qt6Gui, Qt6Widgets and the plug-ins beside them)\n"
            "under the GNU Lesser General Public License version 3 (LGPL-3.txt).\n\n"
            "These DLLs were built, unchanged, from the Debian source package\n"
            "qt6-base %s, which is offered beside this release\n"
            "(qt6-base_%s.dsc and the archives it names) and can be fetched with\n"
            "    apt-get source qt6-base=%s\n"
            "or from https://snapshot.debian.org/package/qt6-base/%s/.\n\n"
            "It was configured for Windows with MinGW-w64 (scripts/windows/build-qt.sh in\n"
            "Kugelfix's source) with these options:\n    %s\n\n"
            "You may replace the Qt DLLs with your own build of a compatible Qt.\n"
            % (version.split("+")[0], version, os.path.basename(qt["file"][0]), version,
               version, "\n    ".join(qt["option"])))


def read_qt(qt_folder):
    """What the Qt build says of itself: version, source folder, plug-ins, source files,
    options."""
    qt = {"version": [], "source": [], "plugin": [], "file": [], "option": []}
    with open(os.path.join(qt_folder, "kugelfix-qt.txt")) as lines:
        for line in lines:
            key, value = line.rstrip("\n").split(" ", 1)
            qt[key].append(value)
    return qt


def offer_qt_source(out, qt):
    target = os.path.join(out, "qt6-base-source")
    os.makedirs(target, exist_ok=True)
    for path in qt["file"]:
        shutil.copy2(path, target)


def write_zip(path, folder, top, epoch):
    stamp = tuple(time.gmtime(max(epoch, 315532800))[:6])
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for root, dirs, files in os.walk(folder):
            dirs.sort()
            for name in sorted(files):
                full = os.path.join(root, name)
                info = zipfile.ZipInfo(
                    top + "/" + os.path.relpath(full, folder).replace(os.sep, "/"), stamp)
                info.compress_type = zipfile.ZIP_DEFLATED
                info.external_attr = 0o644 << 16
                with open(full, "rb") as data:
                    archive.writestr(info, data.read())


def write_file_list(path, folder):
    install, uninstall, size = [], [], 0
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        relative = os.path.relpath(root, folder)
        target = "$INSTDIR" if relative == "." else "$INSTDIR\\" + relative.replace("/", "\\")
        install.append('    SetOutPath "%s"' % target)
        for name in sorted(files):
            install.append('    File "%s"' % os.path.join(root, name))
            uninstall.append('    Delete "%s\\%s"' % (target, name))
            size += os.path.getsize(os.path.join(root, name))
        if relative != ".":
            uninstall.append('    RMDir "%s"' % target)
    install.append('    SetOutPath "$INSTDIR"')
    # Folders go after the files, deepest first, and only once empty.
    uninstall.sort(key=lambda line: (line.startswith("    RMDir"), -line.count("\\")))
    with open(path, "w") as out:
        out.write("!define SIZE_KB %d\n" % ((size + 1023) // 1024))
        out.write("!macro INSTALL_FILES\n%s\n!macroend\n" % "\n".join(install))
        out.write("!macro UNINSTALL_FILES\n%s\n!macroend\n" % "\n".join(uninstall))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--qt", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--fonts", required=True, help="the folder of the Liberation faces")
    parser.add_argument("--version", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    args.work, args.out = os.path.abspath(args.work), os.path.abspath(args.out)

    # The time of the commit: the same release from any clone, at any time.
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", args.source, "log", "-1", "--format=%ct"], capture_output=True,
        text=True).stdout.strip() or "0"
    epoch = int(epoch)
    # strip and objcopy stamp the PE header with it too.
    os.environ["SOURCE_DATE_EPOCH"] = str(epoch)
    top = "Kugelfix %s" % args.version
    shutil.rmtree(args.work, ignore_errors=True)
    folder = os.path.join(args.work, top)
    debug = os.path.join(args.work, "debug")
    os.makedirs(folder)
    os.makedirs(debug)
    os.makedirs(args.out, exist_ok=True)

    qt = read_qt(args.qt)
    stage_program(folder, args.exe, args.qt, qt["plugin"])
    for root, _, files in os.walk(folder):
        for name in files:
            if name.endswith((".exe", ".dll")):
                path = os.path.join(root, name)
                strip(path, debug if name == "kugelfix.exe" else None)
    stage_licences(folder, args.source, qt, stage_fonts(folder, args.fonts))

    # The installer keeps each file's time: the release's own, not that of this build.
    for root, _, files in list(os.walk(folder)) + list(os.walk(debug)):
        for name in files:
            os.utime(os.path.join(root, name), (epoch, epoch))

    base = "kugelfix-%s" % args.version
    write_zip(os.path.join(args.out, base + "-windows-x64.zip"), folder, top, epoch)
    write_zip(os.path.join(args.out, base + "-windows-x64-debug.zip"), debug, top, epoch)
    files = os.path.join(args.work, "files.nsh")
    write_file_list(files, folder)
    subprocess.run(["makensis", "-V2", "-INPUTCHARSET", "UTF8", "-DVERSION=" + args.version,
                    "-DFILES=" + files, "-DICON=" + os.path.join(args.source, "data/kugelfix.ico"),
                    "-DOUTFILE=" + os.path.abspath(os.path.join(args.out, base + "-setup.exe")),
                    os.path.join(args.source, "scripts/windows/installer.nsi")], check=True)
    offer_qt_source(args.out, qt)


if __name__ == "__main__":
    main()
