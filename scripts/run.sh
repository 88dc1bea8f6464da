#!/usr/bin/env bash
# Sets everything up, builds, and starts the tuner: in a window when there is a display, headless
# otherwise (one line per change of the screen); from the microphone when there is one, otherwise
# from the bundled demo recording. Arguments go to the tuner (see --help).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
log=$(mktemp)
if ! "$top/scripts/build.sh" "$top/build" >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
exec "$top/build/src/balalaika-tuner" "$@"
