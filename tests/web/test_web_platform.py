#!/usr/bin/env python3
"""The web back-end turns the browser's input into the window's, on a canvas the page has doubled:
a mouse move in CSS pixels reaches the title menu item under it, the keypad's 5 with NumLock off
(the browser calls it Clear) commits, a right click cancels the selection, and quitting from the
title tells the page that the program has ended. Each step must leave on the canvas the frame the
native program shows after the same input.

usage: test_web_platform.py --site DIR --native DIR [--node DIR --source DIR]   (77 = skipped)
"""

import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

SEED = 3
# Picture points: the menu's fourth item (殺伐とデッキ式), and a spot of the selection screen.
ITEM_3 = (600, 470)
ANYWHERE = (400, 300)


def native_frame(native, folder, script):
    """The native program's frame once it has taken the scripted input: with none left, it ends
    when it waits for more."""
    path = os.path.join(folder, "input.txt")
    with open(path, "w", encoding="ascii") as file:
        file.write(script)
    shot = os.path.join(folder, "native.png")
    subprocess.run([os.path.join(native, "pakaponta"), "--headless", "--seed", str(SEED), "--script", path,
                    "--screenshot", shot], check=True, timeout=60)
    return browser.read_png(shot)


def canvas(page, folder):
    path = os.path.join(folder, "canvas.png")
    browser.canvas_png(page, path)
    return browser.read_png(path)


def await_frame(page, folder, expected, what, timeout=20.0):
    deadline = time.time() + timeout
    while canvas(page, folder) != expected:
        if time.time() > deadline:
            raise AssertionError(f"{what}: the canvas never showed the native frame")
        time.sleep(0.2)


def main():
    args = browser.arguments()
    if args is None:
        return 77
    page = browser.Session(os.path.abspath(args.site), 1600, 1200)
    with tempfile.TemporaryDirectory() as folder:
        try:
            page.open(f"?seed={SEED}")
            await_frame(page, folder, native_frame(args.native, folder, ""), "the title")
            left, top = page.evaluate("(() => { const r = document.getElementById('canvas')"
                                      ".getBoundingClientRect(); return [r.left, r.top]; })()")

            def mouse(kind, point, button="none"):
                page.call("Input.dispatchMouseEvent", type=kind, x=left + 2 * point[0], y=top + 2 * point[1],
                          button=button, buttons={"none": 0, "right": 2}[button], clickCount=1)

            # The native script's inputs come once its title has settled, as the page's do here.
            moved = f"10000 move {ITEM_3[0]} {ITEM_3[1]}\n10100 key 101\n"
            mouse("mouseMoved", ITEM_3)
            page.key("Clear", "Numpad5", 12)
            await_frame(page, folder, native_frame(args.native, folder, moved), "the move and keypad 5")
            mouse("mousePressed", ANYWHERE, "right")
            mouse("mouseReleased", ANYWHERE)
            cancelled = moved + f"10200 click {ANYWHERE[0]} {ANYWHERE[1]} 2\n"
            await_frame(page, folder, native_frame(args.native, folder, cancelled), "the right click")
            page.evaluate("(() => { const shown = Module.onExit; Module.onExit = s => { window.ended = s; "
                          "shown(s); }; })()")
            page.key("ArrowDown", "ArrowDown", 40)
            page.key("Enter", "Enter", 13, "\r")
            page.wait_for("the end of the program", "window.ended === 0")
            if page.console_errors:
                raise AssertionError(f"console errors: {page.console_errors}")
        finally:
            page.close()
    print("move, keypad 5 without NumLock, right click and quit: as in the window")
    return 0


if __name__ == "__main__":
    sys.exit(main())
