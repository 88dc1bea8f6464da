#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite: once as built, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the threaded suites under ThreadSanitizer.
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

# A test that fails is run once more before it counts as failed: the real-audio tests share one
# audio server, and PulseAudio's client library has been seen to abort while a test process
# exits after its tests have passed.
echo "== build and test" >&2
"$top/scripts/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure -j "$jobs" --repeat until-pass:2

echo "== AddressSanitizer and UndefinedBehaviorSanitizer" >&2
"$top/scripts/build.sh" "$top/build-asan" -DBT_SANITIZE=address,undefined -DBT_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0 LSAN_OPTIONS=suppressions="$top/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$top/build-asan" --output-on-failure -j "$jobs" --repeat until-pass:2

# The real-audio suites are left out here: Qt Multimedia and PulseAudio are not instrumented, and
# every hand-over through their threads would be reported. Our threads are covered by the rest.
echo "== ThreadSanitizer (threaded suites)" >&2
"$top/scripts/build.sh" "$top/build-tsan" -DBT_SANITIZE=thread -DBT_BUILD_BENCH=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions="$top/scripts/tsan.supp" \
  ctest --test-dir "$top/build-tsan" --output-on-failure -j "$jobs" -L threads -LE audio
