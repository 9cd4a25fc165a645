#!/usr/bin/env python3
"""The screens a whole game passes through, taken with the program's own screenshot option on the
headless platform: the title, the selection screen, the deck preview, the result table and the
closing text, each from a run that the autopilot plays and that ends when the screen waits.

usage: headless_screens.py PROGRAM BIN_DIR
"""

import os
import subprocess
import sys
import tempfile

# No compiled copies left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwindow  # noqa: E402

BLACK = 0x000000
ORANGE = 0xFFB000
GREEN = 0x009933
WHITE = 0xFFFFFF


def take_screens(program, bin_dir, states, folder):
    """One run per state, all at once; returns a pixel reader per state."""
    runs = {}
    for state in states:
        path = os.path.join(folder, f"state{state}.png")
        runs[state] = (path, subprocess.Popen(
            [program, "--headless", "--autoplay", "--mode", "1", "--seed", "3", "--data", bin_dir,
             "--quit-at-state", str(state), "--screenshot", path],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True))
    screens = {}
    for state, (path, run) in runs.items():
        _, errors = run.communicate(timeout=120)
        if run.returncode != 0:
            raise AssertionError(f"state {state}: exit {run.returncode}: {errors}")
        width, height, pixels = xwindow.read_png(path)
        if (width, height) != (800, 600):
            raise AssertionError(f"state {state}: the screenshot is {width} x {height}")
        screens[state] = (lambda p, w: lambda x, y: p[y * w + x])(pixels, width)
    return screens


def region_has(at, left, top, right, bottom, wanted):
    return any(wanted(at(x, y)) for y in range(top, bottom) for x in range(left, right))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, bin_dir = sys.argv[1], sys.argv[2]
    failures = []

    def check(condition, message):
        print(("ok    " if condition else "FAIL  ") + message)
        if not condition:
            failures.append(message)

    with tempfile.TemporaryDirectory(prefix="pakaponta-screens-") as folder:
        screens = take_screens(program, bin_dir, (20, 30, 40, 90, 100), folder)
        title = screens[20]
        check(title(155, 440) == ORANGE and title(455, 440) == BLACK, "title: the cursor on the first item")
        check(title(400, 160) == WHITE and title(5, 5) == BLACK, "title: the white box on black")

        select = screens[30]
        check(select(400, 300) == 0x9999FF and select(5, 5) == BLACK, "selection: the plate of the first colour")

        deck = screens[40]
        check(deck(60, 60) != BLACK and deck(5, 595) == BLACK, "deck preview: cards on black")

        result = screens[90]
        check(result(5, 5) == GREEN, "result table: the green screen")
        check(region_has(result, 108, 148, 252, 222, lambda c: c != GREEN), "result table: the winner's plate")

        closing = screens[100]
        check(closing(5, 5) == BLACK and closing(700, 300) == BLACK, "closing text: black screen")
        check(region_has(closing, 270, 500, 500, 535, lambda c: c == WHITE), "closing text: the rank line")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
