#!/usr/bin/env bash
# Fetches Debian's source packages of KISS FFT and libsoxr, the versions the desktop build links,
# into .deps/ (not part of the repository), for the WebAssembly build. Does nothing when they are
# there. Needs a deb-src entry (scripts/setup.sh adds one).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"
mkdir -p "$deps"
for pair in kissfft:libkissfft-dev libsoxr:libsoxr-dev; do
  source=${pair%%:*}
  binary=${pair#*:}
  version=$(dpkg-query -W -f='${source:Version}' "$binary")
  upstream=${version#*:}
  upstream=${upstream%-*}
  [ -d "$deps/$source-$upstream" ] && continue
  echo "Fetching the source of $source $version" >&2
  (cd "$deps" && apt-get source -qq "$source=$version" >&2 2>/dev/null)
  [ -d "$deps/$source-$upstream" ] || { echo "apt-get source $source=$version gave no $source-$upstream" >&2; exit 1; }
done
