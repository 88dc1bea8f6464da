#!/usr/bin/env bash
# Builds the page into build-web/site/: the core compiled to WebAssembly by emscripten (KISS FFT
# and libsoxr from Debian's source packages), the pictures drawn by the desktop build's
# tools/draw_pictures, and the TypeScript page built by Vite, with its web app manifest and the
# service worker that keeps every file of the page for use offline. Also builds the node analysis
# (build-web/src/platform/web/balalaika-analyze.js). Expects scripts/setup.sh to have run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
web="$top/build-web"
# emscripten 3.1.6 finds its node modules (acorn) only here.
export NODE_PATH=/usr/share/nodejs
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=1

"$top/scripts/web-sources.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run() {
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    exit 1
  fi
}

echo "Building the WebAssembly core" >&2
if [ ! -f "$web/CMakeCache.txt" ]; then
  run emcmake cmake -S "$top" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
run cmake --build "$web" --parallel "$(nproc)" --target balalaika-tuner-web balalaika-analyze

echo "Drawing the pictures" >&2
run "$top/scripts/build.sh" "$top/build" -- bt_pictures
rm -rf "$web/public"
mkdir -p "$web/public/images" "$web/public/audio"
cp "$top"/build/resources/images/*.png "$web/public/images/"
(cd "$web/public/images" && ls -- *.png | /usr/bin/python3 -c 'import json, sys; print(json.dumps(sys.stdin.read().split()))' >index.json)
cp "$top/resources/audio/demo.flac" "$web/public/audio/"
# The icons of the installed page (the manifest's two and the home-screen icon iOS takes), drawn
# by the desktop icon's painter.
icons=$(mktemp -d)
run "$top/build/resources/draw_pictures/draw_pictures" --icon "$icons" icon 180 192 512
mkdir -p "$web/public/icons"
for size in 180 192 512; do cp "$icons/${size}x${size}/apps/icon.png" "$web/public/icons/icon-$size.png"; done
rm -rf "$icons"

echo "Building the page" >&2
cd "$top/web"
[ -d node_modules ] && [ node_modules/.package-lock.json -nt package-lock.json ] || run npm ci --no-audit --no-fund
run npm run build
echo "$web/site" >&2
