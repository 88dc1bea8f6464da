// Cost of one precise estimate of a full capture buffer, for a high and a low string.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "pitch/PitchListener.h"
#include "pitch/PreciseEstimator.h"

namespace {

using balalaika::PitchListener;
using balalaika::PreciseEstimator;

std::vector<std::int16_t> harmonicBuffer(double hertz) {
  std::vector<std::int16_t> samples(PitchListener::kMaxBufferSamples);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 8; ++k) v += std::sin(2.0 * std::numbers::pi * hertz * k * n / 14039.0) / k;
    samples[n] = static_cast<std::int16_t>(4000.0 * v);
  }
  return samples;
}

void BM_PreciseEstimateOfAFullBuffer(benchmark::State& state) {
  PreciseEstimator estimator(PitchListener::kCaptureSampleRate);
  const auto samples = harmonicBuffer(static_cast<double>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(estimator.estimate(samples.data(), PitchListener::kMaxBufferSamples));
}
BENCHMARK(BM_PreciseEstimateOfAFullBuffer)->Arg(440)->Arg(41)->Unit(benchmark::kMicrosecond);

}  // namespace
