#!/usr/bin/env python3
"""The page on phones: in portrait and landscape the picture fills the space the on-screen keys
leave, nothing overlaps, nothing scrolls; a desktop with a mouse shows no keys; a held arrow repeats.
Thumbs alone play:
the on-screen keys take a game of each of two modes from the title into the player's turn and play
the turn, and two taps on one card play it.

usage: test_phone_page.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

SEED = 20240611
ORANGE, GREEN, SILVER, CROSS_RED, PLATE = 0xFFB000, 0x009933, 0xC0C0C0, 0xC00000, 0x9999FF
KEYS = ("ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "Enter", "Escape", "Mute", "F2", "S", "H", "O")
# name, CSS pixels, device pixels per CSS pixel, upright
PHONES = (("phone portrait", 390, 844, 3), ("phone landscape", 844, 390, 3), ("small phone", 360, 640, 2))
FRAME_COUNTER = """
  var put = OffscreenCanvasRenderingContext2D.prototype.putImageData;
  window.frames_ = 0;
  OffscreenCanvasRenderingContext2D.prototype.putImageData = function () {
    put.apply(this, arguments);
    frames_++;
  };"""
GEOMETRY = """(function () {
  function box(e) { var r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; }
  var shown = Array.from(document.querySelectorAll('button')).filter(function (b) {
    return getComputedStyle(b).display !== 'none'; });
  window.scrollTo(500, 500);
  return { viewport: [innerWidth, innerHeight], canvas: box(document.getElementById('canvas')),
           controls: shown.map(function (b) { return [b.dataset.key || b.id.replace(/^./, function (c) {
             return c.toUpperCase(); })].concat(box(b)); }),
           size: [document.scrollingElement.scrollWidth, document.scrollingElement.scrollHeight],
           scrolled: [scrollX, scrollY], zoom: window.visualViewport.scale };
})()"""


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def geometry(page, width, height, ratio, mobile=True):
    page.resize(width, height, ratio, mobile)
    page.wait_for(f"the layout of {width} x {height}", f"innerWidth === {width} && innerHeight === {height}")
    time.sleep(0.2)
    return page.evaluate(GEOMETRY)


def fits(page, name, width, height, ratio):
    """Everything on screen; the picture's limiting side fills 95 % of the space the keys leave."""
    shape = geometry(page, width, height, ratio)
    canvas, controls = shape["canvas"], {c[0]: c[1:] for c in shape["controls"]}
    check(sorted(controls) == sorted(KEYS), f"{name}: the keys shown are {sorted(controls)}")
    check(canvas[0] >= 0 and canvas[1] >= 0 and canvas[0] + canvas[2] <= width + 0.01
          and canvas[1] + canvas[3] <= height + 0.01, f"{name}: the canvas {canvas} lies inside the screen")
    for label, box in controls.items():
        check(box[2] >= 44 and box[3] >= 44, f"{name}: {label} is {box[2]} x {box[3]}")
        check(not overlap(box, canvas), f"{name}: {label} at {box} covers the canvas {canvas}")
        check(box[0] >= 0 and box[1] >= 0 and box[0] + box[2] <= width and box[1] + box[3] <= height,
              f"{name}: {label} at {box} lies inside the screen")
    # The space left: the keys' bands below or beside the canvas taken off the screen.
    boxes = controls.values()
    top = 0
    bottom = min([b[1] for b in boxes if b[1] >= canvas[1] + canvas[3]] or [height])
    left = max([b[0] + b[2] for b in boxes if b[0] + b[2] <= canvas[0]] or [0])
    right = min([b[0] for b in boxes if b[0] >= canvas[0] + canvas[2]] or [width])
    filled = max(canvas[2] / (right - left), canvas[3] / (bottom - top))
    check(filled >= 0.95, f"{name}: the canvas fills {filled:.0%} of the space {right - left} x {bottom - top}")
    check(shape["size"] == [width, height] and shape["scrolled"] == [0, 0] and shape["zoom"] == 1,
          f"{name}: the page scrolls or zooms: {shape}")
    print(f"{name} {width} x {height} @{ratio}: canvas {[round(v, 1) for v in canvas]}, fills {filled:.1%} of "
          f"{right - left:.0f} x {bottom - top:.0f}; keys " +
          ", ".join(f"{label} {[round(v) for v in box]}" for label, box in sorted(controls.items())))


def desktop(page):
    page.open("?seed=1")
    shape = geometry(page, 1920, 1080, 1, mobile=False)
    keys = [c[0] for c in shape["controls"] if c[0] != "Mute"]
    check(not keys, f"a desktop with a mouse shows no keys: {keys}")
    check(shape["canvas"][3] >= 0.95 * 1080, f"the canvas fills the desktop's height: {shape['canvas']}")
    print(f"desktop 1920 x 1080: canvas {shape['canvas']}, no keys")


def press(page, key):
    """A finger on the on-screen key."""
    box = page.evaluate(f"(function (r) {{ return [r.left + r.width / 2, r.top + r.height / 2]; }})"
                        f"(document.querySelector('button[data-key=\"{key}\"]').getBoundingClientRect())")
    page.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": box[0], "y": box[1]}])
    page.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
    time.sleep(0.15)


def held(page):
    """A finger resting on an arrow repeats it, as a held key does; lifting it stops."""
    page.evaluate("(function (send) { window.pressed_ = 0; Module.pakapontaKey = function (code) {"
                  " if (code === 39) pressed_++; send(code); }; })(Module.pakapontaKey)")
    box = page.evaluate("(function (r) { return [r.left + r.width / 2, r.top + r.height / 2]; })"
                        "(document.querySelector('button[data-key=\"ArrowRight\"]').getBoundingClientRect())")
    page.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": box[0], "y": box[1]}])
    time.sleep(1.0)
    page.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
    count = page.evaluate("pressed_")
    time.sleep(0.3)
    check(count >= 5 and page.evaluate("pressed_") == count, f"a held arrow: {count} presses, then more")


def settle(page):
    """Waits until the game has drawn what the last input changed and then stays still."""
    count, deadline = -1, time.time() + 3
    while time.time() < deadline and count != page.evaluate("frames_"):
        count = page.evaluate("frames_")
        time.sleep(0.15)


def humans_turn(page):
    page.wait_for("the player's turn", f"{browser.pixel_is(66, 300, SILVER)} && "
                  f"!{browser.pixel_is(60, 520, GREEN)} && !{browser.pixel_is(60, 520, ORANGE)}", timeout=90)
    settle(page)


def find_fit(page):
    """Walks the hand and the board with the arrow keys until the card may go on the thread (the
    box turns orange); False when no card can be played at all (the box shows a red cross)."""
    if page.evaluate(browser.pixel_is(62, 523, CROSS_RED)):
        return False
    for _ in range(10):
        for _ in range(12):
            if page.evaluate(browser.pixel_is(115, 500, ORANGE)):
                return True
            press(page, "ArrowDown")
            settle(page)
        press(page, "ArrowRight")
        settle(page)
    raise AssertionError("no card fits any thread, and yet the box shows no cross")


def game_by_keys(page, moves, kept=False):
    """From the title into a game, by the on-screen keys only, and the player's first turn played;
    a kept game comes back first, and the New game key abandons it."""
    page.open(f"?seed={SEED}")
    if kept:
        humans_turn(page)
        press(page, "F2")
    page.wait_for("the title", browser.pixel_is(155, 440, ORANGE), timeout=60)
    for key in moves:
        press(page, key)
    page.wait_for("the title's cursor moved", "true" if not moves else f"!{browser.pixel_is(155, 440, ORANGE)}")
    press(page, "Enter")
    page.wait_for("the selection screen", browser.pixel_is(400, 300, PLATE))
    press(page, "Enter")
    humans_turn(page)
    find_fit(page)
    press(page, "Enter")
    page.wait_for("the computer players' turns after the card played by the keys",
                  browser.pixel_is(60, 520, GREEN), timeout=30)


def tap(page, x, y):
    """A finger on the picture's point (x, y)."""
    box = page.evaluate("(function (r) { return [r.left, r.top, r.width / 800]; })"
                        "(document.getElementById('canvas').getBoundingClientRect())")
    point = {"x": box[0] + x * box[2], "y": box[1] + y * box[2]}
    page.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[point])
    page.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


def double_tap(page):
    """Two taps on one thread row, much further apart than a double click allows, play the card."""
    humans_turn(page)
    if page.evaluate(browser.pixel_is(62, 523, CROSS_RED)):
        return
    for slot in range(10):
        tap(page, 147 + 59 * slot + 30, 520)
        for row in range(12):
            tap(page, 300, 2 + 16 * row + 8)
            settle(page)
            if page.evaluate(browser.pixel_is(115, 500, ORANGE)):
                tap(page, 500, 2 + 16 * row + 8)
                tap(page, 100, 2 + 16 * row + 8)
                page.wait_for("the card played by a double tap", browser.pixel_is(60, 520, GREEN), timeout=30)
                return
    raise AssertionError("no card fits any thread, and yet the box shows no cross")


def quit_and_again(page):
    """One tap on the title's quit item only points at it; a second ends the program, and the page
    then offers to start again."""
    humans_turn(page)
    press(page, "F2")
    settle(page)
    tap(page, 300, 520)
    settle(page)
    check(page.evaluate("document.getElementById('again') === null"), "one tap on the quit item ended the game")
    tap(page, 300, 520)
    page.wait_for("the page's button that starts again", "document.getElementById('again') !== null")
    page.evaluate("document.getElementById('again').click()")
    page.wait_for("the title after starting again",
                  f"typeof Module !== 'undefined' && {browser.pixel_is(155, 440, ORANGE)}", timeout=60)


def main():
    args = browser.arguments()
    if args is None:
        return 77
    page = browser.Session(args.site)
    try:
        page.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_COUNTER)
        desktop(page)
        page.touch_screen(True)
        page.resize(*PHONES[0][1:], mobile=True)
        page.open("?seed=1")
        for phone in PHONES:
            fits(page, *phone)
        page.wait_for("the title", browser.pixel_is(155, 440, ORANGE), timeout=60)
        held(page)
        page.resize(390, 844, 3, mobile=True)
        game_by_keys(page, [])
        game_by_keys(page, ["ArrowDown"], kept=True)
        double_tap(page)
        quit_and_again(page)
        check(not page.console_errors, f"console errors: {page.console_errors}")
        print("thumbs alone: two games started and a turn of each played by the on-screen keys; a double tap;"
              " quitting takes two taps and the page starts again")
        return 0
    finally:
        page.close()


if __name__ == "__main__":
    sys.exit(main())
