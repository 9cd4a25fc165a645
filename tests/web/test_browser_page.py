#!/usr/bin/env python3
"""The page in headless Chromium, served from localhost: it loads without a console error, its
title frame is the native program's pixel for pixel and fills an 800 x 600 viewport, it scales by
whole factors with the mute switch in the margin, and a game is started with Enter, Enter and played
with a click on a thread row, a double click on the card and a tap, with its music and effects
decoded by the browser.

usage: test_browser_page.py --site DIR --native DIR [--node DIR --source DIR]   (77 = skipped)
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

SEED = 20240611
ORANGE = 0xFFB000
GREEN = 0x009933
SILVER = 0xC0C0C0
CROSS_RED = 0xC00000
PLATE_FILL = 0x9999FF
HAND_Y = 520
SLOT_X = [147 + 59 * slot + 30 for slot in range(9)] + [720]
THREAD_VIEW = (69, 203, 619, 439)

# Every frame the page puts on the canvas, with the time it took and whether the title's cursor
# is in it, so that start-up and the cost of a frame come from the page's own clock.
FRAME_PROBE = """
(function () {
  var put = CanvasRenderingContext2D.prototype.putImageData;
  window.frames_ = [];
  CanvasRenderingContext2D.prototype.putImageData = function (image) {
    var started = performance.now();
    put.apply(this, arguments);
    var at = (440 * image.width + 155) * 4, d = image.data;
    window.frames_.push([started, performance.now() - started,
                         d[at] === 255 && d[at + 1] === 176 && d[at + 2] === 0]);
  };
})();
"""


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def row_y(position):
    return 2 + 16 * position + 8


def native_title(native, folder):
    shot = os.path.join(folder, "title.png")
    subprocess.run([os.path.join(native, "pakaponta"), "--headless", "--quit-at-state", "20",
                    "--seed", str(SEED), "--screenshot", shot], check=True, timeout=60)
    width, _, pixels = browser.read_png(shot)
    return [pixels[y * width + x] for y in range(600) for x in range(800)]


def settle(page):
    """Waits until the game has drawn what the last input changed and then stays still."""
    count = page.evaluate("frames_.length")
    deadline = time.time() + 2
    while time.time() < deadline:
        time.sleep(0.1)
        now = page.evaluate("frames_.length")
        if now == count:
            return
        count = now


def region(page, left, top, right, bottom):
    return page.evaluate(
        f"Array.from(document.getElementById('canvas').getContext('2d')"
        f".getImageData({left}, {top}, {right - left}, {bottom - top}).data).join()")


def humans_turn(page):
    return page.pixel(66, 300) == SILVER and page.pixel(60, 520) not in (GREEN, ORANGE)


def wait_for_humans_turn(page):
    page.wait_for("the player's turn", f"{browser.pixel_is(66, 300, SILVER)} && "
                  f"!{browser.pixel_is(60, 520, GREEN)} && !{browser.pixel_is(60, 520, ORANGE)}", timeout=90)
    settle(page)
    check(humans_turn(page), "the player's turn held")


def title(page, site, expected):
    page.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_PROBE)
    page.open(site.url + f"index.html?seed={SEED}")
    page.wait_for("the title", "frames_.some(function (f) { return f[2]; })", timeout=60)
    settle(page)
    startup = page.evaluate("frames_.filter(function (f) { return f[2]; })[0][0]")
    _, _, pixels = page.canvas_pixels()
    differing = sum(1 for a, b in zip(pixels, expected) if a != b)
    check(differing == 0, f"{differing} pixels of the title frame differ from the native screenshot")

    box = page.evaluate("(function (r) { return [r.left, r.top, r.width, r.height]; })"
                        "(document.getElementById('canvas').getBoundingClientRect())")
    check(box == [0, 0, 800, 600], f"the canvas fills an 800 x 600 viewport: {box}")
    check(page.evaluate("getComputedStyle(document.getElementById('mute')).display") == "none",
          "no switch over the picture when there is no margin")
    check(page.evaluate("[document.documentElement.scrollWidth, document.documentElement.scrollHeight]")
          == [800, 600], "nothing to scroll")
    return startup


def scaling(page):
    page.call("Emulation.setDeviceMetricsOverride", width=1700, height=1300, deviceScaleFactor=1,
              mobile=False)
    page.wait_for("the layout at twice the size",
                  "document.getElementById('canvas').getBoundingClientRect().width === 1600")
    box = page.evaluate("(function (r) { return [r.left, r.top, r.width, r.height]; })"
                        "(document.getElementById('canvas').getBoundingClientRect())")
    check(box == [50, 50, 1600, 1200], f"twice the size, centred: {box}")
    mute = page.evaluate("(function (r) { return [r.left, r.top, r.right, r.bottom]; })"
                         "(document.getElementById('mute').getBoundingClientRect())")
    check(mute[2] > mute[0] and (mute[0] >= 1650 or mute[3] <= 50), f"the mute switch in the margin: {mute}")
    # The pointer lands on the menu items in picture coordinates: item 1, then item 0 again.
    for x, probe in ((600, 455), (200, 155)):
        page.call("Input.dispatchMouseEvent", type="mouseMoved", x=50 + 2 * x, y=50 + 2 * 430)
        page.wait_for(f"the title's cursor at x {probe} at twice the size",
                      browser.pixel_is(probe, 440, ORANGE))
    page.call("Emulation.setDeviceMetricsOverride", width=800, height=600, deviceScaleFactor=1,
              mobile=False)
    page.wait_for("the layout at the picture's size",
                  "document.getElementById('canvas').getBoundingClientRect().width === 800")


def start_game(page):
    page.enter()
    page.wait_for("the selection screen", browser.pixel_is(400, 300, PLATE_FILL))
    page.enter()
    wait_for_humans_turn(page)


def fits_some_row(page):
    """Selects the first row the selected card may go on, if any."""
    for row in range(12):
        page.click(300, row_y(row))
        settle(page)
        if page.pixel(115, 500) == ORANGE:
            return True
    return False


def select_and_play(page):
    """A click on another row shows its thread; a double click on a card that fits plays it."""
    first = region(page, *THREAD_VIEW)
    page.click(300, row_y(1))
    settle(page)
    check(region(page, *THREAD_VIEW) != first, "a click on row 1 shows its thread")
    page.click(300, row_y(0))
    settle(page)
    check(region(page, *THREAD_VIEW) == first, "a click on row 0 shows its thread again")

    if page.pixel(62, 523) == CROSS_RED:
        # No card fits anywhere: the one chosen is thrown away.
        page.click(SLOT_X[0], HAND_Y, count=2)
    else:
        for slot in range(10):
            page.click(SLOT_X[slot], HAND_Y)
            settle(page)
            if fits_some_row(page):
                page.click(SLOT_X[slot], HAND_Y, count=2)
                break
        else:
            raise AssertionError("no card fits any thread")
    page.wait_for("the computer players' turns", browser.pixel_is(60, 520, GREEN))


def tap(page):
    wait_for_humans_turn(page)
    before = region(page, *THREAD_VIEW)
    page.tap(300, row_y(1))
    settle(page)
    check(region(page, *THREAD_VIEW) != before, "a tap on row 1 shows its thread")


def sound(page):
    state = page.evaluate("""(function (s) {
      var m = s.music;
      return [s.current, s.playing, m.getAttribute('src'), m.error ? m.error.code : 0,
              m.readyState, m.duration];
    })(Module.pakaSound)""")
    current, playing, src, error, ready, duration = state
    check(current == "bgm1" and playing and src == "music/game2.ogg",
          f"the second game track plays: {state}")
    check(error == 0 and ready >= 1 and duration > 10, f"the browser reads the rendered track: {state}")
    lengths = page.evaluate("Promise.all(Object.values(Module.pakaSound.effects)).then("
                            "function (b) { return b.map(function (x) { return x ? x.duration : 0; }); })")
    check(lengths and all(length > 0.05 for length in lengths), f"every effect played decodes: {lengths}")
    # With no margin for the switch, M mutes: both the effects and the music.
    page.key("m", "KeyM", 77, "m")
    check(page.evaluate("Module.pakaSound.gain.gain.value === 0 && Module.pakaSound.music.muted"),
          "M mutes the effects and the music")


def main():
    parser = argparse.ArgumentParser()
    for name in ("--site", "--native", "--node", "--source"):
        parser.add_argument(name)
    args = parser.parse_args()
    reason = browser.missing()
    if reason is None and not os.path.exists(os.path.join(args.site or "", "index.html")):
        reason = "no site built (make web)"
    if reason:
        print("skipped: " + reason)
        return browser.SKIP

    with tempfile.TemporaryDirectory() as folder:
        expected = native_title(args.native, folder)
    site = browser.Site(args.site)
    page = browser.Browser(800, 600)
    try:
        startup = title(page, site, expected)
        print(f"title frame equals the native one; on screen {startup:.0f} ms after opening the page")
        check(startup <= 3000, f"the title takes {startup:.0f} ms, over 3 s")
        scaling(page)
        start_game(page)
        print("Enter, Enter: the game started")
        select_and_play(page)
        print("row click, double click on the card: played")
        tap(page)
        print("tap: reacts")
        sound(page)
        print("music and effects: decoded")
        puts = page.evaluate("frames_.map(function (f) { return f[1]; })")
        puts.sort()
        print(f"{len(puts)} frames put on the canvas; median {puts[len(puts) // 2]:.2f} ms, "
              f"90th percentile {puts[len(puts) * 9 // 10]:.2f} ms")
        check(not page.console_errors, f"console errors: {page.console_errors}")
        return 0
    finally:
        page.close()
        site.close()


if __name__ == "__main__":
    sys.exit(main())
