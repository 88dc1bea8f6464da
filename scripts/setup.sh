#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test.
# Idempotent: packages already present are left alone and nothing is fetched.
set -euo pipefail

packages=(
  # build
  cmake g++ ninja-build ccache pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # signal processing and audio files
  libkissfft-dev libsndfile1-dev libsoxr-dev
  # Qt: screen, audio devices, network, translations
  qt6-base-dev qt6-declarative-dev qt6-multimedia-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-window
  qml6-module-qtquick-layouts qml6-module-qtquick-dialogs
  qml6-module-qtqml-workerscript qml6-module-qtquick-templates
  # a font for the text drawn into the pictures at build time
  fonts-dejavu-core
  # virtual audio server for the end-to-end tests
  pulseaudio pulseaudio-utils
  # the Debian package and the checks of its desktop entry and metainfo
  dpkg-dev appstream desktop-file-utils
  # sampled plucked instruments and noise for the accuracy measurements
  # (scripts/measure-cents-accuracy.py, scripts/precise-corpus.py)
  fluidsynth fluid-soundfont-gm sox python3-numpy
  # the page in a browser: WebAssembly compiler, the browser its tests drive, the sources of the
  # libraries compiled for it (apt-get source unpacks with dpkg-source)
  emscripten chromium
)
# Node and npm for the page's tools: Debian's, unless another node is installed already.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# apt-get source needs a deb-src entry: add one beside each Debian archive the machine uses.
has_deb_src() {
  grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
    grep -qsiE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources
}
if ! has_deb_src; then
  echo "Adding deb-src entries for apt-get source" >&2
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -E 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
  else
    grep -hE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list | sed -E 's/^([[:space:]]*)deb /\1deb-src /' |
      $sudo tee /etc/apt/sources.list.d/debian-src.list >/dev/null
  fi
  $sudo apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
