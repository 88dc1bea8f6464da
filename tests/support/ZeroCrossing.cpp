#include "support/ZeroCrossing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace balalaika::measure {

double zeroCrossingHertz(const std::vector<float>& x, double sampleRate) {
  std::vector<double> crossings;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0.0f && x[i] >= 0.0f && std::fabs(x[i] - x[i - 1]) > 0.01f) {
      crossings.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
    }
  }
  constexpr std::size_t kPeriods = 10;
  std::vector<double> spans;
  for (std::size_t i = kPeriods; i < crossings.size(); ++i) spans.push_back(crossings[i] - crossings[i - kPeriods]);
  if (spans.size() < 100) return 0.0;
  std::nth_element(spans.begin(), spans.begin() + static_cast<std::ptrdiff_t>(spans.size() / 2), spans.end());
  return kPeriods * sampleRate / spans[spans.size() / 2];
}

}  // namespace balalaika::measure
