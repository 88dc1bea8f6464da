#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pitch/PreciseEstimator.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

// The tick's readings with the precise estimate of the listener's newest buffer: the level
// from the listener as always, the frequency from PreciseEstimator. The estimator and its
// buffers are made on the first estimate: a run that keeps the default estimate never holds
// them. Main thread.
class PrecisePitchSource final : public PitchSource {
 public:
  float averagePower() override;
  // Estimates the newest buffer; 0 before any buffer or when it holds no clear pitch.
  float frequency() override;
  double refinedFrequency() override { return refined_; }

 private:
  std::unique_ptr<PreciseEstimator> estimator_;
  std::vector<std::int16_t> samples_;
  std::uint64_t estimated_ = 0;  // number of the listener's buffer refined_ is the estimate of
  double refined_ = 0.0;
};

}  // namespace balalaika::app
