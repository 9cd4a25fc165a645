#!/usr/bin/env python3
"""The kept game in the real window, under a virtual X server: a seeded game started with a profile
folder, a few cards played with the keys, the program killed (SIGKILL) in the player's turn; the
next start shows that turn pixel for pixel, and the game finished by the autopilot ends as the same
game played without the break (the same keys from a script, then the autopilot). Then the same game
with the window closed during a pop-up instead.

usage: window_keep.py PROGRAM BIN_DIR     (exit 77 = skipped: no Xvfb or xdotool)
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwindow  # noqa: E402
from window_e2e import (ORANGE, check, humans_turn, play_by_keys, settle,  # noqa: E402
                        wait_for_computers, wait_for_humans_turn)
from window_faults import pop_up  # noqa: E402

SEED = "20240611"
TURNS = 3
# Pop-ups stay long enough to be caught; the rest is quick.
WAITS = {"PopMove": 0, "PopShow": 3000, "BarClear": 1, "CompNext": 100, "CompThread": 10, "CardMove": 1}
VK = {"Return": 13, "space": 32, "Right": 39, "Down": 40}
# In the script: the title, the selection, and each turn's keys a virtual minute apart, when the
# computer players have long finished.
TURN_MS = 60000


class Logged:
    """The window, with every key pressed in it written down."""

    def __init__(self, window):
        self.w, self.keys = window, []

    def __getattr__(self, name):
        return getattr(self.w, name)

    def key(self, *names):
        self.keys.extend(names)
        self.w.key(*names)


def start_game(w):
    w.wait_for("the title", lambda: w.pixel(155, 440) == ORANGE)
    w.key("Return")
    w.wait_for("the selection screen", lambda: w.pixel(155, 440) != ORANGE)
    time.sleep(0.3)
    w.key("Return")


def play_turns(w):
    """Plays TURNS cards with the keys; returns the keys of each turn."""
    turns = []
    for _ in range(TURNS):
        wait_for_humans_turn(w)
        logged = Logged(w)
        play_by_keys(logged)
        turns.append([VK[k] for k in logged.keys])
        wait_for_computers(w)
    return turns


def headless_line(program, args):
    done = subprocess.run([program, "--headless", "--render", "none", "--autoplay", "--games", "1",
                           "--seed", SEED] + args, capture_output=True, text=True, timeout=120)
    check(done.returncode == 0, f"{args}: exit {done.returncode}: {done.stderr}")
    lines = [line for line in done.stdout.splitlines() if line.startswith("{")]
    check(len(lines) == 1, f"{args}: one game line, not {done.stdout!r}")
    return lines[0], done.stderr


def unbroken_line(program, data, turns, folder):
    script = os.path.join(folder, "keys.txt")
    with open(script, "w", encoding="ascii") as file:
        file.write("2000 key 13\n3000 key 13\n")
        for n, keys in enumerate(turns):
            for i, key in enumerate(keys):
                file.write(f"{TURN_MS * (n + 1) + 200 * i} key {key}\n")
    return headless_line(program, ["--data", data, "--script", script])[0]


def same_game(resumed_line, unbroken_line):
    """The same results; the resumed program saw only the pop-ups after the break, the last ones."""
    resumed, unbroken = json.loads(resumed_line), json.loads(unbroken_line)
    tail, whole = resumed.pop("eventOrder"), unbroken.pop("eventOrder")
    for line in (resumed, unbroken):
        line.pop("events")
    return resumed == unbroken and len(tail) <= len(whole) and whole[len(whole) - len(tail):] == tail


def screen(w):
    return w.region(0, 0, 800, 600)


def killed(program, data, profile, display):
    w = xwindow.GameWindow(display, program, ["--data", data, "--seed", SEED, "--profile", profile])
    try:
        start_game(w)
        turns = play_turns(w)
        wait_for_humans_turn(w)
        settle(w, (0, 0, 800, 600))
        shot = screen(w)
        w.process.send_signal(signal.SIGKILL)
        w.process.wait()
    finally:
        w.stop()
    w = xwindow.GameWindow(display, program, ["--data", data, "--profile", profile])
    try:
        w.wait_for("the player's turn again", lambda: humans_turn(w), timeout=30)
        settle(w, (0, 0, 800, 600))
        again = screen(w)
        differing = sum(a != b for a, b in zip(shot, again))
        check(differing == 0, f"{differing} pixels of the resumed turn differ from the screen at the kill")
        status, _ = w.close_and_wait(timeout=2.0)
        check(status == 0, f"exit status {status} after the close")
        check("pakaponta:" not in w.output(w.stderr), "no message: " + w.output(w.stderr))
    finally:
        w.stop()
    return turns


def closed_in_pop_up(program, data, profile, display):
    w = xwindow.GameWindow(display, program, ["--data", data, "--seed", SEED, "--profile", profile])
    try:
        start_game(w)
        for _ in range(TURNS - 1):
            wait_for_humans_turn(w)
            play_by_keys(w)
            wait_for_computers(w)
        wait_for_humans_turn(w)
        play_by_keys(w)
        w.wait_for("a pop-up", lambda: pop_up(w), timeout=60)
        status, _ = w.close_and_wait(timeout=2.0)
        check(status == 0, f"exit status {status} after the close during a pop-up")
    finally:
        w.stop()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, bin_dir = sys.argv[1], sys.argv[2]
    missing = xwindow.missing_tools()
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return xwindow.SKIP
    data = xwindow.make_data_folder(bin_dir, WAITS)
    folder = tempfile.mkdtemp(prefix="pakaponta-keep-")
    try:
        with xwindow.VirtualDisplay() as display:
            killed_profile = os.path.join(folder, "killed")
            turns = killed(program, data, killed_profile, display)
            print(f"killed after {TURNS} cards ({turns}); the next start showed the same turn")
            closed_profile = os.path.join(folder, "closed")
            closed_in_pop_up(program, data, closed_profile, display)
            print("closed during a pop-up")
        unbroken = unbroken_line(program, data, turns, folder)
        for name in ("killed", "closed"):
            line, messages = headless_line(program, ["--data", data, "--profile", os.path.join(folder, name)])
            check(messages == "", f"{name}: no message: {messages}")
            check(same_game(line, unbroken),
                  f"{name}: the resumed game ended\n{line}\nnot as without the break\n{unbroken}")
            check(not os.path.exists(os.path.join(folder, name, "game")), f"{name}: the finished game is not kept")
        print("both resumed games ended as the game without the break")
        return 0
    finally:
        shutil.rmtree(data, ignore_errors=True)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
