"""Headless Chromium driven through its DevTools protocol, and the site served from localhost: the
page as a player's browser sees it, with keys, clicks, taps and the canvas's own pixels."""

import base64
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

try:
    import websocket
except ImportError:
    # Debian's package, when python3 is another installation than the system's.
    sys.path.append("/usr/lib/python3/dist-packages")
    import websocket

SKIP = 77
CHROMIUM = "/usr/bin/chromium"


def missing():
    """Why the browser tests cannot run here, or None."""
    if not os.access(CHROMIUM, os.X_OK):
        return "no " + CHROMIUM
    return None


def pixel_is(x, y, rgb):
    """A page expression: the canvas's pixel at (x, y) is 0xRRGGBB."""
    return (f"(Array.from(document.getElementById('canvas').getContext('2d').getImageData({x}, {y}, 1, 1)"
            f".data).slice(0, 3).join() === '{rgb >> 16},{(rgb >> 8) & 255},{rgb & 255}')")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Site:
    """A static server on a free localhost port, as any static host would serve the folder."""

    def __init__(self, folder):
        handler = lambda *args: QuietHandler(*args, directory=folder)  # noqa: E731
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    """One headless Chromium with one page of the given viewport size."""

    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="pakaponta-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--mute-audio", "--autoplay-policy=no-user-gesture-required",
             f"--user-data-dir={self.profile}", "--remote-debugging-port=0",
             f"--window-size={width},{height}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.next_id = 0
        self.events = []
        self.console_errors = []
        try:
            self._connect()
            self.call("Emulation.setDeviceMetricsOverride",
                      width=width, height=height, deviceScaleFactor=1, mobile=False)
            self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
            for domain in ("Page", "Runtime", "Log", "Network"):
                self.call(domain + ".enable")
        except Exception:
            self.close()
            raise

    def _connect(self):
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 30
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.time() > deadline or self.process.poll() is not None:
                raise RuntimeError("Chromium did not open its DevTools port")
            time.sleep(0.05)
        time.sleep(0.05)
        port = int(open(port_file, encoding="ascii").read().split()[0])
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as reply:
            pages = [t for t in json.load(reply) if t["type"] == "page"]
        self.ws = websocket.create_connection(pages[0]["webSocketDebuggerUrl"], suppress_origin=True,
                                              timeout=60)

    def _note(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.consoleAPICalled" and params["type"] in ("error", "assert"):
            self.console_errors.append(" ".join(str(a.get("value", a.get("description")))
                                                for a in params["args"]))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            self.console_errors.append(details.get("exception", {}).get("description", details["text"]))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            self.console_errors.append(params["entry"]["text"] + " " + params["entry"].get("url", ""))
        self.events.append(message)

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self._note(message)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def open(self, url):
        """Navigates and waits until the new document is parsed (the old one answers until then)."""
        self.call("Page.navigate", url=url)
        self.wait_for("the page " + url, f"location.href === {json.dumps(url)} && document.readyState !== 'loading'")

    def wait_for(self, what, expression, timeout=20.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    def key(self, key, code, vk, text=""):
        common = {"key": key, "code": code, "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk}
        self.call("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text, **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def enter(self):
        self.key("Enter", "Enter", 13, "\r")

    def click(self, x, y, count=1):
        for n in range(1, count + 1):
            for kind in ("mousePressed", "mouseReleased"):
                self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                          buttons=1 if kind == "mousePressed" else 0, clickCount=n)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def canvas_pixels(self):
        """The canvas's 800 x 600 pixels as 0xRRGGBB, read from the canvas itself."""
        data = self.evaluate("document.getElementById('canvas').toDataURL('image/png')")
        with tempfile.NamedTemporaryFile(suffix=".png") as png:
            png.write(base64.b64decode(data.split(",", 1)[1]))
            png.flush()
            return read_png(png.name)

    def pixel(self, x, y):
        rgba = self.evaluate(
            f"Array.from(document.getElementById('canvas').getContext('2d')"
            f".getImageData({x}, {y}, 1, 1).data)")
        return (rgba[0] << 16) | (rgba[1] << 8) | rgba[2]

    def close(self):
        if getattr(self, "ws", None):
            self.ws.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xwindow import read_png  # noqa: E402
