#pragma once
// A full capture buffer of a plucked-string-like tone (A4 unless told): harmonics 1-8 at 1/k
// amplitude, the input every estimate benchmark times; with mainsHertz, mains hum (harmonics 1-4)
// some 20 dB under it.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "pitch/PitchListener.h"

namespace balalaika::bench {

inline std::vector<std::int16_t> pluckLikeBuffer(double hertz = 440.0, double mainsHertz = 0.0) {
  std::vector<std::int16_t> samples(PitchListener::kMaxBufferSamples);
  const double hum[] = {0.1, 0.05, 0.03, 0.02};
  for (std::size_t n = 0; n < samples.size(); ++n) {
    double v = 0.0;
    for (int k = 1; k <= 8; ++k) v += std::sin(2.0 * std::numbers::pi * hertz * k * n / 14039.0) / k;
    for (int k = 1; k <= 4 && mainsHertz > 0.0; ++k) v += hum[k - 1] * std::sin(2.0 * std::numbers::pi * mainsHertz * k * n / 14039.0 + k);
    samples[n] = static_cast<std::int16_t>(4000.0 * v);
  }
  return samples;
}

}  // namespace balalaika::bench
