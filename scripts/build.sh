#!/usr/bin/env bash
# Configures and builds into a build folder: scripts/build.sh [folder] [extra cmake arguments...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}
shift || true
export CCACHE_BASEDIR="$top"
# Share cached objects between clones and build folders (paths are made relative to the clone).
export CCACHE_NOHASHDIR=1
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$dir" "${generator[@]}" "$@" >/dev/null
else
  cmake -S "$top" -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)"
