#!/usr/bin/python3
"""Prints what the page costs a visitor: the download, raw and compressed with gzip, and the
time from opening the page to the main window drawn in it, in headless Chromium from a local
web server, first visits (an empty browser profile each) and repeated ones (the service
worker's cache).
    bench/web_startup.py [zip] [rounds]"""

import gzip
import os
import statistics
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "common"))
from harness import Browser, wait_for  # noqa: E402
from forms import Form  # noqa: E402

# Notes in the page itself when the main window's canvas first has a pixel drawn.
WATCH = """(() => {
    const title = %r;
    const look = () => {
        for (const frame of %s) {
            const name = frame.querySelector('.window-name');
            const canvas = frame.querySelector('canvas');
            if (name && name.textContent === title && canvas && canvas.width > 0 &&
                canvas.getContext('2d').getImageData(canvas.width / 2, canvas.height / 2, 1, 1)
                    .data[3] > 0) {
                window.firstWindow = performance.now();
                return;
            }
        }
        requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
})()""" % (Form("Form1").title, Browser.WINDOWS)


def sizes(zip_path):
    raw = packed = 0
    with zipfile.ZipFile(zip_path) as archive:
        for name in archive.namelist():
            data = archive.read(name)
            raw += len(data)
            packed += len(gzip.compress(data, 9))
    return raw, packed


def first_window(browser):
    browser.call("Page.addScriptToEvaluateOnNewDocument", source=WATCH)
    browser.open()
    return wait_for("the main window", lambda: browser.evaluate("window.firstWindow"), 30)


def main():
    zip_path = sys.argv[1] if len(sys.argv) > 1 else "dist/kugelfix-1.00-web.zip"
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    raw, packed = sizes(zip_path)
    print("download: %.2f MB, %.2f MB with gzip -9" % (raw / 1e6, packed / 1e6))
    first, again = [], []
    for _ in range(rounds):
        with Browser(zip_path) as browser:
            first.append(first_window(browser))
            wait_for("the service worker", lambda: browser.evaluate(
                "navigator.serviceWorker.ready.then((r) => !!r.active)"))
            again.append(first_window(browser))
    for what, times in (("first visit", first), ("next visit", again)):
        print("%-12s first window after %5.0f ms (median of %d; %.0f to %.0f ms)" % (
            what, statistics.median(times), len(times), min(times), max(times)))


if __name__ == "__main__":
    main()
