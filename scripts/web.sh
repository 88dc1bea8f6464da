#!/usr/bin/env bash
# Sets everything up, builds the tuner's page (WebAssembly core and TypeScript page) and serves it
# on http://127.0.0.1:8080/ until interrupted. Open that address in a browser on this machine;
# for a phone, put build-web/site/ on any static HTTPS host (README, "In a phone's browser").
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build-web.sh"
exec /usr/bin/python3 "$top/scripts/serve-web.py" "$top/build-web/site" "${BALALAIKA_WEB_PORT:-8080}"
