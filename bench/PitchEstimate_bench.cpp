// Cost of one pitch estimate, and of its transform with the plan made per call or once: the
// estimate's ratio to the plan-once transform is what the rest of the estimate costs.
#include <benchmark/benchmark.h>
#include <kissfft/kiss_fftr.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "PluckLikeBuffer.h"
#include "pitch/PitchListener.h"

namespace {

using balalaika::PitchListener;
using balalaika::bench::pluckLikeBuffer;

// One estimate of a full buffer: transform, magnitudes, harmonic sum and peak search.
void BM_Estimate(benchmark::State& state) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto samples = pluckLikeBuffer();
  for (auto _ : state) benchmark::DoNotOptimize(listener.getFreqFromBuffer(samples.data(), PitchListener::kMaxBufferBytes));
}
BENCHMARK(BM_Estimate)->Unit(benchmark::kMicrosecond);

// A tick's reading when a new buffer has arrived since the last one: store, copy out, estimate.
void BM_FrequencyOfANewBuffer(benchmark::State& state) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto samples = pluckLikeBuffer();
  for (auto _ : state) {
    listener.setAudioBuffer(samples.data(), PitchListener::kMaxBufferBytes);
    benchmark::DoNotOptimize(listener.frequency());
  }
}
BENCHMARK(BM_FrequencyOfANewBuffer)->Unit(benchmark::kMicrosecond);

// A tick's reading when no buffer has arrived since the last one (most ticks: a buffer spans
// about 0.29 s, a tick 0.1 s).
void BM_FrequencyOfTheSameBuffer(benchmark::State& state) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto samples = pluckLikeBuffer();
  listener.setAudioBuffer(samples.data(), PitchListener::kMaxBufferBytes);
  for (auto _ : state) benchmark::DoNotOptimize(listener.frequency());
}
BENCHMARK(BM_FrequencyOfTheSameBuffer)->Unit(benchmark::kMicrosecond);

std::vector<float> paddedInput() {
  const auto samples = pluckLikeBuffer();
  std::vector<float> in(PitchListener::kFftLength, 0.0f);
  for (std::size_t i = 0; i < samples.size(); ++i) in[i] = samples[i];
  return in;
}

void BM_TransformPlanPerCall(benchmark::State& state) {
  const auto in = paddedInput();
  std::vector<kiss_fft_cpx> out(PitchListener::kFftLength);
  for (auto _ : state) {
    kiss_fftr_cfg plan = kiss_fftr_alloc(static_cast<int>(PitchListener::kFftLength), 0, nullptr, nullptr);
    kiss_fftr(plan, in.data(), out.data());
    kiss_fftr_free(plan);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TransformPlanPerCall)->Unit(benchmark::kMicrosecond);

void BM_TransformPlanOnce(benchmark::State& state) {
  const auto in = paddedInput();
  std::vector<kiss_fft_cpx> out(PitchListener::kFftLength);
  kiss_fftr_cfg plan = kiss_fftr_alloc(static_cast<int>(PitchListener::kFftLength), 0, nullptr, nullptr);
  for (auto _ : state) {
    kiss_fftr(plan, in.data(), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  kiss_fftr_free(plan);
}
BENCHMARK(BM_TransformPlanOnce)->Unit(benchmark::kMicrosecond);

}  // namespace
