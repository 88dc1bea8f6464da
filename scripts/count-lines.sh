#!/usr/bin/env bash
# Non-blank lines of the tests against those of the code (src/, resources/, tools/ and the page's
# own files in web/: TypeScript, HTML, CSS, the worklet, its build settings), and their ratio;
# binary files (the demo recording, pictures), the page's installed tools (web/node_modules) and
# their lock file are not counted. The web tests live in tests/web/ and count as tests.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  find "$@" -path web/node_modules -prune -o -type f ! -name package-lock.json -exec grep -Ic '[^[:space:]]' {} + \
    2>/dev/null | awk -F: '{ n += $NF } END { print n + 0 }'
}
tests=$(count tests)
code=$(count src resources tools web)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d, code %d, ratio %.3f\n", t, c, t / c }'
