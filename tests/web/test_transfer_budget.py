#!/usr/bin/env python3
"""The first visit's transfer: the files the page needs before its title (the page, its script, the
wasm and the data; the music comes track by track as it plays), gzip-compressed as a static server
sends them, add up to at most 10 MB.

usage: test_transfer_budget.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import argparse
import gzip
import os
import sys

BUDGET = 10_000_000
FIRST_VISIT = ("index.html", "pakaponta.js", "pakaponta.wasm", "pakaponta.data")


def main():
    parser = argparse.ArgumentParser()
    for name in ("--site", "--native", "--node", "--source"):
        parser.add_argument(name)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site or "", "index.html")):
        print("skipped: no site built (make web)")
        return 77
    sizes = {}
    for name in FIRST_VISIT:
        with open(os.path.join(args.site, name), "rb") as file:
            sizes[name] = len(gzip.compress(file.read(), compresslevel=6))
    total = sum(sizes.values())
    print(f"first visit: {total} bytes gzip (budget {BUDGET}): {sizes}")
    return 0 if total <= BUDGET else 1


if __name__ == "__main__":
    sys.exit(main())
