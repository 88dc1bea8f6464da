// The cost of one estimate, as a plain program built both natively and for WebAssembly (node),
// so that the two can be run in turn on the same machine: prints the median and the fastest over
// batches of the wall time of one default and one precise estimate of a plucked-string-like
// buffer (on a busy machine the fastest batch is the least disturbed).
//   bt_estimate_timing [batches] [estimates per batch]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "PluckLikeBuffer.h"
#include "pitch/PitchListener.h"
#include "pitch/PreciseEstimator.h"

namespace {

using balalaika::PitchListener;
using balalaika::bench::pluckLikeBuffer;

struct Timing {
  double median;
  double fastest;
};

template <typename Estimate>
Timing microseconds(int batches, int perBatch, Estimate&& estimate) {
  std::vector<double> times;
  volatile double sink = 0.0;
  for (int b = 0; b < batches; ++b) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < perBatch; ++i) sink = sink + estimate();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count() / perBatch);
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char** argv) {
  const int batches = argc > 1 ? std::atoi(argv[1]) : 7;
  const int perBatch = argc > 2 ? std::atoi(argv[2]) : 200;
  if (batches < 1 || perBatch < 1) return 2;
  const auto samples = pluckLikeBuffer();
  PitchListener& listener = *PitchListener::sharedListener();
  balalaika::PreciseEstimator precise(PitchListener::kCaptureSampleRate);
  const Timing spectral = microseconds(batches, perBatch, [&] {
    return listener.getFreqFromBuffer(samples.data(), PitchListener::kMaxBufferBytes);
  });
  const Timing timeDomain = microseconds(batches, perBatch, [&] {
    return precise.estimate(samples.data(), PitchListener::kMaxBufferSamples);
  });
  // The precise estimate's dearest case found: the lowest string under mains hum, whose partials
  // lie beside hum tones, each of them fitted with the tones.
  const auto humming = pluckLikeBuffer(41.203, 60.0);
  const Timing underHum = microseconds(batches, perBatch, [&] {
    return precise.estimate(humming.data(), PitchListener::kMaxBufferSamples);
  });
  std::printf("default estimate: median %.1f us, fastest %.1f us\n", spectral.median, spectral.fastest);
  std::printf("precise estimate: median %.1f us, fastest %.1f us\n", timeDomain.median, timeDomain.fastest);
  std::printf("precise estimate, E1 under 60 Hz hum: median %.1f us, fastest %.1f us\n", underHum.median,
              underHum.fastest);
  return 0;
}
