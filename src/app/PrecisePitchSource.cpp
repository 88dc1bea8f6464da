#include "app/PrecisePitchSource.h"

#include "pitch/PitchListener.h"

namespace balalaika::app {

PrecisePitchSource::PrecisePitchSource()
    : estimator_(PitchListener::kCaptureSampleRate), samples_(PitchListener::kMaxBufferSamples) {}

float PrecisePitchSource::averagePower() { return PitchListener::sharedListener()->averagePower(); }

float PrecisePitchSource::frequency() {
  const std::uint32_t count =
      PitchListener::sharedListener()->copyNewestSamples(samples_.data(), static_cast<std::uint32_t>(samples_.size()));
  refined_ = count == 0 ? 0.0 : estimator_.estimate(samples_.data(), count);
  return static_cast<float>(refined_);
}

}  // namespace balalaika::app
