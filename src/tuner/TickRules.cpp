#include "tuner/TickRules.h"

#include <cstdio>

namespace balalaika::tick {

PowerState classifyPower(float averagePower) {
  const double power = averagePower;
  if (power < kSilenceThreshold) return PowerState::Silent;
  if (power > kSignalThreshold) return PowerState::Loud;
  return PowerState::Soft;  // between the thresholds, or NaN
}

std::string frequencyText(double hertz) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1fHz", hertz);
  return text;
}

}  // namespace balalaika::tick
