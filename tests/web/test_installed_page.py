#!/usr/bin/env python3
"""The page as an app: its manifest parses and Chromium finds nothing that stops installing it;
after one visit the site is kept whole, the visit within 10 MB as gzip with no file but the page
fetched twice,
and with the server stopped a reload shows the title, the
native program's pixel for pixel; a rebuilt site with a changed file replaces the kept one whole at
the next start.

usage: test_installed_page.py --site DIR --native DIR --source DIR [--node DIR]   (77 = skipped)
"""

import gzip
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

SEED = 20240611
ORANGE = 0xFFB000
BUDGET = 10_000_000
KEPT = "caches.keys().then(function (names) { return names.filter(function (n) { return /^pakaponta-/.test(n); }); })"
KEPT_FILES = ("caches.open('pakaponta-' + {build!r}).then(function (c) {{ return c.keys(); }})"
              ".then(function (r) {{ return r.map(function (q) {{ return q.url.slice(location.origin.length + 1); }}); }})")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def build_of(site):
    with open(os.path.join(site, "build.json"), encoding="utf-8") as file:
        return json.load(file)


def title_equals_native(page, native, what):
    page.open(f"?seed={SEED}")
    page.wait_for(f"the title {what}", browser.pixel_is(155, 440, ORANGE), timeout=60)
    with tempfile.TemporaryDirectory() as folder:
        shot = os.path.join(folder, "title.png")
        subprocess.run([os.path.join(native, "pakaponta"), "--headless", "--quit-at-state", "20",
                        "--seed", str(SEED), "--screenshot", shot], check=True, timeout=60)
        width, _, pixels = browser.read_png(shot)
        page.screenshot(os.path.join(folder, "page.png"))
        _, _, canvas = browser.read_png(os.path.join(folder, "page.png"))
    differing = sum(canvas[y * 800 + x] != pixels[y * width + x] for y in range(600) for x in range(800))
    check(differing == 0, f"{differing} pixels of the title {what} differ from the native screenshot")


def installable(page):
    manifest = page.call("Page.getAppManifest")
    check(manifest.get("errors") == [] and manifest.get("data"), f"the manifest: {manifest.get('errors')}")
    errors = page.call("Page.getInstallabilityErrors")["installabilityErrors"]
    check(errors == [], f"installability errors: {errors}")


def first_visit_budget(page, site):
    """What the first visit fetched whole, service worker included, gzip-compressed as a static
    server sends it: each file at most once, within 10 MB."""
    whole = [path.split("?")[0].lstrip("/") for path, status in page.served if status == 200]
    # The page's address carries a query the kept copy does not: only the page may come twice.
    again = sorted({name for name in whole if whole.count(name) > 1} - {"index.html"})
    check(not again, f"fetched whole more than once on the first visit: {again}")
    total = 0
    for name in whole:
        with open(os.path.join(site, name or "index.html"), "rb") as file:
            total += len(gzip.compress(file.read(), compresslevel=6))
    check(total <= BUDGET, f"the first visit takes {total} bytes as gzip, over {BUDGET}")
    print(f"first visit, the offline copy included: {total} bytes as gzip in {len(whole)} files")


def kept_whole(page, build):
    page.wait_for("the service worker", "navigator.serviceWorker.getRegistration().then(function (r) {"
                  " return !!(r && r.active && r.active.state === 'activated'); })", timeout=60)
    check(page.evaluate(KEPT) == ["pakaponta-" + build["build"]], f"one cache, of this build: {page.evaluate(KEPT)}")
    kept = set(page.evaluate(KEPT_FILES.format(build=build["build"])))
    wanted = set(build["files"])
    check(wanted <= kept, f"kept after the first visit: {sorted(kept)}, not {sorted(wanted - kept)}")


def rebuilt(page, site, source):
    """A file changes and the site is sealed again: the next start after the new worker is ready
    runs the new build from a cache of its own, and the old cache is gone."""
    with open(os.path.join(site, "page.js"), "a", encoding="utf-8") as file:
        file.write("\nwindow.rebuilt_ = true;\n")
    subprocess.run([sys.executable, os.path.join(source, "web", "seal-site.py"), site,
                    os.path.join(source, "web", "sw.js")], check=True)
    build = build_of(site)
    page.open(f"?seed={SEED}")
    page.wait_for("the new build waiting", "navigator.serviceWorker.getRegistration().then(function (r) {"
                  " return !!(r && r.waiting); })", timeout=60)
    check(not page.evaluate("!!window.rebuilt_"), "the old build runs until the next start")
    page.open(f"?seed={SEED}")
    page.wait_for("the new build", "!!window.rebuilt_", timeout=60)
    page.wait_for("the old cache gone", f"{KEPT}.then(function (k) {{ return k.length === 1 && "
                  f"k[0] === 'pakaponta-{build['build']}'; }})", timeout=30)
    page.wait_for("the title of the new build", browser.pixel_is(155, 440, ORANGE), timeout=60)


def main():
    args = browser.arguments()
    if args is None:
        return 77
    with tempfile.TemporaryDirectory() as root:
        site = os.path.join(root, "site")
        shutil.copytree(args.site, site)
        page = browser.Session(site)
        try:
            page.open(f"?seed={SEED}")
            page.wait_for("the title", browser.pixel_is(155, 440, ORANGE), timeout=60)
            installable(page)
            kept_whole(page, build_of(site))
            first_visit_budget(page, site)
            port = page.stop_serving()
            title_equals_native(page, args.native, "with no network")
            page.serve(port)
            rebuilt(page, site, args.source)
            print("installable; kept whole after one visit; the title offline; a rebuilt site replaces the old")
            return 0
        finally:
            page.close()


if __name__ == "__main__":
    sys.exit(main())
