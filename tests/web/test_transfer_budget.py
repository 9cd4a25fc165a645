#!/usr/bin/env python3
"""The first visit's transfer: every file the page fetches until its title is up, gzip-compressed as
a static server would send it, adds up to at most 10 MB, and each of them is found. Prints the sizes
of all the site's files.

usage: test_transfer_budget.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import argparse
import gzip
import os
import sys
import urllib.parse

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

BUDGET = 10_000_000


def gzip_size(path):
    with open(path, "rb") as file:
        return len(gzip.compress(file.read(), compresslevel=6))


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

    for folder, _, names in sorted(os.walk(args.site)):
        for name in sorted(names):
            path = os.path.join(folder, name)
            print(f"{os.path.relpath(path, args.site):28} {os.path.getsize(path):>10} raw "
                  f"{gzip_size(path):>10} gzip")

    site = browser.Site(args.site)
    page = browser.Browser(800, 600)
    try:
        page.open(site.url + "index.html?seed=1")
        page.wait_for("the game to run", "window.Module && Module.calledRun === true", timeout=60)
        page.evaluate("new Promise(function (done) { setTimeout(done, 1000); })")
        fetched = {}
        for event in page.events:
            if event.get("method") == "Network.responseReceived":
                response = event["params"]["response"]
                if response["url"].startswith(site.url):
                    path = urllib.parse.urlparse(response["url"]).path.lstrip("/") or "index.html"
                    fetched[path] = response["status"]
    finally:
        page.close()
        site.close()

    missing = sorted(path for path, status in fetched.items() if status != 200)
    if missing:
        print(f"FAIL: not found: {missing}")
        return 1
    kinds = {os.path.splitext(path)[1] for path in fetched}
    if not {".html", ".js", ".wasm", ".data"} <= kinds:
        print(f"FAIL: the page fetched only {sorted(fetched)}")
        return 1
    total = sum(gzip_size(os.path.join(args.site, path)) for path in fetched)
    print(f"first visit: {len(fetched)} files, {total} bytes gzip (budget {BUDGET})")
    if total > BUDGET:
        print("FAIL: over the budget")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
