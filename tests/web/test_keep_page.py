#!/usr/bin/env python3
"""The kept game on the page, in headless Chromium: a reload in the player's turn brings the game
back as the canvas showed it; F2 abandons it (the statistics count it, nothing is left to resume);
S on the title shows the statistics and any key closes them.

usage: test_keep_page.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
from test_browser_page import (FRAME_PROBE, ORANGE, PLATE, SEED, check, humans_turn, play,  # noqa: E402
                               settle)

STATS_GREEN = 0x009933
# A digest of every pixel of the canvas: equal pictures, equal digests.
CANVAS_DIGEST = f"""(function (d) {{
  var h = 2166136261;
  for (var i = 0; i < d.length; i += 4) h = Math.imul(h ^ (d[i] << 16 | d[i + 1] << 8 | d[i + 2]), 16777619);
  return h >>> 0;
}})({browser.CONTEXT}.getImageData(0, 0, 800, 600).data)"""
KEPT = "localStorage.getItem('pakaponta/{}')"


def title(page):
    page.wait_for("the title", "window.frames_ && frames_.some(function (f) { return f[1]; })", timeout=60)
    settle(page)


def main():
    args = browser.arguments()
    if args is None:
        return 77
    page = browser.Session(args.site)
    try:
        page.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_PROBE)
        page.open(f"?seed={SEED}")
        title(page)
        page.key("Enter", "Enter", 13, "\r")
        page.wait_for("the selection screen", browser.pixel_is(400, 300, PLATE))
        page.key("Enter", "Enter", 13, "\r")
        humans_turn(page)
        play(page)
        humans_turn(page)
        shown = page.evaluate(CANVAS_DIGEST)
        check(page.evaluate(KEPT.format("game")) is not None, "the game is kept in the page's storage")

        page.call("Page.reload")
        page.wait_for("the reloaded page", "window.frames_ && frames_.length > 0", timeout=60)
        humans_turn(page)
        check(page.evaluate(CANVAS_DIGEST) == shown, "the reloaded page shows the turn it showed before")
        print("reloaded in the player's turn: the same picture")

        page.key("F2", "F2", 113)
        page.wait_for("the title after F2", browser.pixel_is(155, 440, ORANGE))
        check(page.evaluate(KEPT.format("game")) is None, "nothing is left to resume")
        statistics = page.evaluate(KEPT.format("statistics")) or ""
        check('"abandoned":1' in statistics, f"the abandoned game is counted: {statistics}")
        page.key("s", "KeyS", 83, "s")
        page.wait_for("the statistics", browser.pixel_is(5, 5, STATS_GREEN))
        page.key("Enter", "Enter", 13, "\r")
        page.wait_for("the title again", browser.pixel_is(155, 440, ORANGE))
        check(not page.console_errors, f"console errors: {page.console_errors}")
        print("F2 abandons the game; S shows the statistics")
        return 0
    finally:
        page.close()


if __name__ == "__main__":
    sys.exit(main())
