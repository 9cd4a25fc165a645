#!/usr/bin/env python3
"""Whether the page keeps drawing while strong computer players think: a seeded autoplay game
against three strong opponents runs in headless Chromium, and a script the page gets before its own
notes the time between animation frames. Prints the longest gaps and how many passed 100 ms.

    tools/measure-thinking.py [--site DIR] [--seed N] [--mode M] [--extra] [--seconds S]
"""
import argparse
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
from browser import Session, skip_reason  # noqa: E402

GAPS = """window.gaps_ = [];
(function () {
  var last = 0;
  function frame(now) {
    // Loading the program and the title's first frames (fonts, pictures) are left out: the clock
    // starts a second after the game first draws.
    if (!window.first_ && window.Module && Module.pakapontaContext) window.first_ = now;
    if (last && window.first_ && now - window.first_ > 1000) window.gaps_.push(now - last);
    last = now;
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
})();"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--site", default=os.path.join(HERE, "..", "build-web", "site"))
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--mode", type=int, default=0)
    parser.add_argument("--extra", action="store_true")
    parser.add_argument("--seconds", type=float, default=60)
    args = parser.parse_args()
    reason = skip_reason(args.site)
    if reason:
        print("cannot measure: " + reason)
        return 1
    page = Session(args.site)
    try:
        page.call("Page.addScriptToEvaluateOnNewDocument", source=GAPS)
        query = f"?seed={args.seed}&mode={args.mode}&autoplay&opponents=strong" + ("&extra" if args.extra else "")
        page.open(query)
        time.sleep(args.seconds)
        gaps = sorted(page.evaluate("window.gaps_"))
    finally:
        page.close()
    if not gaps:
        print("no frames")
        return 1
    over = sum(1 for g in gaps if g > 100)
    print(f"{len(gaps)} frames in {args.seconds:.0f} s; gaps: median {gaps[len(gaps) // 2]:.1f} ms, "
          f"99th percentile {gaps[int(len(gaps) * 0.99)]:.1f} ms, longest {gaps[-5:][::-1]} ms; "
          f"{over} over 100 ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
