"""The real window under a virtual X server: start it, press keys and click with xdotool, read its
pixels straight from the X server and ask it to close the way a window manager would."""

import ctypes
import os
import shutil
import subprocess
import tempfile
import time
import zlib

SKIP = 77

WAIT_KEYS = ("PopMove", "PopShow", "BarClear", "CompNext", "CompThread", "CardMove")


def missing_tools():
    return [tool for tool in ("Xvfb", "xdotool") if shutil.which(tool) is None]


def skip_without_tools():
    """SKIP, after saying why, when Xvfb or xdotool is missing; None otherwise."""
    missing = missing_tools()
    if not missing:
        return None
    print("skipped: missing " + ", ".join(missing))
    return SKIP


def make_data_folder(bin_dir, waits):
    """A copy of the built data files with a resource.ini of short pauses."""
    folder = tempfile.mkdtemp(prefix="pakaponta-e2e-")
    for name in ("card.dat", "sound.dat"):
        if os.path.exists(os.path.join(bin_dir, name)):
            shutil.copy(os.path.join(bin_dir, name), folder)
    shutil.copytree(os.path.join(bin_dir, "thread"), os.path.join(folder, "thread"))
    with open(os.path.join(folder, "resource.ini"), "w", encoding="ascii") as ini:
        ini.write("[WAIT]\n")
        for key in WAIT_KEYS:
            ini.write(f"{key}={waits[key]}\n")
    return folder


class VirtualDisplay:
    """An Xvfb server on a free display number, ended on exit."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "2048x1536x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip():
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number.decode().strip()
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=5)


class XLib:
    """The few Xlib calls the tests need, through ctypes: no extra packages."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)

    def __init__(self, display_name):
        x = ctypes.cdll.LoadLibrary("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window that has gone away must fail a test, not abort it: note errors, read them as "none".
        self.errors = 0

        def on_error(_display, _event):
            self.errors += 1
            return 0

        self.error_handler = XLib.ErrorHandler(on_error)
        x.XSetErrorHandler.argtypes = [XLib.ErrorHandler]
        x.XSetErrorHandler(self.error_handler)
        self.x = x
        self.display = x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open " + display_name)

    def close(self):
        self.x.XCloseDisplay(self.display)

    def region(self, window, left, top, right, bottom):
        """Pixels 0xRRGGBB of the window's rectangle, row by row."""
        z_pixmap = 2
        image = self.x.XGetImage(self.display, window, left, top, right - left, bottom - top,
                                 0xFFFFFFFF, z_pixmap)
        if not image:
            return None
        try:
            return [self.x.XGetPixel(image, x, y) & 0xFFFFFF
                    for y in range(bottom - top) for x in range(right - left)]
        finally:
            self.x.XDestroyImage(image)

    def pixel(self, window, x, y):
        pixels = self.region(window, x, y, x + 1, y + 1)
        return pixels[0] if pixels else None

    def request_close(self, window):
        """WM_DELETE_WINDOW, as a window manager sends it when the user closes the window."""
        event = XLib.ClientMessage()
        event.type = 33
        event.window = window
        event.message_type = self.x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = self.x.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)


class GameWindow:
    """The running program and its window."""

    def __init__(self, display, program, args):
        self.env = dict(os.environ, DISPLAY=display.name, SDL_AUDIODRIVER="dummy")
        # Files rather than pipes: a chatty program must never block on a full pipe.
        self.stdout = tempfile.TemporaryFile()
        self.stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen([program] + args, env=self.env, stdout=self.stdout,
                                        stderr=self.stderr)
        self.x = XLib(display.name)
        self.window = self._find_window()
        self.xdotool("windowfocus", "--sync", str(self.window))

    def _find_window(self, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError(f"the program ended early with {self.process.returncode}: "
                                     + self.output(self.stderr))
            # A daily program names its day after the program's name.
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pakaponta( - |$)"],
                                   env=self.env, capture_output=True, text=True)
            ids = found.stdout.split()
            if ids:
                return int(ids[0])
            time.sleep(0.1)
        raise AssertionError("the window did not appear")

    @staticmethod
    def output(file):
        file.seek(0)
        return file.read().decode(errors="replace")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def xdotool_output(self, *args):
        found = subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True)
        return found.stdout.decode(errors="replace").strip()

    def key(self, *names):
        self.xdotool("key", "--delay", "30", *names)

    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", "--window", str(self.window), str(x), str(y))
        self.xdotool("click", "--repeat", str(repeat), "--delay", "60", str(button))

    def pixel(self, x, y):
        return self.x.pixel(self.window, x, y)

    def region(self, left, top, right, bottom):
        return self.x.region(self.window, left, top, right, bottom)

    def wait_for(self, what, condition, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            if self.process.poll() is not None:
                raise AssertionError(f"the program ended while waiting for {what}")
            time.sleep(0.03)
        raise AssertionError(f"timed out waiting for {what}")

    def close_and_wait(self, timeout):
        """Asks the window to close; returns the exit status and the seconds it took."""
        start = time.monotonic()
        self.x.request_close(self.window)
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError(f"the program was still running {timeout} s after the close request")
        return status, time.monotonic() - start

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.x.close()
        self.stdout.close()
        self.stderr.close()


class Session:
    """The program in its window on a display of its own, reading a copy of the data files with the
    given pauses; it leaves its screenshot in shot (and, with trace, its card trace in trace). Leaving
    the block ends the program and the display and removes the data folder. The game is kept in a
    profile inside that folder: a window closed mid-game must not leave a game for the player's own
    next start, nor for the next run of a test that expects the title."""

    def __init__(self, program, bin_dir, waits, args, trace=False):
        self.program = program
        self.args = args
        self.data = make_data_folder(bin_dir, waits)
        self.shot = os.path.join(self.data, "screenshot.png")
        self.trace = os.path.join(self.data, "trace.jsonl") if trace else None
        self.display = None
        self.window = None

    def __enter__(self):
        try:
            self.display = VirtualDisplay().__enter__()
            extra = ["--profile", os.path.join(self.data, "profile")]
            extra += ["--trace", self.trace] if self.trace else []
            self.window = GameWindow(self.display, self.program,
                                     self.args + ["--data", self.data, "--screenshot", self.shot] + extra)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        try:
            if self.window:
                self.window.stop()
        finally:
            if self.display:
                self.display.__exit__(*exc)
            shutil.rmtree(self.data, ignore_errors=True)


class Screenshot:
    """A PNG the program wrote, read back pixel by pixel as 0xRRGGBB."""

    def __init__(self, path):
        self.width, self.height, self.pixels = read_png(path)

    def pixel(self, x, y):
        return self.pixels[y * self.width + x]

    def region(self, left, top, right, bottom):
        return [self.pixels[y * self.width + x] for y in range(top, bottom) for x in range(left, right)]


def read_png(path):
    """Width, height and 0xRRGGBB pixels of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG file")
    pos, idat, width, height, channels = 8, b"", 0, 0, 3
    while pos < len(data):
        length = int.from_bytes(data[pos:pos + 4], "big")
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = int.from_bytes(body[0:4], "big"), int.from_bytes(body[4:8], "big")
            if body[8] != 8 or body[9] not in (2, 6) or body[12] != 0:
                raise ValueError(path + ": only 8-bit RGB(A) without interlace is read here")
            channels = 3 if body[9] == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 0xFF
        rows.append(line)
        previous = line
    pixels = [(row[x * channels] << 16) | (row[x * channels + 1] << 8) | row[x * channels + 2]
              for row in rows for x in range(width)]
    return width, height, pixels
