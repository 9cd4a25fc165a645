"""Headless Chromium driven through its DevTools protocol, the site served from localhost."""

import argparse
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
except ImportError:  # Debian's package, when python3 is not the system's own
    sys.path.append("/usr/lib/python3/dist-packages")
    import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xwindow import read_png  # noqa: E402,F401

CHROMIUM = "/usr/bin/chromium"


def skip_reason(site):
    if not os.access(CHROMIUM, os.X_OK):
        return "no " + CHROMIUM
    if not os.path.exists(os.path.join(site or "", "index.html")):
        return "no site built (make web)"
    return None


def arguments():
    """The web tests' command line (--site, --native, --node, --source); None, with the reason
    printed, when the test cannot run here and is skipped."""
    parser = argparse.ArgumentParser()
    for name in ("--site", "--native", "--node", "--source"):
        parser.add_argument(name)
    args = parser.parse_args()
    reason = skip_reason(args.site)
    if reason:
        print("skipped: " + reason)
        return None
    return args


# The program draws on the canvas's offscreen twin; the element itself cannot be read.
CONTEXT = "Module.pakapontaContext"


def pixel_is(x, y, rgb):
    """A page expression: the canvas's pixel at (x, y) is 0xRRGGBB."""
    return (f"(!!{CONTEXT} && Array.from({CONTEXT}.getImageData({x}, {y}, 1, 1)"
            f".data).slice(0, 3).join() === '{rgb >> 16},{(rgb >> 8) & 255},{rgb & 255}')")


def canvas_png(session, path):
    """Writes what the canvas shows to path as a PNG file."""
    data = session.evaluate(
        f"{CONTEXT}.canvas.convertToBlob().then(function (blob) {{ return new Promise(function (done) {{"
        " var reader = new FileReader(); reader.onload = function () { done(reader.result); };"
        " reader.readAsDataURL(blob); }); })")
    with open(path, "wb") as file:
        file.write(base64.b64decode(data.split(",", 1)[1]))


class Quiet(http.server.SimpleHTTPRequestHandler):
    """Serves files without a word, noting each request's path and status in served."""

    def __init__(self, *args, served=None, **kwargs):
        self.served = served if served is not None else []
        super().__init__(*args, **kwargs)

    def log_request(self, code="-", size="-"):
        self.served.append((self.path, int(getattr(code, "value", code))))

    def log_message(self, *args):
        pass


class Session:
    """The site on a free localhost port, as any static host serves it, and one browser page."""

    def __init__(self, site, width=800, height=600):
        self.site = site
        self.server, self.served = None, []
        self.serve()
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.exceptions = []
        self.profile = tempfile.mkdtemp(prefix="pakaponta-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--mute-audio", f"--user-data-dir={self.profile}", "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.next_id, self.console_errors, self.touching = 0, [], False
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 30
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.time() > deadline:
                self.close()
                raise RuntimeError("Chromium did not open its DevTools port")
            time.sleep(0.05)
        port = open(port_file, encoding="ascii").read().split()[0]
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as reply:
            page = next(t for t in json.load(reply) if t["type"] == "page")
        self.ws = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True, timeout=60)
        self.resize(width, height)
        for domain in ("Page", "Runtime", "Log"):
            self.call(domain + ".enable")

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            event, params_ = message.get("method"), message.get("params", {})
            if event == "Runtime.consoleAPICalled" and params_["type"] == "error":
                self.console_errors.append(str([a.get("value") for a in params_["args"]]))
            elif event == "Runtime.exceptionThrown":
                self.console_errors.append(str(params_["exceptionDetails"]))
                self.exceptions.append(params_["exceptionDetails"])
            elif event == "Log.entryAdded" and params_["entry"]["level"] == "error":
                self.console_errors.append(params_["entry"]["text"])

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, what, expression, timeout=20.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.evaluate(expression):
                return
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)

    def serve(self, port=0):
        """Serves the site on localhost: on a free port, or again on the port it had."""
        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", port), lambda *a: Quiet(*a, directory=self.site, served=self.served))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop_serving(self):
        port = self.server.server_address[1]
        self.server.shutdown()
        self.server.server_close()
        return port

    def open(self, query, folder=""):
        """Opens the page and waits until its document is parsed (the old one answers until then)."""
        url = self.url + folder + "index.html" + query
        self.call("Page.navigate", url=url)
        self.wait_for(url, f"location.href === {json.dumps(url)} && document.readyState !== 'loading'")

    def resize(self, width, height, ratio=1, mobile=False):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=ratio,
                  mobile=mobile)

    def touch_screen(self, enabled):
        """A touch screen as the main pointer, as on a phone; a desktop with a mouse until then."""
        self.call("Emulation.setTouchEmulationEnabled", enabled=enabled, maxTouchPoints=1)
        self.touching = enabled

    def key(self, key, code, vk, text=""):
        common = {"key": key, "code": code, "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk}
        self.call("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text, **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def click(self, x, y, count=1):
        for n in range(1, count + 1):
            for kind in ("mousePressed", "mouseReleased"):
                self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=n)

    def tap(self, x, y):
        if not self.touching:
            self.touch_screen(True)
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def screenshot(self, path):
        """Writes what the page shows on screen to path as a PNG file."""
        with open(path, "wb") as file:
            file.write(base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"]))

    def close(self):
        if getattr(self, "ws", None):
            self.ws.close()
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
        self.stop_serving()
