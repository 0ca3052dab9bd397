"""The page in Debian's Chromium, headless, served from the release zip on a local web server
of its own and driven through the DevTools protocol. Everything it starts ends with it."""

import base64
import functools
import http.server
import io
import json
import os
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request
import zipfile

import websocket
from PIL import Image

CHROMIUM = os.environ.get("KUGELFIX_CHROMIUM", "/usr/bin/chromium")
# The frame the page draws around a window: its border and its title bar.
BORDER, TITLE_BAR = 4, 22
# The shadow tree of the page's screen element, where the program's windows live.
SHADOW = "document.querySelector('#qt-shadow-container').shadowRoot"
WINDOWS = "[...(%s?.querySelectorAll('.qt-window') ?? [])]" % SHADOW.replace(".shadow", "?.shadow")


def wait_for(what, probe, timeout=15.0, period=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(period)
    raise AssertionError("timed out waiting for " + what)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *arguments):
        pass


class Browser:
    """A local web server with the unpacked page and a headless Chromium with one tab."""

    def __init__(self, zip_path):
        self.folder = tempfile.TemporaryDirectory(prefix="kugelfix-web-")
        self.server = self.chromium = self.socket = None
        with zipfile.ZipFile(zip_path) as archive:
            archive.extractall(self.folder.name)
            top = archive.namelist()[0].split("/")[0]
        self.root = os.path.join(self.folder.name, top)
        handler = functools.partial(QuietHandler, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.events = []
        self.next_id = 0
        try:
            self.start_chromium()
        except BaseException:
            self.close()
            raise

    def start_chromium(self):
        profile = os.path.join(self.folder.name, "profile")
        # As root, and without the network connections this machine refuses.
        self.chromium = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
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
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message["result"]
            self.events.append(message)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def open(self, path=""):
        self.call("Page.navigate", url=self.url + path)

    def window(self, title, timeout=15):
        """The frame of the visible window with this title: its client area in page pixels and
        the title bar's close box, once the window has been painted."""
        script = """(() => {
            for (const frame of %s) {
                const name = frame.querySelector('.window-name');
                if (getComputedStyle(frame).display !== 'block' || !name ||
                    name.textContent !== %s)
                    continue;
                const client = frame.querySelector('.qt-window-canvas-container')
                    .getBoundingClientRect();
                // The title bar's buttons: restore, maximise and close, the close box last.
                const buttons = [...frame.querySelectorAll('.title-bar .action-button')]
                    .filter((b) => getComputedStyle(b).display !== 'none');
                const outer = frame.getBoundingClientRect();
                const box = (r) => [r.left, r.top, r.width, r.height];
                const canvas = frame.querySelector('canvas');
                return { client: box(client), frame: box(outer), buttons: buttons.length,
                         close: buttons.length ? box(buttons.at(-1).getBoundingClientRect()) : null,
                         canvas: [canvas.width, canvas.height],
                         painted: canvas.getContext('2d').getImageData(
                             canvas.width / 2, canvas.height / 2, 1, 1).data[3] > 0 };
            }
            return null;
        })()""" % (WINDOWS, json.dumps(title))
        return wait_for("the window " + title,
                        lambda: (lambda w: w if w and w["painted"] else None)(
                            self.evaluate(script)), timeout)

    def titles(self):
        """The titles of the windows shown."""
        return self.evaluate("%s.filter((w) => getComputedStyle(w).display === 'block')"
                             ".map((w) => w.querySelector('.window-name').textContent)" % WINDOWS)

    def screenshot(self):
        shot = self.call("Page.captureScreenshot", format="png")
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def mouse(self, kind, x, y, **more):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, **more)

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button="left", clickCount=1)
        self.mouse("mouseReleased", x, y, button="left", clickCount=1)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

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
