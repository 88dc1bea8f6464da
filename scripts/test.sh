#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite once: every suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the threaded suites under ThreadSanitizer,
# then the Debian package of a plain build.
# Every test runs once; a failure fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$top/scripts/setup.sh"

# Tests never reach beyond this machine: the network probe asks a loopback address.
export BALALAIKA_TUNER_PROBE_URL=${BALALAIKA_TUNER_PROBE_URL:-http://127.0.0.1:9/}
export QT_QPA_PLATFORM=offscreen

# A private audio server stands in for the microphone and the speaker (its own folder, so that
# it never meets a user's server or another test run).
pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/balalaika-tuner-pulse.XXXXXX")
# shellcheck disable=SC1090
eval "$("$top/scripts/pulse-test-server.sh" start "$pulse_dir")"
trap '"$top/scripts/pulse-test-server.sh" stop "$pulse_dir"; rm -rf "$pulse_dir"' EXIT

# One build serves every suite: the sanitizers change no result, they only add checks.
echo "== AddressSanitizer and UndefinedBehaviorSanitizer: build and every test" >&2
"$top/scripts/build.sh" "$top/build-asan" -DBT_SANITIZE=address,undefined
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0 LSAN_OPTIONS=suppressions="$top/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$top/build-asan" --output-on-failure -j "$jobs"

# Only the suites that run threads of our own. The real-audio suites are left out: Qt Multimedia
# and PulseAudio are not instrumented, and every hand-over through their threads would be reported.
echo "== ThreadSanitizer: build and the threaded suites" >&2
"$top/scripts/build.sh" "$top/build-tsan" -DBT_SANITIZE=thread -DBT_BUILD_BENCH=OFF -- \
  platform_tests pitch_tests tones_tests rating_tests platform_qt_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions="$top/scripts/tsan.supp" \
  ctest --test-dir "$top/build-tsan" --output-on-failure -j "$jobs" -L threads -LE audio

# The Debian package ships a plain build: only the program and what the package holds are built.
echo "== Debian package: plain build, packaged, unpacked into a scratch root and run there" >&2
"$top/scripts/build.sh" "$top/build" -DBT_BUILD_BENCH=OFF -- balalaika-tuner bt_screenshots desktop_icons
ctest --test-dir "$top/build" --output-on-failure -L package

# The page: the core compiled to WebAssembly; its node analysis against the desktop's, byte for
# byte; the page in Debian's chromium against the desktop's headless run (uses the plain build).
# The page's rating probe goes to a loopback port where the browser test answers it (port 9 needs
# root to listen on).
echo "== The page: WebAssembly build, node analysis, the page in chromium" >&2
export BALALAIKA_TUNER_PROBE_URL=http://127.0.0.1:38907/
"$top/scripts/build-web.sh"
"$top/tests/web/analysis-matches-desktop.sh" "$top/build/src/balalaika-tuner" \
  "$top/build-web/src/platform/web/balalaika-analyze.js"
node "$top/tests/web/browser.test.mjs" "$top/build-web/site" "$top/build/src/balalaika-tuner" "$top/build-web/screenshots"
