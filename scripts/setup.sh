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
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
