#!/usr/bin/env bash
# Non-blank lines of the tests against those of the code (src/, resources/, tools/), and their
# ratio; binary files (the demo recording, pictures) are not counted.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -type f -exec grep -Ic '[^[:space:]]' {} + 2>/dev/null | awk -F: '{ n += $NF } END { print n + 0 }'; }
tests=$(count tests)
code=$(count src resources tools)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d, code %d, ratio %.3f\n", t, c, t / c }'
