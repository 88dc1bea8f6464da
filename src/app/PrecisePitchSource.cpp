#include "app/PrecisePitchSource.h"

#include "pitch/PitchListener.h"

namespace balalaika::app {

float PrecisePitchSource::averagePower() { return PitchListener::sharedListener()->averagePower(); }

float PrecisePitchSource::frequency() {
  if (!estimator_) {
    estimator_ = std::make_unique<PreciseEstimator>(PitchListener::kCaptureSampleRate);
    samples_.resize(PitchListener::kMaxBufferSamples);
  }
  // Ticks come faster than buffers: a buffer already estimated keeps its estimate.
  const PitchListener::NewestBuffer newest = PitchListener::sharedListener()->copyNewestSamples(
      samples_.data(), static_cast<std::uint32_t>(samples_.size()), estimated_);
  if (newest.number != estimated_) {
    estimated_ = newest.number;
    refined_ = newest.count == 0 ? 0.0 : estimator_->estimate(samples_.data(), newest.count);
  }
  return static_cast<float>(refined_);
}

}  // namespace balalaika::app
