#pragma once
// Level of one buffer of 16-bit samples as the capture queue's meter reports it: linear
// average power (RMS) and peak, over full scale 32768.

#include <cstddef>
#include <cstdint>

namespace balalaika::platform {

struct AudioQueueLevelMeterState {
  float mAveragePower = 0.0f;
  float mPeakPower = 0.0f;
};

// Safe on any thread (no allocation); count is in samples.
AudioQueueLevelMeterState measureLevel(const std::int16_t* samples, std::size_t count);

}  // namespace balalaika::platform
