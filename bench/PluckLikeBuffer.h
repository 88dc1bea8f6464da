#pragma once
// A full capture buffer of a plucked-string-like tone (A4 unless told): harmonics 1-8 at 1/k
// amplitude, the input every estimate benchmark times.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "pitch/PitchListener.h"

namespace balalaika::bench {

inline std::vector<std::int16_t> pluckLikeBuffer(double hertz = 440.0) {
  std::vector<std::int16_t> samples(PitchListener::kMaxBufferSamples);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 8; ++k) v += std::sin(2.0 * std::numbers::pi * hertz * k * n / 14039.0) / k;
    samples[n] = static_cast<std::int16_t>(4000.0 * v);
  }
  return samples;
}

}  // namespace balalaika::bench
