#!/usr/bin/env python3
"""The daily deal and the hint on the page, in headless Chromium: ?daily=DATE names the day in the
page's title and keeps the game as that day's deal; H and the Hint key reach the game in the
player's turn; the Share button passes the offered line to the system's share sheet and goes away
when the offer is taken back.

usage: test_daily_page.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
from test_browser_page import FRAME_PROBE, PLATE, check, humans_turn  # noqa: E402
from test_keep_page import KEPT, title  # noqa: E402

DAY = "2026-12-09"
# The system's share sheet, as a browser on a phone has it: the test reads what it was given.
SHARE_SHEET = "navigator.share = function (data) { window.shared_ = data.text; return Promise.resolve(); };"
# Every record the page writes, for the inputs the game took: a kept game holds only the latest.
WRITES = ("window.kept_ = []; (function () { const setItem = Storage.prototype.setItem;"
          "Storage.prototype.setItem = function (k, v) { window.kept_.push(String(v));"
          " return setItem.call(this, k, v); }; })();")
SHARE_SHOWN = "getComputedStyle(document.querySelector('[aria-label=Share]')).display !== 'none'"


def main():
    args = browser.arguments()
    if args is None:
        return 77
    page = browser.Session(args.site)
    try:
        page.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_PROBE + SHARE_SHEET + WRITES)
        page.open(f"?daily={DAY}")
        title(page)
        shown = page.evaluate("document.title")
        check(DAY in shown, f"the page's title names the day: {shown}")

        page.key("Enter", "Enter", 13, "\r")
        page.wait_for("the selection screen", browser.pixel_is(400, 300, PLATE))
        page.key("Enter", "Enter", 13, "\r")
        humans_turn(page)
        kept = page.evaluate(KEPT.format("game")) or ""
        check(f'"daily":"{DAY}"' in kept, "the kept game is the day's deal")
        page.key("h", "KeyH", 72, "h")
        page.evaluate("document.querySelector('[data-key=H]').click()")
        page.wait_for("both hints in the kept game",
                      "window.kept_.filter(v => v.includes('\"input\":[0,72,')).length === 2")
        print("the day in the title; the kept game is the day's; H and the Hint key reach the game")

        check(not page.evaluate(SHARE_SHOWN), "no Share button before a result")
        page.evaluate("Module.offerShare('Pakaponta line')")
        check(page.evaluate(SHARE_SHOWN), "the Share button shows with an offer")
        page.evaluate("document.querySelector('[aria-label=Share]').click()")
        page.wait_for("the line in the share sheet", "window.shared_ === 'Pakaponta line'")
        page.evaluate("Module.offerShare('')")
        check(not page.evaluate(SHARE_SHOWN), "the Share button goes with the offer")
        check(not page.console_errors, f"console errors: {page.console_errors}")
        print("the Share button hands its line to the share sheet")
        return 0
    finally:
        page.close()


if __name__ == "__main__":
    sys.exit(main())
