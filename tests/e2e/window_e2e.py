#!/usr/bin/env python3
"""Plays the real program in its window under a virtual X server, the way a person would: the title
with the hidden Extra switch, the name and colour, a deck game with its preview, turns played with
the keys and with double clicks (two quick presses on neighbouring rows are no double click), and
the window closed while the computer players move.

With "autoplay" it instead lets the program's autopilot play a whole game in the window, through
the result table and the closing text back to the title.

usage: window_e2e.py PROGRAM BIN_DIR [play|autoplay]     (exit 77 = skipped: no Xvfb or xdotool)
"""

import os
import sys
import time

# No compiled copies left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwindow  # noqa: E402

BLACK = 0x000000
ORANGE = 0xFFB000
GREEN = 0x009933
SILVER = 0xC0C0C0
CROSS_RED = 0xC00000
PLATE_FILL = {0: 0x9999FF, 1: 0x66FFFF}

# Computer players pause long enough to be caught moving; everything else is quick.
WAITS = {"PopMove": 0, "PopShow": 60, "BarClear": 1, "CompNext": 400, "CompThread": 10, "CardMove": 1}

HAND_Y = 520
SLOT_X = [147 + 59 * slot + 30 for slot in range(9)] + [720]


def row_y(position):
    return 2 + 16 * position + 8


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def settle(w, region=(69, 2, 619, 199)):
    """Waits until the program has drawn what the last input changed."""
    time.sleep(0.05)
    last = w.region(*region)
    for _ in range(40):
        time.sleep(0.04)
        now = w.region(*region)
        if now == last:
            return
        last = now


def humans_turn(w):
    # The selected card stands in its box only while the human is to move.
    return w.pixel(66, 300) == SILVER and w.pixel(60, 520) not in (GREEN, ORANGE)


def wait_for_humans_turn(w):
    for _ in range(3):
        w.wait_for("the human's turn", lambda: humans_turn(w), timeout=30)
        time.sleep(0.15)
        if humans_turn(w):
            return
    raise AssertionError("the human's turn did not hold")


def wait_for_computers(w):
    # The hand also clears while the human's own card flies, and a pop-up it raises paints it again:
    # the arrow leaving the human's plate says the computer players have begun.
    w.wait_for("the computer players' turns",
               lambda: w.pixel(60, 520) == GREEN and w.pixel(635, 57) != ORANGE, timeout=10)


def play_by_keys(w, ok_key="Return"):
    if w.pixel(62, 523) == CROSS_RED:
        w.key(ok_key)
        return "discard"
    for _ in range(10):
        for _ in range(12):
            if w.pixel(115, 500) == ORANGE:
                w.key(ok_key)
                return "keys"
            w.key("Down")
            settle(w)
        w.key("Right")
        settle(w)
    raise AssertionError("no playable card found with the keys")


def row_band(w, position):
    return w.region(69, row_y(position) - 7, 619, row_y(position) + 7)


def quick_presses_on_two_rows(w, playable, other):
    """Two presses 16 pixels apart, as quick as a double click: the second only selects its row."""
    hand = w.region(123, 443, 798, 598)
    selected, unselected = row_band(w, playable), row_band(w, other)
    # The row was just pressed to select it: another press there now would be a double click.
    time.sleep(0.6)
    w.xdotool("mousemove", "--window", str(w.window), "300", str(row_y(playable)), "click", "1",
              "mousemove", "--window", str(w.window), "300", str(row_y(other)), "click", "1")
    w.wait_for("the second row selected", lambda: row_band(w, other) != unselected)
    settle(w)
    check(row_band(w, playable) != selected, "the first row is no longer selected")
    time.sleep(0.3)
    check(humans_turn(w) and w.region(123, 443, 798, 598) == hand, "nothing was played")
    time.sleep(0.3)
    w.click(300, row_y(playable))
    w.wait_for("the first row selected again", lambda: row_band(w, playable) == selected)


def play_by_double_click(w):
    if w.pixel(62, 523) == CROSS_RED:
        w.click(SLOT_X[0], HAND_Y, repeat=2)
        return "discard"
    for slot in range(10):
        w.click(SLOT_X[slot], HAND_Y)
        settle(w, (2, 443, 798, 598))
        for position in range(12):
            w.click(300, row_y(position))
            settle(w)
            if w.pixel(115, 500) == ORANGE:
                quick_presses_on_two_rows(w, position, position - 1 if position > 0 else 1)
                check(w.pixel(115, 500) == ORANGE, "the card may go on the selected row again")
                w.click(SLOT_X[slot], HAND_Y, repeat=2)
                return "double click"
    raise AssertionError("no playable card found with the mouse")


def client_size(w):
    size = w.xdotool_output("getwindowgeometry", str(w.window)).split("Geometry:")[1].split()[0]
    return tuple(int(n) for n in size.split("x"))


def title_and_selection(w):
    w.wait_for("the title", lambda: w.pixel(155, 440) == ORANGE)
    check(client_size(w) == (800, 600), f"the client area is 800 x 600, not {client_size(w)}")
    check(w.pixel(150, 420) == BLACK, "item 0's origin is left black")
    check(w.pixel(455, 440) == BLACK and w.pixel(305, 520) == BLACK, "only item 0 has the cursor")

    # Twice the size: the same picture scaled, and the pointer still lands on the menu items.
    # (The window growing or shrinking under the pointer may move the menu cursor by itself.)
    w.xdotool("windowmove", str(w.window), "0", "0")
    w.xdotool("windowsize", str(w.window), "1600", "1200")
    for item, (x, y) in enumerate(((200, 430), (600, 430))):
        w.xdotool("mousemove", "--window", str(w.window), str(2 * x), str(2 * y))
        probe = (2 * (155 + 300 * item), 2 * 440)
        w.wait_for(f"the cursor on item {item} at twice the size", lambda: w.pixel(*probe) == ORANGE)
    check(w.pixel(2 * 155, 2 * 440) == BLACK, "the cursor left item 0")
    w.xdotool("windowsize", str(w.window), "800", "600")
    w.xdotool("mousemove", "--window", str(w.window), "200", "430")
    w.wait_for("the cursor on item 0 at the window's own size", lambda: w.pixel(155, 440) == ORANGE)

    w.key("Up")
    w.wait_for("the cursor on the quit item", lambda: w.pixel(305, 520) == ORANGE)
    labels = (180, 428, 720, 500)
    normal = w.region(*labels)
    w.key("Right", "Right", "Right", "Right", "Right")
    w.wait_for("the Extra labels", lambda: w.region(*labels) != normal)
    w.key("Left")
    w.wait_for("the normal labels again", lambda: w.region(*labels) == normal)

    w.key("Down", "Right")
    w.wait_for("the cursor on item 1", lambda: w.pixel(455, 440) == ORANGE)
    w.key("Return")
    w.wait_for("the selection screen", lambda: w.pixel(400, 300) == PLATE_FILL[0])
    name = (330, 250, 480, 290)
    first_name = w.region(*name)
    w.key("Down")
    w.wait_for("the next name", lambda: w.region(*name) != first_name)
    w.key("Right")
    w.wait_for("the next colour", lambda: w.pixel(400, 300) == PLATE_FILL[1])


def deck_preview(w):
    w.key("Return")
    w.wait_for("the deck preview", lambda: w.pixel(60, 60) != BLACK and w.pixel(400, 300) != PLATE_FILL[1])
    time.sleep(1.0)
    check(w.pixel(66, 300) != SILVER, "the game waits on the deck preview")
    w.key("Return")


def autoplay(program, bin_dir):
    """A whole daily game played by the autopilot in the window; the screens are watched as it goes."""
    started = time.monotonic()
    seen = set()
    with xwindow.Session(program, bin_dir, {key: 0 for key in xwindow.WAIT_KEYS},
                         ["--autoplay", "--mode", "1", "--games", "1", "--daily-date", "2026-12-09"]) as session:
        w = session.window
        named = w.xdotool_output("getwindowname", str(w.window))
        check(named == "Pakaponta - daily deal of 2026-12-09", f"the window's title is {named!r}")
        while w.process.poll() is None and time.monotonic() - started < 280:
            corner, frame = w.pixel(5, 5), w.pixel(66, 300)
            if frame == SILVER and w.pixel(115, 500) == ORANGE:
                seen.add("the orange box of the player's turn")
            if corner == GREEN and frame == GREEN:
                seen.add("the result table")
            if corner == BLACK and w.region(270, 500, 500, 535) not in (None, [BLACK] * 230 * 35):
                seen.add("the closing text")
            time.sleep(0.2)
        status = w.process.wait(timeout=5)
        report = w.output(w.stdout)
        check(status == 0, f"exit status {status}")
        check('"game":1' in report and report.count('"rank"') == 4, "one game reported with four players")
        check("Pakaponta 日替わり 2026-12-09 / またーり デッキ式 / " in report, f"the share line is printed: {report}")
        for screen in ("the orange box of the player's turn", "the result table", "the closing text"):
            check(screen in seen, f"{screen} was shown")
        title = xwindow.Screenshot(session.shot)
        check(title.pixel(455, 440) == ORANGE and title.pixel(155, 440) == BLACK,
              "back on the title, the mode played under the cursor")
    print(f"autoplay: a whole game and back to the title in {time.monotonic() - started:.1f} s")
    return 0


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[3:] not in ([], ["play"], ["autoplay"]):
        print(__doc__)
        return 2
    program, bin_dir = sys.argv[1], sys.argv[2]
    skipped = xwindow.skip_without_tools()
    if skipped:
        return skipped
    if sys.argv[3:] == ["autoplay"]:
        return autoplay(program, bin_dir)
    started = time.monotonic()
    with xwindow.Session(program, bin_dir, WAITS, ["--seed", "20240611"]) as session:
        w = session.window
        title_and_selection(w)
        print("title, Extra switch, name and colour: ok")
        deck_preview(w)
        print("deck preview: ok")
        moves = []
        for turn in range(4):
            wait_for_humans_turn(w)
            if turn % 2 == 0:
                moves.append(play_by_keys(w, "Return" if turn == 0 else "space"))
            else:
                moves.append(play_by_double_click(w))
            wait_for_computers(w)
        print("turns played by " + ", ".join(moves))
        check(w.process.poll() is None, "the program still runs")
        wait_for_humans_turn(w)
        play_by_keys(w)
        wait_for_computers(w)
        time.sleep(0.1)
        check(w.pixel(60, 520) == GREEN, "the computer players are moving")
        status, seconds = w.close_and_wait(timeout=1.0)
        check(status == 0, f"exit status {status} after the close request")
        print(f"closed during a computer turn: exit 0 after {seconds:.2f} s")
        closed = xwindow.Screenshot(session.shot)
        check((closed.width, closed.height) == (800, 600), "the screenshot is what the window showed: 800 x 600")
        check(closed.pixel(66, 300) == SILVER and closed.pixel(115, 500) == GREEN,
              "the closing picture shows a computer turn")
    print(f"all checks passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
