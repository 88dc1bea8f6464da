#!/usr/bin/env bash
# Configures and builds into a build folder:
#   scripts/build.sh [folder] [extra cmake arguments...] [-- targets...]
# Without targets everything is built.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}
shift || true
cmake_args=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then
    shift
    targets=("$@")
    break
  fi
  cmake_args+=("$1")
  shift
done
export CCACHE_BASEDIR="$top"
# Share cached objects between clones and build folders (paths are made relative to the clone).
export CCACHE_NOHASHDIR=1
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$dir" "${generator[@]}" "${cmake_args[@]}" >/dev/null
else
  cmake -S "$top" -B "$dir" "${cmake_args[@]}" >/dev/null
fi
target_args=()
[ ${#targets[@]} -gt 0 ] && target_args=(--target "${targets[@]}")
cmake --build "$dir" --parallel "$(nproc)" "${target_args[@]}"
