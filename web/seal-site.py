#!/usr/bin/env python3
"""Seals a built site: names the build after what its files hold, and writes what the page and its
service worker check against: build.json (every file a start needs, with its size) and sw.js (the
same list with each file's SHA-256, from the template, so a new build is a new worker).

usage: seal-site.py SITE_DIR SW_TEMPLATE
"""

import hashlib
import json
import os
import sys

# Fetched as they play, not on the first visit; the seal itself is not part of what it seals.
LATER = ("music/",)
SEAL = ("build.json", "sw.js")


def site_files(site):
    names = []
    for folder, _, files in os.walk(site):
        for file in files:
            name = os.path.relpath(os.path.join(folder, file), site).replace(os.sep, "/")
            if name not in SEAL and not name.startswith(LATER):
                names.append(name)
    return sorted(names)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    site, template = sys.argv[1], sys.argv[2]
    build = hashlib.sha256()
    files = []
    for name in site_files(site):
        with open(os.path.join(site, name), "rb") as file:
            data = file.read()
        digest = hashlib.sha256(data).hexdigest()
        build.update(f"{name}\0{digest}\0".encode())
        files.append([name, len(data), digest])
    build_id = build.hexdigest()[:16]
    index = json.dumps({"build": build_id, "files": {name: size for name, size, _ in files}}, indent=1).encode()
    # The page reads the list at every start, offline too: the worker keeps it with the rest.
    files.append(["build.json", len(index), hashlib.sha256(index).hexdigest()])
    with open(template, encoding="utf-8") as file:
        worker = file.read().replace("@BUILD@", build_id).replace("@FILES@", json.dumps(files))
    with open(os.path.join(site, "build.json"), "wb") as file:
        file.write(index)
    with open(os.path.join(site, "sw.js"), "w", encoding="utf-8") as file:
        file.write(worker)
    return 0


if __name__ == "__main__":
    sys.exit(main())
