#include "platform/LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace balalaika::platform {

AudioQueueLevelMeterState measureLevel(const std::int16_t* samples, std::size_t count) {
  if (count == 0) return {};
  double sumOfSquares = 0.0;
  int peak = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double s = samples[i];
    sumOfSquares += s * s;
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  }
  constexpr double kFullScale = 32768.0;
  return {static_cast<float>(std::sqrt(sumOfSquares / static_cast<double>(count)) / kFullScale),
          static_cast<float>(peak / kFullScale)};
}

}  // namespace balalaika::platform
