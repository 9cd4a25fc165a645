#!/bin/sh
# Installs the Debian 12 packages the build, the game and the tests need; quick when all are present.
set -e
packages="build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev libfreetype-dev
libfontconfig-dev libpng-dev googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
fonts-monapo fonts-ipafont-gothic timgm6mb-soundfont xvfb xauth xdotool clang-format"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
