#!/bin/sh
# The page's own audits: Lighthouse's accessibility, best-practices and SEO scores for the built
# site (make web), in Debian's Chromium. Lighthouse comes from the npm registry, installed once into
# build-web/lighthouse.
#   scripts/lighthouse.sh [SITE_DIR]
set -eu
site=${1:-build-web/site}
tools=build-web/lighthouse
[ -f "$site/index.html" ] || { echo "no site in $site: run make web first" >&2; exit 2; }
if [ ! -x "$tools/node_modules/.bin/lighthouse" ]; then
    mkdir -p "$tools"
    npm install --prefix "$tools" --no-audit --no-fund --silent lighthouse@12 >&2
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" > /dev/null 2>&1 &
server=$!
report=$(mktemp)
trap 'kill $server 2>/dev/null; rm -f "$report"' EXIT
sleep 1
CHROME_PATH=${CHROME_PATH:-/usr/bin/chromium} "$tools/node_modules/.bin/lighthouse" "http://127.0.0.1:$port/" \
    --only-categories=accessibility,best-practices,seo --chrome-flags="--headless=new --no-sandbox" \
    --output=json --output-path="$report" --quiet
python3 - "$report" <<'PY'
import json
import sys

report = json.load(open(sys.argv[1]))
low = False
for name, category in report["categories"].items():
    print(f"{name}: {round(category['score'] * 100)}")
    for ref in category["auditRefs"]:
        audit = report["audits"][ref["id"]]
        if ref.get("weight", 0) > 0 and audit["score"] is not None and audit["score"] < 1:
            low = True
            print(f"  failing: {ref['id']}: {audit['title']}")
sys.exit(1 if low else 0)
PY
