#!/usr/bin/env python3
"""The real window closed at the worst moments, under a virtual X server: during an event pop-up, a
card flight, the game-over wait, the winner's ending animation and the result table the program
must end within a second with status 0, and the picture it leaves behind shows that moment. Hiding
the window and showing it again while the computer players move must change nothing in the game:
the cards played are the same as in a run left alone.

The autopilot plays seat 0; resource.ini stretches the moment under test and shortens the rest. In a
window the autopilot leaves each end screen up for its fixed reading time before answering it, so
the scenarios that close on those screens have seconds to see them.

usage: window_faults.py PROGRAM BIN_DIR     (exit 77 = skipped: no Xvfb or xdotool)
"""

import concurrent.futures
import os
import shutil
import subprocess
import sys
import time

# No compiled copies left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwindow  # noqa: E402

BLACK = 0x000000
WHITE = 0xFFFFFF
GREY = 0x808080
GREEN = 0x009933
SILVER = 0xC0C0C0

QUICK = {key: 0 for key in xwindow.WAIT_KEYS}
# The player wins this game in the first mode and comes second in the other.
WINNER_SEED = "3"
LOSER_SEED = "2"
GAME_TIMEOUT = 240
HAND_ROW = [(x, 530) for x in (60, 160, 330, 500, 670, 770)]
# Every row of the thread list, and the turn and card counter.
LIST_ROWS = [(69, 2 + 16 * row + 8, 619) for row in range(12)] + [(655, y, 762) for y in (387, 417)]


def check(condition, message):
    if not condition:
        raise AssertionError(message)


# What the picture shows, read through v.pixel(x, y) (0xRRGGBB) and v.region(left, top, right, bottom):
# v is the live window or the screenshot the program wrote when it ended.

def pop_up(v):
    """The open pop-up's frame: grey lines with the dark inner edge beside them."""
    at = v.pixel
    return (at(131, 285) == GREY and at(133, 285) == BLACK and at(668, 285) == GREY and at(669, 285) == BLACK
            and at(370, 435) == GREY and at(296, 478) == GREY and at(296, 479) == BLACK)


def card_flight(v):
    """A card in flight during play: the board with its threads, but the hand cleared away."""
    if v.pixel(66, 300) != SILVER or v.pixel(435, 10) in (WHITE, None):
        return False
    return sum(1 for x, y in HAND_ROW if v.pixel(x, y) == GREEN) >= len(HAND_ROW) - 1


def ending(v):
    return v.pixel(5, 5) == BLACK and v.pixel(66, 300) == BLACK and v.pixel(795, 595) == BLACK


def result_table(v):
    return v.pixel(5, 5) == GREEN and v.pixel(795, 595) == GREEN and v.pixel(10, 595) == GREEN


def humans_turn(v):
    # The selected card stands in its box only while the human is to move.
    return v.pixel(66, 300) == SILVER and v.pixel(20, 560) == WHITE and v.pixel(100, 560) == WHITE


def computers_turn(v):
    return v.pixel(66, 300) == SILVER and all(v.pixel(x, y) == GREEN for x, y in ((20, 560), (100, 560), (60, 520)))


def list_rows(v):
    """The thread list, row by row, and the turn and card counter."""
    return [v.region(left, y, right, y + 1) for left, y, right in LIST_ROWS]


class Run(xwindow.Session):
    """One program in its own virtual display, with a data folder of the given pauses and a trace."""

    def __init__(self, program, bin_dir, waits, args):
        super().__init__(program, bin_dir, waits, args, trace=True)

    def game_over_rows(self):
        """The thread list of the game-over wait, from the same game played headless to that wait."""
        shot = os.path.join(self.data, "game-over.png")
        subprocess.run([self.program, "--headless", "--data", self.data, "--quit-at-state", "70",
                        "--screenshot", shot] + self.args, check=True, stdout=subprocess.DEVNULL)
        return list_rows(xwindow.Screenshot(shot))

    def close(self, moment):
        status, seconds = self.window.close_and_wait(timeout=1.0)
        check(status == 0, f"exit status {status} after the close during {moment}")
        return seconds

    def trace_lines(self):
        with open(self.trace, encoding="utf-8") as file:
            return file.read().splitlines()


def close_during(program, bin_dir, moment, waits, args, shows=None, first=None):
    """Waits for the moment (after the picture first, if given), closes the window, and checks the
    exit and the picture left behind. Without shows the moment is the game-over wait."""
    run = Run(program, bin_dir, waits, args)
    if shows is None:
        try:
            game_over = run.game_over_rows()
        except Exception:
            shutil.rmtree(run.data, ignore_errors=True)
            raise

        def shows(v):
            return list_rows(v) == game_over
    with run:
        w = run.window
        if first:
            w.wait_for(first.__doc__, lambda: first(w), timeout=GAME_TIMEOUT)
        w.wait_for(moment, lambda: shows(w), timeout=GAME_TIMEOUT)
        seconds = run.close(moment)
        check(shows(xwindow.Screenshot(run.shot)), f"the picture left at the close shows {moment}")
    return f"closed during {moment}: exit 0 after {seconds:.2f} s"


def board(v):
    """the board"""
    return v.pixel(66, 300) == SILVER


def during_pop_up(program, bin_dir):
    return close_during(program, bin_dir, "a pop-up", dict(QUICK, PopShow=60000),
                        ["--autoplay", "--mode", "0", "--seed", WINNER_SEED], pop_up)


def during_card_flight(program, bin_dir):
    return close_during(program, bin_dir, "a card flight", dict(QUICK, CardMove=250),
                        ["--autoplay", "--mode", "0", "--seed", WINNER_SEED], card_flight)


def during_game_over(program, bin_dir):
    return close_during(program, bin_dir, "the game-over wait", QUICK,
                        ["--autoplay", "--mode", "0", "--seed", LOSER_SEED])


def during_ending(program, bin_dir):
    # The first black screen after the board: the winner's ending comes before the result table.
    return close_during(program, bin_dir, "the ending animation", QUICK,
                        ["--autoplay", "--mode", "0", "--seed", WINNER_SEED], ending, first=board)


def during_result_table(program, bin_dir):
    return close_during(program, bin_dir, "the result table", QUICK,
                        ["--autoplay", "--mode", "0", "--seed", LOSER_SEED], result_table)


def visible(w):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pakaponta$"], env=w.env,
                           capture_output=True, text=True)
    return str(w.window) in found.stdout.split()


def play_for(program, bin_dir, seconds, hide_at):
    """The cards played in the first seconds of a game; from hide_at seconds on (None: never), the
    window is hidden for a second as soon as a computer player is seen pondering his move."""
    run = Run(program, bin_dir, dict(QUICK, CompNext=400), ["--autoplay", "--mode", "0", "--seed", "7"])
    with run:
        w = run.window
        started = time.monotonic()
        if hide_at is not None:
            time.sleep(hide_at)
            # The player's own view flashes between moves for a few frames; a computer player's
            # pause before his move holds much longer.
            while True:
                w.wait_for("a computer player's turn", lambda: computers_turn(w), timeout=30)
                time.sleep(0.15)
                if computers_turn(w):
                    break
            w.xdotool("windowunmap", "--sync", str(w.window))
            check(not visible(w), "the window is hidden")
            time.sleep(1.0)
            w.xdotool("windowmap", "--sync", str(w.window))
            w.wait_for("the window shown again", lambda: visible(w), timeout=5)
        time.sleep(max(seconds - (time.monotonic() - started), 0))
        check(w.process.poll() is None, "the program still runs")
        run.close("a game")
        return run.trace_lines()


def hidden_changes_nothing(program, bin_dir):
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        alone = pool.submit(play_for, program, bin_dir, 20, None)
        hidden = pool.submit(play_for, program, bin_dir, 20, 5)
        alone, hidden = alone.result(), hidden.result()
    common = min(len(alone), len(hidden))
    # About half of them come after the window is shown again.
    check(common >= 16, f"only {common} cards played")
    check(alone[:common] == hidden[:common], "hiding the window changed the cards played")
    return f"hidden and shown during a computer turn: the same {common} cards as a run left alone"


SCENARIOS = (during_pop_up, during_card_flight, during_game_over, during_ending, during_result_table,
             hidden_changes_nothing)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, bin_dir = sys.argv[1], sys.argv[2]
    skipped = xwindow.skip_without_tools()
    if skipped:
        return skipped
    started = time.monotonic()
    # Each scenario has its own display; most of the time the programs wait on their pauses.
    failures = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=3) as pool:
        futures = {pool.submit(scenario, program, bin_dir): scenario.__name__ for scenario in SCENARIOS}
        for future in concurrent.futures.as_completed(futures):
            try:
                print(future.result(), flush=True)
            except Exception as error:  # noqa: BLE001 - every scenario reports its own failure
                failures += 1
                print(f"FAILED {futures[future]}: {error}", flush=True)
    print(f"{len(SCENARIOS) - failures} passed, {failures} failed in {time.monotonic() - started:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
