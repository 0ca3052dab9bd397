"""What the integration tests run the program in: a desktop session on Xvfb or weston, a Wine
prefix, a headless Chromium with a local web server. Everything one of them starts ends with it,
also when it fails half-way."""

import base64
import functools
import http.server
import io
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request
import zipfile

SHOTS = os.environ.get("KUGELFIX_SHOTS")


def wait_for(what, probe, timeout=15.0, period=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(period)
    raise AssertionError("timed out waiting for " + what)


def settled(what, read, key=lambda value: value, done=lambda value: True, hold=0.6,
            timeout=30):
    """What read() gives once its key has held still for `hold` seconds and it is done."""
    last = [None]

    def still():
        value = read()
        now = key(value)
        if now == last[0] and done(value):
            return [value]
        last[0] = now
        time.sleep(hold)
    return wait_for(what, still, timeout)[0]


def save_shot(image, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        image.save(os.path.join(SHOTS, name + ".png"))


def session_members(sid):
    members = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                if int(stat.read().rsplit(")", 1)[1].split()[3]) == sid:
                    members.append(int(entry))
        except OSError:
            pass
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
        # Where XWayland puts its socket; a booted system makes it (systemd-tmpfiles), a fresh
        # root does not, and weston does not make it either.
        os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
        log = os.path.join(self.runtime.name, "weston.log")
        self.start("weston", "--backend=headless-backend.so", "--xwayland", "--socket=wayland-kf",
                   "--width=1280", "--height=1024", "--idle-time=0", "--log=" + log,
                   stderr=subprocess.DEVNULL)
        # As a Wayland session says of itself: Qt then prefers its Wayland plug-in.
        self.env.update(WAYLAND_DISPLAY="wayland-kf", XDG_SESSION_TYPE="wayland")

        def x_display():
            if not os.path.exists(log):
                return None
            with open(log) as text:
                found = re.search(r"xserver listening on display (:\d+)", text.read())
            return found and found.group(1)
        # Slow to come up on a loaded machine.
        self.env["DISPLAY"] = wait_for("XWayland", x_display, timeout=60)

    def start_window_manager(self, command, work_area=True):
        self.start(*command, stderr=subprocess.DEVNULL)
        # Ready once it has taken over the screen and said what its panels leave free.
        ready = ["_NET_SUPPORTING_WM_CHECK(WINDOW)"] + ["_NET_WORKAREA(CARDINAL)"] * work_area
        wait_for(command[0], lambda: all(
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

    def end(self):
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

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.end()


class Wine(Desktop):
    """A fresh Wine prefix on its own Xvfb, every window inside Wine's own desktop."""

    PROBE = os.environ.get("KUGELFIX_WINPROBE", "winprobe.exe")

    def __init__(self, faces=None):
        """faces: a folder of Windows' own faces to put into the prefix, as every Windows has
        them."""
        super().__init__()
        self.prefix = os.path.join(self.runtime.name, "prefix")
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEARCH="win64",
                        # No offer to install Mono or Gecko, which nothing here needs.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        try:
            self.start_xvfb()
            self.run("wineboot", "--init", timeout=240)
            desktop = "HKCU\\Software\\Wine\\Explorer"
            self.wine("reg", "add", desktop, "/v", "Desktop", "/d", "Default", "/f")
            self.wine("reg", "add", desktop + "\\Desktops", "/v", "Default", "/d", "1280x1024",
                      "/f")
            if faces:
                for name in os.listdir(faces):
                    shutil.copy(os.path.join(faces, name), self.unix("C:\\windows\\Fonts"))
                self.run("wineserver", "-k")  # the faces count from the next start
                self.run("wineserver", "-w")
        except BaseException:
            self.end()
            raise

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
        path = windows_path.removeprefix("C:").strip("\\").split("\\")
        return os.path.join(self.prefix, "drive_c", *path)

    def probe(self, command, title, *more):
        result = self.wine(self.PROBE, command, title, *more)
        if result.returncode != 0:
            raise AssertionError("winprobe %s %r: status %d %s"
                                 % (command, title, result.returncode, result.stderr))
        return {key: [int(n, 0) for n in numbers]
                for key, *numbers in map(str.split, result.stdout.splitlines())}

    def shot(self, title, name=None, part="frame"):
        """What the screen shows of the window, of its "frame" or its "client" area, once it
        holds still: Wine's desktop fills the X screen, so its coordinates are the screen's."""
        from PIL import ImageGrab
        box = tuple(self.probe("show", title)[part])
        image = settled(title, lambda: ImageGrab.grab(box, xdisplay=self.env["DISPLAY"])
                        .convert("RGB"), key=lambda image: image.tobytes(), hold=0.3)
        if name:
            save_shot(image, name)
        return image

    def click(self, window, point):
        x, y = window["client"][0] + point[0], window["client"][1] + point[1]
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def end(self):
        self.run("wineserver", "-k", timeout=30)
        super().end()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


class Browser:
    """A local web server with the unpacked page and a headless Chromium with one tab, driven
    through the DevTools protocol."""

    CHROMIUM = os.environ.get("KUGELFIX_CHROMIUM", "/usr/bin/chromium")
    # The frame the page draws around a window: its border and its title bar.
    BORDER, TITLE_BAR = 4, 22
    # The shadow tree of the page's screen element, where the program's windows live.
    SHADOW = "document.querySelector('#qt-shadow-container').shadowRoot"
    WINDOWS = "[...(%s?.querySelectorAll('.qt-window') ?? [])]" % SHADOW.replace(".shadow",
                                                                                 "?.shadow")

    def __init__(self, zip_path):
        self.folder = tempfile.TemporaryDirectory(prefix="kugelfix-web-")
        self.server = self.chromium = self.socket = None
        self.next_id = 0
        try:
            with zipfile.ZipFile(zip_path) as archive:
                archive.extractall(self.folder.name)
                top = archive.namelist()[0].split("/")[0]
            handler = functools.partial(QuietHandler,
                                        directory=os.path.join(self.folder.name, top))
            self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
            threading.Thread(target=self.server.serve_forever, daemon=True).start()
            self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
            self.start_chromium()
        except BaseException:
            self.close()
            raise

    def start_chromium(self):
        import websocket
        profile = os.path.join(self.folder.name, "profile")
        # As root, and without the network connections this machine refuses.
        self.chromium = subprocess.Popen(
            [self.CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-background-timer-throttling",
             "--user-data-dir=" + profile, "--remote-debugging-port=0",
             "--window-size=1280,1024", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        port_file = os.path.join(profile, "DevToolsActivePort")

        def port():
            try:
                with open(port_file) as lines:
                    return lines.readline().strip()
            except FileNotFoundError:
                return None
        port = wait_for("Chromium's DevTools port", port, timeout=30)
        with urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port) as answer:
            tab = next(t for t in json.load(answer) if t["type"] == "page")
        self.socket = websocket.create_connection(tab["webSocketDebuggerUrl"], timeout=30,
                                                  suppress_origin=True)
        for domain in ("Page", "Runtime"):
            self.call(domain + ".enable")

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())  # events in between are not needed
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def open(self):
        self.call("Page.navigate", url=self.url)

    def window(self, title, timeout=15):
        """The frame of the visible window with this title: its client area in page pixels and
        the title bar's close box, once the window has been painted."""
        script = """(() => {
            const frame = %s.find((f) => getComputedStyle(f).display === 'block' &&
                f.querySelector('.window-name')?.textContent === %s);
            if (!frame)
                return null;
            const box = (e) => ((r) => [r.left, r.top, r.width, r.height])(
                e.getBoundingClientRect());
            // The title bar's buttons: restore, maximise and close, the close box last.
            const buttons = [...frame.querySelectorAll('.title-bar .action-button')]
                .filter((b) => getComputedStyle(b).display !== 'none');
            const canvas = frame.querySelector('canvas');
            return { client: box(frame.querySelector('.qt-window-canvas-container')),
                     frame: box(frame), buttons: buttons.length,
                     close: buttons.length ? box(buttons.at(-1)) : null,
                     canvas: [canvas.width, canvas.height],
                     painted: canvas.getContext('2d').getImageData(
                         canvas.width / 2, canvas.height / 2, 1, 1).data[3] > 0 };
        })()""" % (self.WINDOWS, json.dumps(title))
        return wait_for("the window " + title,
                        lambda: (lambda w: w if w and w["painted"] else None)(
                            self.evaluate(script)), timeout)

    def screenshot(self):
        from PIL import Image
        shot = self.call("Page.captureScreenshot", format="png")
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def click(self, x, y, count=1):
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=count)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, key, code, **more):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=ord(key.upper()),
                      **(more if kind == "keyDown" else {"modifiers": more.get("modifiers", 0)}))

    def stop_serving(self):
        """From now on the page's address answers nothing, as without a network."""
        self.server.shutdown()
        self.server.server_close()
        self.server = None

    def close(self):
        if self.socket:
            self.socket.close()
        if self.chromium:
            try:
                os.killpg(self.chromium.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.chromium.wait()
        if self.server:
            self.stop_serving()
        self.folder.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *rest):
        self.close()
