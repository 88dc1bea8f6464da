#!/usr/bin/env bash
# Sets everything up, builds, and runs the tuner's main job on the bundled demo recording.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build" >/dev/null
echo "Analysing the bundled demo recording (resources/audio/demo.flac), tuning 1 (prima):" >&2
exec "$top/build/src/balalaika-tuner" --analyze "$top/resources/audio/demo.flac" "$@"
