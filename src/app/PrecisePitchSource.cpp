#include "app/PrecisePitchSource.h"

#include "pitch/PitchListener.h"

namespace balalaika::app {

float PrecisePitchSource::averagePower() { return PitchListener::sharedListener()->averagePower(); }

float PrecisePitchSource::frequency() {
  if (!estimator_) {
    estimator_ = std::make_unique<PreciseEstimator>(PitchListener::kCaptureSampleRate);
    samples_.resize(PitchListener::kMaxBufferSamples);
  }
  const std::uint32_t count =
      PitchListener::sharedListener()->copyNewestSamples(samples_.data(), static_cast<std::uint32_t>(samples_.size()));
  refined_ = count == 0 ? 0.0 : estimator_->estimate(samples_.data(), count);
  return static_cast<float>(refined_);
}

}  // namespace balalaika::app
