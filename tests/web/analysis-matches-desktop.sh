#!/usr/bin/env bash
# The offline analysis of the WebAssembly core under node writes, byte for byte, the CSV of the
# desktop program's --analyze, on the demo recording, for every tuning and both estimates.
#   tests/web/analysis-matches-desktop.sh DESKTOP_PROGRAM NODE_ANALYSIS_JS
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
desktop=$1
analyze=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The node build reads WAV; the same 16-bit samples as the FLAC file, unchanged.
sox "$top/resources/audio/demo.flac" "$scratch/demo.wav"
failures=0
for tuning in 1 2 3 4 5; do
  for estimator in default precise; do
    "$desktop" --analyze "$top/resources/audio/demo.flac" --tuning $tuning --estimator $estimator >"$scratch/desktop.csv"
    node --no-experimental-fetch "$analyze" --analyze "$scratch/demo.wav" --tuning $tuning --estimator $estimator \
      >"$scratch/node.csv"
    ticks=$(($(wc -l <"$scratch/desktop.csv") - 1))
    if cmp -s "$scratch/desktop.csv" "$scratch/node.csv" && [ "$ticks" -gt 200 ]; then
      echo "tuning $tuning, $estimator estimate: $ticks ticks, identical"
    else
      echo "tuning $tuning, $estimator estimate: the CSVs differ" >&2
      diff "$scratch/desktop.csv" "$scratch/node.csv" | head -n 6 >&2 || true
      failures=$((failures + 1))
    fi
  done
done
# The tuning aids' options reach the node build too: another concert pitch, a locked string, and
# the two listening aids' closing lines.
aids=(--tuning 1 --estimator default --a4 443 --lock 2 --unison --hear-a)
"$desktop" --analyze "$top/resources/audio/demo.flac" "${aids[@]}" >"$scratch/desktop.csv"
node --no-experimental-fetch "$analyze" --analyze "$scratch/demo.wav" "${aids[@]}" >"$scratch/node.csv"
if cmp -s "$scratch/desktop.csv" "$scratch/node.csv" && grep -q '^a4,' "$scratch/node.csv"; then
  echo "tuning 1 at A4 = 443 Hz, string 2 locked, unison check and heard A: identical"
else
  echo "tuning 1 with the tuning aids' options: the CSVs differ" >&2
  diff "$scratch/desktop.csv" "$scratch/node.csv" | head -n 6 >&2 || true
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
