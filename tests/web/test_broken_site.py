#!/usr/bin/env python3
"""A site that cannot start says why: with pakaponta.data or pakaponta.wasm missing, with
pakaponta.data cut short, and with a damaged card.dat inside it, the page ends on a visible message
(the last one in the words the window's message box uses), and no exception goes uncaught.

usage: test_broken_site.py --site DIR [--native DIR --node DIR --source DIR]   (77 = skipped)
"""

import os
import re
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

MESSAGE = "(function (p) { return getComputedStyle(p).display !== 'none' ? p.innerText : ''; })" \
          "(document.getElementById('progress'))"


def missing(site, name):
    os.remove(os.path.join(site, name))


def truncated(site, name):
    path = os.path.join(site, name)
    os.truncate(path, os.path.getsize(path) // 2)


def damaged_card_file(site, _):
    """Zeroes card.dat where the package holds it, by the package's own table in the script."""
    with open(os.path.join(site, "pakaponta.js"), encoding="utf-8") as file:
        found = re.search(r'"filename":\s*"/card\.dat",\s*"start":\s*(\d+),\s*"end":\s*(\d+)', file.read())
    start, end = int(found.group(1)), int(found.group(2))
    with open(os.path.join(site, "pakaponta.data"), "r+b") as file:
        file.seek(start)
        file.write(bytes(end - start))


# How the site is broken, and words the page must show.
CASES = (
    ("pakaponta.data", missing, "pakaponta.data is missing from the site"),
    ("pakaponta.wasm", missing, "pakaponta.wasm is missing from the site"),
    ("pakaponta.data", truncated, "pakaponta.data is damaged"),
    ("card.dat", damaged_card_file, "card.dat ファイルが見つかりません。"),
)


def main():
    args = browser.arguments()
    if args is None:
        return 77
    with tempfile.TemporaryDirectory() as root:
        for number, (name, breaks, _) in enumerate(CASES):
            folder = os.path.join(root, str(number))
            shutil.copytree(args.site, folder, ignore=shutil.ignore_patterns("music"))
            breaks(folder, name)
        page = browser.Session(root)
        try:
            for number, (name, breaks, words) in enumerate(CASES):
                page.open("", f"{number}/")
                page.wait_for(f"a message for {breaks.__name__} {name}",
                              f"{MESSAGE}.indexOf({words!r}) >= 0", timeout=30)
                print(f"{breaks.__name__} {name}: {page.evaluate(MESSAGE)!r}")
            if page.exceptions:
                raise AssertionError(f"uncaught exceptions: {page.exceptions}")
            return 0
        finally:
            page.close()


if __name__ == "__main__":
    sys.exit(main())
