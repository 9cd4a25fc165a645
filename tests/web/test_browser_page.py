#!/usr/bin/env python3
"""The page in headless Chromium: no console error; the title frame is the native program's pixel
for pixel, filling an 800 x 600 viewport and shown within 3 s; whole-factor scaling with the pointer
in picture coordinates; Enter, Enter starts a game, a click selects a row, a double click plays the
card, a tap selects a row; the music and effects decode, a hidden tab stops the music until it
shows again, and M mutes them.

usage: test_browser_page.py --site DIR --native DIR [--node DIR --source DIR]   (77 = skipped)
"""

import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

SEED = 20240611
ORANGE, GREEN, SILVER, CROSS_RED, PLATE = 0xFFB000, 0x009933, 0xC0C0C0, 0xC00000, 0x9999FF
SLOT_X = [147 + 59 * slot + 30 for slot in range(9)] + [720]
HAND_Y = 520
ROW_X = 300
# Every frame put on the canvas: when, and whether the title's cursor is in it.
FRAME_PROBE = """
  var put = OffscreenCanvasRenderingContext2D.prototype.putImageData;
  window.frames_ = [];
  OffscreenCanvasRenderingContext2D.prototype.putImageData = function (image) {
    put.apply(this, arguments);
    var d = image.data, at = (440 * image.width + 155) * 4;
    frames_.push([performance.now(), d[at] === 255 && d[at + 1] === 176 && d[at + 2] === 0]);
  };"""
CANVAS_BOX = "(function (r) { return [r.left, r.top, r.width, r.height]; })" \
             "(document.getElementById('canvas').getBoundingClientRect())"


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def row_y(row):
    return 2 + 16 * row + 8


def settle(page):
    """Waits until the game has drawn what the last input changed and then stays still."""
    count, deadline = -1, time.time() + 3
    while time.time() < deadline and count != page.evaluate("frames_.length"):
        count = page.evaluate("frames_.length")
        time.sleep(0.1)


def view(page):
    """The thread view's pixels, which show the selected thread."""
    return page.evaluate(f"{browser.CONTEXT}.getImageData(69, 203, 550, 236).data.join()")


def title(page, native):
    with tempfile.TemporaryDirectory() as folder:
        shot = os.path.join(folder, "title.png")
        subprocess.run([os.path.join(native, "pakaponta"), "--headless", "--quit-at-state", "20",
                        "--seed", str(SEED), "--screenshot", shot], check=True, timeout=60)
        width, _, pixels = browser.read_png(shot)
    page.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_PROBE)
    page.open(f"?seed={SEED}")
    page.wait_for("the title", "frames_.some(function (f) { return f[1]; })", timeout=60)
    settle(page)
    with tempfile.TemporaryDirectory() as folder:
        # What the screen shows, not only what the program drew: the frame must reach the page.
        page.screenshot(os.path.join(folder, "page.png"))
        _, _, canvas = browser.read_png(os.path.join(folder, "page.png"))
    differing = sum(canvas[y * 800 + x] != pixels[y * width + x] for y in range(600) for x in range(800))
    check(differing == 0, f"{differing} pixels of the title differ from the native screenshot")
    check(page.evaluate(CANVAS_BOX) == [0, 0, 800, 600], "the canvas fills an 800 x 600 viewport")
    check(page.evaluate("getComputedStyle(document.getElementById('mute')).display") == "none",
          "no switch over the picture when there is no margin")
    return page.evaluate("frames_.filter(function (f) { return f[1]; })[0][0]")


def scaling(page):
    page.resize(1700, 1300)
    page.wait_for("twice the size", "document.getElementById('canvas').getBoundingClientRect().width === 1600")
    check(page.evaluate(CANVAS_BOX) == [50, 50, 1600, 1200], "twice the size, centred")
    mute = page.evaluate("document.getElementById('mute').getBoundingClientRect().left")
    check(mute >= 1650, f"the mute switch in the margin, at x {mute}")
    for x, probe in ((600, 455), (200, 155)):  # the menu item under the pointer gets the cursor
        page.call("Input.dispatchMouseEvent", type="mouseMoved", x=50 + 2 * x, y=50 + 2 * 430)
        page.wait_for(f"the cursor at x {probe}", browser.pixel_is(probe, 440, ORANGE))
    page.resize(800, 600)


def humans_turn(page):
    page.wait_for("the player's turn", f"{browser.pixel_is(66, 300, SILVER)} && "
                  f"!{browser.pixel_is(60, 520, GREEN)} && !{browser.pixel_is(60, 520, ORANGE)}", timeout=90)
    settle(page)


def fitting_slot(page):
    """Selects a card and a row it may go on (the box turns orange); the card's slot, or None."""
    for slot in range(10):
        page.click(SLOT_X[slot], HAND_Y)
        for row in range(12):
            page.click(ROW_X, row_y(row))
            settle(page)
            if page.evaluate(browser.pixel_is(115, 500, ORANGE)):
                return slot
    return None


def play(page):
    """A click on another row shows its thread; a double click plays a card that fits a row."""
    first = view(page)
    for row, same in ((1, False), (0, True)):
        page.click(ROW_X, row_y(row))
        settle(page)
        check((view(page) == first) == same, f"a click on row {row} shows its thread")
    # When no card fits anywhere, the box shows a red cross and the card chosen is thrown away.
    slot = 0 if page.evaluate(browser.pixel_is(62, 523, CROSS_RED)) else fitting_slot(page)
    check(slot is not None, "a card fits some thread")
    page.click(SLOT_X[slot], HAND_Y, count=2)
    page.wait_for("the computer players' turns", browser.pixel_is(60, 520, GREEN))


def said(page):
    return page.evaluate("Array.from(document.getElementById('narration').childNodes)"
                         ".map(function (p) { return p.textContent; })")


def narration(page):
    """The live region says what the keys change, and what was played since the game began."""
    check(page.evaluate("document.getElementById('canvas').getAttribute('aria-label')"), "the canvas has a name")
    lines = said(page)
    check(any(line.startswith("あなたの番") for line in lines), f"the turn is said: {lines[-3:]}")
    for key, code, vk, what in (("ArrowRight", "ArrowRight", 39, "枚目、"), ("ArrowDown", "ArrowDown", 40, "行目、")):
        before = len(said(page))
        page.key(key, code, vk)
        settle(page)
        new = said(page)[before:]
        check(any(what in line for line in new), f"{key} says the {what}: {new}")
        check(any(line in ("置けます", "置けません") or line.startswith("出せるカードがありません") for line in new),
              f"{key} says whether the box would play: {new}")
    page.key("ArrowUp", "ArrowUp", 38)
    settle(page)
    lines = said(page)
    check(any(line.endswith("出しました") or line.endswith("捨てました") for line in lines), f"the plays are said: {lines}")
    check(any(line.endswith("点") and not line.startswith("得点") for line in lines), f"a pop-up is said: {lines}")


def sound(page):
    state = page.evaluate("(function (s, m) { return [s.current, s.playing, m.getAttribute('src'),"
                          " !m.error && m.duration > 10]; })(Module.pakaSound, Module.pakaSound.music)")
    check(state == ["bgm1", True, "music/game2.ogg", True], f"the second game track plays: {state}")
    lengths = page.evaluate("Promise.all(Object.values(Module.pakaSound.effects)).then("
                            "function (b) { return b.map(function (x) { return x ? x.duration : 0; }); })")
    check(lengths and min(lengths) > 0.05, f"every effect played decodes: {lengths}")
    # A hidden tab is a minimized window: the music stops, and comes back with the tab.
    for hidden, what, music in ((True, "stops in a hidden tab", "s.current === null && s.music.paused"),
                                (False, "comes back with the tab", "s.current !== null && s.playing")):
        page.evaluate(f"Object.defineProperty(document, 'hidden', {{value: {str(hidden).lower()},"
                      " configurable: true}); document.dispatchEvent(new Event('visibilitychange'))")
        page.wait_for("the music " + what, f"(function (s) {{ return {music}; }})(Module.pakaSound)")
    page.key("m", "KeyM", 77, "m")
    check(page.evaluate("Module.pakaSound.gain.gain.value === 0 && Module.pakaSound.music.muted"),
          "M mutes the effects and the music")


def main():
    args = browser.arguments()
    if args is None:
        return 77
    page = browser.Session(args.site)
    try:
        startup = title(page, args.native)
        print(f"title: the native frame, on screen {startup:.0f} ms after opening the page")
        check(startup <= 3000, "the title within 3 s")
        scaling(page)
        page.key("Enter", "Enter", 13, "\r")
        page.wait_for("the selection screen", browser.pixel_is(400, 300, PLATE))
        page.key("Enter", "Enter", 13, "\r")
        humans_turn(page)
        play(page)
        humans_turn(page)
        narration(page)
        before = view(page)
        page.tap(ROW_X, row_y(1))
        settle(page)
        check(view(page) != before, "a tap on row 1 shows its thread")
        sound(page)
        check(not page.console_errors, f"console errors: {page.console_errors}")
        print("keys, clicks, a double click, narration, a tap and the sound: ok")
        return 0
    finally:
        page.close()


if __name__ == "__main__":
    sys.exit(main())
