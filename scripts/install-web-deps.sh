#!/bin/sh
# Installs what the web build and its tests need on Debian 12, and builds FreeType for WebAssembly
# from Debian's own source package into DEPS_DIR (default build-web/deps); quick when all is there.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=${1:-$root/build-web/deps}
freetype_prefix=$deps_dir/freetype

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

packages="emscripten node-acorn dpkg-dev chromium python3-websocket fluidsynth vorbis-tools
opus-tools python3-fonttools fontconfig"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

# Emscripten's optimizer loads acorn as a Node module. Debian's node-acorn lives where only Debian's
# own Node looks; a Node from elsewhere finds it through NODE_PATH (the build sets it, see
# cmake/WebBuild.cmake). When even that cannot load it, a local copy from the npm registry does.
if ! NODE_PATH=/usr/share/nodejs node -e "require('acorn')" 2>/dev/null; then
    if [ ! -d "$deps_dir/node/node_modules/acorn" ]; then
        mkdir -p "$deps_dir/node"
        npm install --silent --no-audit --no-fund --prefix "$deps_dir/node" acorn@8
    fi
fi

# Changing how FreeType is built changes this, so that an older build is made again.
recipe="freetype $(dpkg-query -W -f='${source:Version}' libfreetype6), curves flattened as on 64-bit x86, no zlib png bzip2 brotli harfbuzz"
[ -f "$freetype_prefix/lib/libfreetype.a" ] && [ "$(cat "$freetype_prefix/recipe" 2>/dev/null)" = "$recipe" ] && exit 0

# FreeType from the source of the very version the native build links, Debian's patches applied, so
# both builds rasterize alike.
# The source package needs a deb-src entry: one is made from the binary entries already configured.
if ! apt-get source --print-uris freetype >/dev/null 2>&1; then
    src_list=/etc/apt/sources.list.d/pakaponta-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$src_list" >/dev/null
    else
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            $sudo tee /etc/apt/sources.list.d/pakaponta-src.list >/dev/null
    fi
    $sudo apt-get update
fi
rm -rf "$freetype_prefix"
work=$deps_dir/freetype-src
rm -rf "$work"
mkdir -p "$work"
version=$(dpkg-query -W -f='${source:Version}' libfreetype6)
(cd "$work" && apt-get source --download-only "freetype=$version" >/dev/null &&
    dpkg-source --no-check -x ./freetype_*.dsc src >/dev/null)
# The Debian package keeps the library in a folder of its own beside the demos and docs.
source=$work/src
[ -f "$source/CMakeLists.txt" ] || source=$(dirname "$(find "$work/src" -maxdepth 2 -name CMakeLists.txt | head -n 1)")
# FreeType flattens curves by one method on 64-bit x86 and ARM and by another elsewhere, WebAssembly
# included: the page takes the desktop's, or its glyphs differ from the window's by a shade here
# and there.
sed -i '0,/^#  define BEZIER_USE_DDA  0$/s//#  define BEZIER_USE_DDA  1/' "$source/src/smooth/ftgrays.c"
[ "$(grep -c '^#  define BEZIER_USE_DDA  0$' "$source/src/smooth/ftgrays.c")" = 1 ]
# Only what the game's fonts need: plain TrueType outlines, no compressed, bitmap-only or shaped fonts.
emcmake cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$freetype_prefix" \
    -DFT_DISABLE_ZLIB=TRUE -DFT_DISABLE_BZIP2=TRUE -DFT_DISABLE_PNG=TRUE -DFT_DISABLE_HARFBUZZ=TRUE \
    -DFT_DISABLE_BROTLI=TRUE >/dev/null
cmake --build "$work/build" -j"${JOBS:-2}" >/dev/null
cmake --install "$work/build" >/dev/null
echo "$recipe" > "$freetype_prefix/recipe"
rm -rf "$work"
