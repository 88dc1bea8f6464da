// Cost of one precise estimate of a full capture buffer, for a high and a low string.
#include <benchmark/benchmark.h>

#include "PluckLikeBuffer.h"
#include "pitch/PitchListener.h"
#include "pitch/PreciseEstimator.h"

namespace {

using balalaika::PitchListener;
using balalaika::PreciseEstimator;

using balalaika::bench::pluckLikeBuffer;

void BM_PreciseEstimateOfAFullBuffer(benchmark::State& state) {
  PreciseEstimator estimator(PitchListener::kCaptureSampleRate);
  const auto samples = pluckLikeBuffer(static_cast<double>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(estimator.estimate(samples.data(), PitchListener::kMaxBufferSamples));
}
BENCHMARK(BM_PreciseEstimateOfAFullBuffer)->Arg(440)->Arg(41)->Unit(benchmark::kMicrosecond);

}  // namespace
